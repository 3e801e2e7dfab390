// Draws the three built-in digits strips from a TrueType font, so that they can be made again
// bit for bit: make_digits FONT OUTPUT_DIR writes digits_pounds.bmp, digits_dollars.bmp and
// digits_euros.bmp.
//
// A strip is 396 x 45 pixels, eleven cells of 36: the digits 0 to 9, then the currency sign in
// columns 360-377 and the point in columns 384-389. Ink stays within rows 3 to 39, every glyph
// stands on one baseline, and the background is white, 8 bits a pixel with a grey palette.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "common/freetype_font.h"
#include "common/image_bytes.h"

namespace {

constexpr int WIDTH = 396;
constexpr int HEIGHT = 45;
constexpr int CELL = 36;
constexpr int BASELINE = 38;      // the row just below the digits' ink
constexpr int DIGIT_HEIGHT = 30;  // rows of ink of a digit, top of "0" to its bottom
constexpr int INK_TOP = 3;
constexpr int INK_BOTTOM = 39;
constexpr std::uint8_t INK = 0x20;  // the darkest grey; white is 255

struct Box {
    int left, right;  // columns, right exclusive
};

using Canvas = std::vector<std::uint8_t>;  // WIDTH x HEIGHT grey levels, top row first

// The pixel size at which a "0" is DIGIT_HEIGHT rows tall.
int digitPixelSize(Font& font) {
    for (int size = 20; size < 80; ++size) {
        FT_GlyphSlot g = font.render('0', size, 1.0);
        if (g != nullptr && static_cast<int>(g->bitmap.rows) >= DIGIT_HEIGHT) {
            return size;
        }
    }
    return 0;
}

// Draws a rendered glyph centred across `box` with its top row at `top`.
bool place(Canvas& canvas, FT_GlyphSlot g, Box box, int top) {
    const int w = static_cast<int>(g->bitmap.width);
    const int h = static_cast<int>(g->bitmap.rows);
    const int left = box.left + (box.right - box.left - w) / 2;
    if (left < box.left || left + w > box.right || top < INK_TOP || top + h > INK_BOTTOM + 1) {
        return false;
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int coverage = g->bitmap.buffer[y * g->bitmap.pitch + x];
            std::uint8_t& p = canvas[static_cast<std::size_t>(top + y) * WIDTH + left + x];
            const int grey = 255 - coverage * (255 - INK) / 255;
            p = static_cast<std::uint8_t>(std::min<int>(p, grey));
        }
    }
    return true;
}

// Places a glyph at the digits' size, on their baseline, squeezing it across until it fits its
// box (with `margin` columns to spare on each side) so that it keeps the digits' height and
// weight. A glyph taller than the ink rows allow on the baseline (the strokes of a dollar sign
// reach above and below the digits) is centred on the digits instead, and drawn only as much
// smaller as it must be.
bool placeFitted(Canvas& canvas, Font& font, unsigned long codePoint, int size, Box box,
                 int margin) {
    const int room = box.right - box.left - 2 * margin;
    for (int s = size; s > size / 2; --s) {
        for (double scale = 1.0; scale > 0.4; scale -= 0.02) {
            FT_GlyphSlot g = font.render(codePoint, s, scale);
            if (g == nullptr) {
                return false;
            }
            const int rows = static_cast<int>(g->bitmap.rows);
            int top = BASELINE - g->bitmap_top;
            if (top < INK_TOP || top + rows - 1 > INK_BOTTOM) {
                top = BASELINE - DIGIT_HEIGHT / 2 - rows / 2;
            }
            if (top < INK_TOP || top + rows - 1 > INK_BOTTOM) {
                break;  // too tall at this size, however narrow
            }
            if (static_cast<int>(g->bitmap.width) <= room) {
                return place(canvas, g, {box.left + margin, box.right - margin}, top);
            }
        }
    }
    return false;
}

bool writeBitmap(const std::string& path, const Canvas& canvas) {
    constexpr std::uint32_t headers = 14 + 40 + 256 * 4;
    constexpr std::uint32_t image = WIDTH * HEIGHT;  // 396 is a multiple of 4: no row padding
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    put32(out, headers + image);
    put32(out, 0);
    put32(out, headers);
    putInfoHeader(out, WIDTH, HEIGHT, 8, image, 256, true);
    for (int i = 0; i < 256; ++i) {
        out.insert(out.end(), {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0});
    }
    for (int y = HEIGHT - 1; y >= 0; --y) {
        const auto row = canvas.begin() + static_cast<std::ptrdiff_t>(y) * WIDTH;
        out.insert(out.end(), row, row + WIDTH);
    }
    return writeBytes(path, out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_digits FONT.ttf OUTPUT_DIR\n");
        return 2;
    }
    Font font(argv[1]);
    if (!font.ok()) {
        std::fprintf(stderr, "make_digits: cannot read font %s\n", argv[1]);
        return 1;
    }
    const int size = digitPixelSize(font);
    if (size == 0) {
        std::fprintf(stderr, "make_digits: the font has no usable digits\n");
        return 1;
    }

    Canvas digits(static_cast<std::size_t>(WIDTH) * HEIGHT, 255);
    for (int d = 0; d <= 9; ++d) {
        if (!placeFitted(digits, font, '0' + d, size, {d * CELL, (d + 1) * CELL}, 1)) {
            std::fprintf(stderr, "make_digits: digit %d does not fit its cell\n", d);
            return 1;
        }
    }
    if (!placeFitted(digits, font, '.', size, {384, 390}, 0)) {
        std::fprintf(stderr, "make_digits: the point does not fit\n");
        return 1;
    }

    const struct {
        const char* file;
        unsigned long sign;
    } strips[] = {{"digits_pounds.bmp", 0x00A3},
                  {"digits_dollars.bmp", 0x0024},
                  {"digits_euros.bmp", 0x20AC}};
    for (const auto& strip : strips) {
        Canvas canvas = digits;
        if (!placeFitted(canvas, font, strip.sign, size, {360, 378}, 1)) {
            std::fprintf(stderr, "make_digits: the sign of %s does not fit\n", strip.file);
            return 1;
        }
        const std::string path = std::string(argv[2]) + "/" + strip.file;
        if (!writeBitmap(path, canvas)) {
            std::fprintf(stderr, "make_digits: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
