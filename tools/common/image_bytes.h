#pragma once

// What the image generators share: little-endian fields, the standard 16-colour palette, and
// writing the bytes out.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline void put16(Bytes& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

inline void put32(Bytes& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// The standard 16-colour palette, as blue, green, red.
constexpr std::uint8_t PALETTE16[16][3] = {
    {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},  {128, 0, 0}, {128, 0, 128},
    {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},    {0, 255, 0}, {0, 255, 255},
    {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255}};

// A BITMAPINFOHEADER without compression.
inline void putInfoHeader(Bytes& out, int width, int height, int bitsPerPixel,
                          std::uint32_t imageSize, std::uint32_t colours, bool withResolution) {
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<unsigned>(bitsPerPixel));
    put32(out, 0);  // BI_RGB
    put32(out, imageSize);
    put32(out, withResolution ? 2835 : 0);  // 72 dpi
    put32(out, withResolution ? 2835 : 0);
    put32(out, colours);
    put32(out, 0);
}

inline bool writeBytes(const std::string& path, const Bytes& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), bytes.size(), 1, f) == 1;
    return std::fclose(f) == 0 && written;
}
