// Draws the program's icon, a gold coin with a rising green arrow, and writes its images into
// one icon file: make_icon OUTPUT.ico. In the 16 standard colours at 32 x 32 and 16 x 16, for
// the oldest displays; in full colour with smooth edges (alpha) at 16, 20, 24, 32, 48 and 256,
// for the taskbar, Alt+Tab and the Start menu at every DPI, the largest PNG-compressed.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "common/coin.h"
#include "common/image_bytes.h"
#include "common/png.h"

namespace {

// The coin's colours in full colour, as red, green, blue, by the 16-colour index they replace.
std::array<std::uint8_t, 3> fullColour(int index) {
    switch (index) {
        case DARK_GREEN:
            return {24, 112, 40};
        case OLIVE:
            return {150, 112, 16};
        case LIME:
            return {72, 200, 64};
        case YELLOW:
            return {246, 198, 44};
        case WHITE:
            return {255, 244, 200};
        default:
            return {PALETTE16[index][2], PALETTE16[index][1], PALETTE16[index][0]};
    }
}

// size x size pixels, red, green, blue, alpha, top row first: each pixel the average of 4 x 4
// samples of the design, its outlines one pixel wide at every size.
Bytes drawFullColour(int size) {
    constexpr int SAMPLES = 4;
    const double unit = 32.0 / size;
    Bytes rgba;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double r = 0, g = 0, b = 0, covered = 0;
            for (int sy = 0; sy < SAMPLES; ++sy) {
                for (int sx = 0; sx < SAMPLES; ++sx) {
                    const int c = colourAt((x + (sx + 0.5) / SAMPLES) * unit,
                                           (y + (sy + 0.5) / SAMPLES) * unit, unit);
                    if (c != TRANSPARENT) {
                        const auto rgb = fullColour(c);
                        r += rgb[0];
                        g += rgb[1];
                        b += rgb[2];
                        covered += 1;
                    }
                }
            }
            const auto channel = [&](double sum) {
                return static_cast<std::uint8_t>(covered > 0 ? std::lround(sum / covered) : 0);
            };
            rgba.insert(
                rgba.end(),
                {channel(r), channel(g), channel(b),
                 static_cast<std::uint8_t>(std::lround(covered * 255 / (SAMPLES * SAMPLES)))});
        }
    }
    return rgba;
}

struct Image {
    int size;
    int colours;  // 16, or 0 for full colour
    int bitsPerPixel;
    std::vector<std::uint8_t> bytes;  // BITMAPINFOHEADER, palette, colour bits, mask bits; or PNG
};

// A full-colour image as an icon holds it: 32 bits a pixel (blue, green, red, alpha, bottom row
// first), and the mask of the pixels that are wholly transparent.
Image fullColourImage(int size) {
    const Bytes rgba = drawFullColour(size);
    Image image{size, 0, 32, {}};
    auto& out = image.bytes;
    const int maskStride = ((size + 31) / 32) * 4;
    putInfoHeader(out, size, size * 2, 32,
                  static_cast<std::uint32_t>((size * 4 + maskStride) * size), 0, false);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * size + x) * 4];
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(maskStride), 0);
        for (int x = 0; x < size; ++x) {
            if (rgba[(static_cast<std::size_t>(y) * size + x) * 4 + 3] == 0) {
                row[static_cast<std::size_t>(x / 8)] |= 0x80 >> (x % 8);
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return image;
}

Image draw(int size) {
    const double unit = 32.0 / size;  // design units per pixel
    std::vector<int> pixels(static_cast<std::size_t>(size) * size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            pixels[static_cast<std::size_t>(y) * size + x] =
                colourAt((x + 0.5) * unit, (y + 0.5) * unit, unit);
        }
    }
    Image image{size, 16, 4, {}};
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
    std::vector<Image> images = {draw(32), draw(16)};
    for (int size : {16, 20, 24, 32, 48}) {
        images.push_back(fullColourImage(size));
    }
    images.push_back({256, 0, 32, png::encode(drawFullColour(256), 256)});
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1);  // an icon
    put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (const Image& image : images) {
        out.push_back(static_cast<std::uint8_t>(image.size % 256));  // 0 stands for 256
        out.push_back(static_cast<std::uint8_t>(image.size % 256));
        out.push_back(static_cast<std::uint8_t>(image.colours));
        out.push_back(0);
        put16(out, 1);  // planes
        put16(out, static_cast<unsigned>(image.bitsPerPixel));
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
