// Draws the program's icon, a gold coin with a rising green arrow, in the 16 standard colours
// at 32 x 32 and 16 x 16, and writes both images into one icon file: make_icon OUTPUT.ico
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "common/coin.h"
#include "common/image_bytes.h"

namespace {

struct Image {
    int size;
    std::vector<std::uint8_t> bytes;  // BITMAPINFOHEADER, palette, colour bits, mask bits
};

Image draw(int size) {
    const double unit = 32.0 / size;  // design units per pixel
    std::vector<int> pixels(static_cast<std::size_t>(size) * size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            pixels[static_cast<std::size_t>(y) * size + x] =
                colourAt((x + 0.5) * unit, (y + 0.5) * unit, unit);
        }
    }
    Image image{size, {}};
    auto& out = image.bytes;
    const int colourStride = ((size * 4 + 31) / 32) * 4;
    const int maskStride = ((size + 31) / 32) * 4;
    // Twice the height: the colour image and the mask, one above the other.
    putInfoHeader(out, size, size * 2, 4,
                  static_cast<std::uint32_t>((colourStride + maskStride) * size), 16, false);
    for (const auto& c : PALETTE16) {
        out.insert(out.end(), {c[0], c[1], c[2], 0});
    }
    for (int y = size - 1; y >= 0; --y) {  // bottom-up
        std::vector<std::uint8_t> row(static_cast<std::size_t>(colourStride), 0);
        for (int x = 0; x < size; ++x) {
            const int c = pixels[static_cast<std::size_t>(y) * size + x];
            const std::uint8_t index = static_cast<std::uint8_t>(c == TRANSPARENT ? 0 : c);
            row[static_cast<std::size_t>(x / 2)] |= x % 2 == 0 ? index << 4 : index;
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(maskStride), 0);
        for (int x = 0; x < size; ++x) {
            if (pixels[static_cast<std::size_t>(y) * size + x] == TRANSPARENT) {
                row[static_cast<std::size_t>(x / 8)] |= 0x80 >> (x % 8);
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
        return 2;
    }
    const Image images[] = {draw(32), draw(16)};
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1);  // an icon
    put16(out, 2);
    std::uint32_t offset = 6 + 16 * 2;
    for (const Image& image : images) {
        out.push_back(static_cast<std::uint8_t>(image.size));
        out.push_back(static_cast<std::uint8_t>(image.size));
        out.push_back(16);  // colours
        out.push_back(0);
        put16(out, 1);  // planes
        put16(out, 4);  // bits a pixel
        put32(out, static_cast<std::uint32_t>(image.bytes.size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(image.bytes.size());
    }
    for (const Image& image : images) {
        out.insert(out.end(), image.bytes.begin(), image.bytes.end());
    }
    if (!writeBytes(argv[1], out)) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
