#include "meter/bitmap_check.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>

#include "base/unique_file.h"

namespace {

constexpr std::size_t FILE_HEADER_SIZE = 14;
constexpr std::size_t CORE_HEADER_SIZE = 12;  // BITMAPCOREHEADER: 16-bit sizes, 3-byte colours
constexpr std::uint32_t UNCOMPRESSED = 0;     // BI_RGB
constexpr std::uint32_t BIT_FIELDS = 3;       // BI_BITFIELDS: three colour masks

std::uint32_t read16(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8;
}

std::uint32_t read32(const unsigned char* p) {
    return read16(p) | read16(p + 2) << 16;
}

struct Header {
    std::int64_t width, height;
    std::uint32_t planes, bitCount, compression, colours;
    std::uint64_t entrySize;  // bytes a palette entry
};

bool knownHeaderSize(std::uint32_t size) {
    return size == CORE_HEADER_SIZE || size == 40 || size == 52 || size == 56 || size == 108 ||
           size == 124;
}

}  // namespace

bool digitsStripBytesUsable(const unsigned char* data, std::size_t size) {
    if (size < FILE_HEADER_SIZE + 4 || data[0] != 'B' || data[1] != 'M') {
        return false;
    }
    const std::uint64_t pixelsAt = read32(data + 10);
    const std::uint32_t headerSize = read32(data + FILE_HEADER_SIZE);
    if (!knownHeaderSize(headerSize) || FILE_HEADER_SIZE + headerSize > size) {
        return false;
    }
    const unsigned char* info = data + FILE_HEADER_SIZE;
    Header h{};
    if (headerSize == CORE_HEADER_SIZE) {
        h = {read16(info + 4),
             read16(info + 6),
             read16(info + 8),
             read16(info + 10),
             UNCOMPRESSED,
             0,
             3};
    } else {
        h = {static_cast<std::int32_t>(read32(info + 4)),
             static_cast<std::int32_t>(read32(info + 8)),
             read16(info + 12),
             read16(info + 14),
             read32(info + 16),
             read32(info + 32),
             4};
    }
    const std::int64_t rows = h.height < 0 ? -h.height : h.height;
    const bool depthKnown = h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 ||
                            h.bitCount == 16 || h.bitCount == 24 || h.bitCount == 32;
    const bool masked = h.compression == BIT_FIELDS && (h.bitCount == 16 || h.bitCount == 32);
    if (h.planes != 1 || !depthKnown || (h.compression != UNCOMPRESSED && !masked) ||
        h.width / 11 < 1 || h.width > MAX_STRIP_WIDTH || rows < 1 || rows > MAX_STRIP_HEIGHT) {
        return false;
    }
    // A palette of its stated size, or of the whole depth; masks after a plain info header.
    const std::uint64_t maxColours = h.bitCount <= 8 ? 1u << h.bitCount : 0;
    if (maxColours != 0 && h.colours > maxColours) {
        return false;
    }
    const std::uint64_t colours = h.colours != 0 ? h.colours : maxColours;
    const std::uint64_t masks = masked && headerSize == 40 ? 12 : 0;
    const std::uint64_t headersEnd = FILE_HEADER_SIZE + headerSize + masks;
    const std::uint64_t paletteEnd = headersEnd + colours * h.entrySize;
    const std::uint64_t stride = (static_cast<std::uint64_t>(h.width) * h.bitCount + 31) / 32 * 4;
    const std::uint64_t pixelsEnd = pixelsAt + stride * static_cast<std::uint64_t>(rows);
    return paletteEnd <= size && pixelsAt >= headersEnd && pixelsEnd <= size;
}

bool digitsStripFileUsable(const char* path) {
    UniqueFile file(path, "rb");
    if (!file) {
        return false;
    }
    long size = -1;
    if (std::fseek(file.get(), 0, SEEK_END) == 0) {
        size = std::ftell(file.get());
    }
    std::unique_ptr<unsigned char[]> bytes;
    std::size_t read = 0;
    if (size > 0 && size <= MAX_STRIP_FILE_SIZE && std::fseek(file.get(), 0, SEEK_SET) == 0) {
        bytes.reset(new (std::nothrow) unsigned char[static_cast<std::size_t>(size)]);
        read = bytes ? std::fread(bytes.get(), 1, static_cast<std::size_t>(size), file.get()) : 0;
    }
    return read > 0 && digitsStripBytesUsable(bytes.get(), read);
}
