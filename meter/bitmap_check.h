#pragma once

#include <cstddef>

// The largest custom digits strip taken: cells up to 1024 pixels wide and high.
constexpr long MAX_STRIP_WIDTH = 11 * 1024;
constexpr long MAX_STRIP_HEIGHT = 1024;
// A file larger than the largest such strip at 32 bits a pixel, with room for its headers.
constexpr long MAX_STRIP_FILE_SIZE = MAX_STRIP_WIDTH * MAX_STRIP_HEIGHT * 4 + 64 * 1024;

// Whether the bytes of a bitmap file may be handed to the system's loader as a digits strip: the
// file and info headers, the palette and the pixel data all lie within the file, the pixels are
// uncompressed at a depth the loader draws, and the strip has room for eleven cells of at least
// one pixel. The loader trusts the headers, and a file cut short by a failed copy would make it
// read past the end of the file.
bool digitsStripBytesUsable(const unsigned char* data, std::size_t size);

// The same for the file at path, read whole (false when it cannot be read or is too large).
bool digitsStripFileUsable(const char* path);
