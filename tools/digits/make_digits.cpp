// Draws the built-in digits strips from a TrueType font, so that they can be made again bit for
// bit: make_digits FONT OUTPUT_DIR writes
//   digits_pounds.bmp, digits_dollars.bmp, digits_euros.bmp  the strips for 100 %;
//   digits_2x.bmp, signs_2x.bmp  what the strips for 200 % are made of: the digits and the
//                                point, and the three signs, drawn at twice the size.
//
// A strip for 100 % is 396 x 45 pixels, eleven cells of 36: the digits 0 to 9, then the currency
// sign in columns 360-377 and the point in columns 384-389. Ink stays within rows 3 to 39, every
// glyph stands on one baseline, and the background is white, 8 bits a pixel with a grey
// palette, uncompressed, as a custom strip taken from them must be. At 200 % every measure is
// doubled and the font drawn at twice the size, not the pixels enlarged; those images hold 16
// greys, run-length encoded (BI_RLE4) to keep the program small.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "common/freetype_font.h"
#include "common/image_bytes.h"

namespace {

constexpr std::uint8_t INK = 0x20;  // the darkest grey; white is 255

// The measures of a strip drawn `scale` times the size of the one for 100 %.
struct Layout {
    int scale;
    int cell() const { return 36 * scale; }
    int height() const { return 45 * scale; }
    int baseline() const { return 38 * scale; }  // the row just below the digits' ink
    int digitHeight() const { return 30 * scale; }
    int inkTop() const { return 3 * scale; }
    int inkBottom() const { return 40 * scale - 1; }
};

struct Box {
    int left, right;  // columns, right exclusive
};

// Grey levels, top row first.
struct Canvas {
    int width, height;
    std::vector<std::uint8_t> grey;
    Canvas(int w, int h) : width(w), height(h), grey(static_cast<std::size_t>(w) * h, 255) {}
};

// The pixel size at which a "0" is the digits' height.
int digitPixelSize(Font& font, const Layout& layout) {
    for (int size = 20; size < 160; ++size) {
        FT_GlyphSlot g = font.render('0', size, 1.0);
        if (g != nullptr && static_cast<int>(g->bitmap.rows) >= layout.digitHeight()) {
            return size;
        }
    }
    return 0;
}

// Draws a rendered glyph centred across `box` with its top row at `top`.
bool place(Canvas& canvas, const Layout& layout, FT_GlyphSlot g, Box box, int top) {
    const int w = static_cast<int>(g->bitmap.width);
    const int h = static_cast<int>(g->bitmap.rows);
    const int left = box.left + (box.right - box.left - w) / 2;
    if (left < box.left || left + w > box.right || top < layout.inkTop() ||
        top + h > layout.inkBottom() + 1) {
        return false;
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int coverage = g->bitmap.buffer[y * g->bitmap.pitch + x];
            std::uint8_t& p =
                canvas.grey[static_cast<std::size_t>(top + y) * canvas.width + left + x];
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
bool placeFitted(Canvas& canvas, const Layout& layout, Font& font, unsigned long codePoint,
                 int size, Box box, int margin) {
    const int room = box.right - box.left - 2 * margin;
    for (int s = size; s > size / 2; --s) {
        for (double scale = 1.0; scale > 0.4; scale -= 0.02) {
            FT_GlyphSlot g = font.render(codePoint, s, scale);
            if (g == nullptr) {
                return false;
            }
            const int rows = static_cast<int>(g->bitmap.rows);
            int top = layout.baseline() - g->bitmap_top;
            if (top < layout.inkTop() || top + rows - 1 > layout.inkBottom()) {
                top = layout.baseline() - layout.digitHeight() / 2 - rows / 2;
            }
            if (top < layout.inkTop() || top + rows - 1 > layout.inkBottom()) {
                break;  // too tall at this size, however narrow
            }
            if (static_cast<int>(g->bitmap.width) <= room) {
                return place(canvas, layout, g, {box.left + margin, box.right - margin}, top);
            }
        }
    }
    return false;
}

// One row of 4-bit pixels run-length encoded as BI_RLE4: runs of three or more as (count, pixel
// twice), what lies between them literally (0, count, pixels two to a byte, padded to 16 bits),
// then the end of the line.
void encodeRow(const std::vector<std::uint8_t>& pixels, Bytes& out) {
    const std::size_t n = pixels.size();
    const auto runAt = [&](std::size_t i) {
        std::size_t j = i;
        while (j < n && j - i < 255 && pixels[j] == pixels[i]) {
            ++j;
        }
        return j - i;
    };
    const auto packed = [](std::uint8_t first, std::uint8_t second) {
        return static_cast<std::uint8_t>(first << 4 | second);
    };
    std::size_t i = 0;
    while (i < n) {
        const std::size_t run = runAt(i);
        if (run >= 3) {
            out.insert(out.end(), {std::uint8_t(run), packed(pixels[i], pixels[i])});
            i += run;
            continue;
        }
        std::size_t end = i;
        while (end < n && end - i < 255 && runAt(end) < 3) {
            ++end;
        }
        const std::size_t count = end - i;
        if (count < 3) {  // too short to be told literally
            for (; i < end; ++i) {
                out.insert(out.end(), {1, packed(pixels[i], 0)});
            }
            continue;
        }
        out.insert(out.end(), {0, std::uint8_t(count)});
        Bytes literal;
        for (std::size_t k = 0; k < count; k += 2) {
            const std::uint8_t next = k + 1 < count ? pixels[i + k + 1] : 0;
            literal.push_back(packed(pixels[i + k], next));
        }
        if (literal.size() % 2 != 0) {
            literal.push_back(0);
        }
        out.insert(out.end(), literal.begin(), literal.end());
        i = end;
    }
    out.insert(out.end(), {0, 0});
}

// Greys from the ink to white: 256 of them at 8 bits a pixel (every grey the font drew),
// uncompressed, each row padded to 4 bytes; 16 at 4 bits, run-length encoded.
bool writeGreyBitmap(const std::string& path, const Canvas& canvas, int bits) {
    const int levels = 1 << bits;
    Bytes image;
    for (int y = canvas.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(canvas.width));
        for (int x = 0; x < canvas.width; ++x) {
            const int grey = canvas.grey[static_cast<std::size_t>(y) * canvas.width + x];
            row[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(
                bits == 8 ? grey : ((grey - INK) * 15 + (255 - INK) / 2) / (255 - INK));
        }
        if (bits == 8) {
            row.resize((row.size() + 3) / 4 * 4, 0);
            image.insert(image.end(), row.begin(), row.end());
        } else {
            encodeRow(row, image);
        }
    }
    if (bits != 8) {
        image.insert(image.end(), {0, 1});  // the end of the bitmap
    }
    const auto headers = static_cast<std::uint32_t>(14 + 40 + levels * 4);
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    put32(out, headers + static_cast<std::uint32_t>(image.size()));
    put32(out, 0);
    put32(out, headers);
    putInfoHeader(out, canvas.width, canvas.height, bits, static_cast<std::uint32_t>(image.size()),
                  static_cast<std::uint32_t>(levels), true);
    out[14 + 16] = bits == 8 ? 0 : 2;  // BI_RGB, BI_RLE4
    for (int i = 0; i < levels; ++i) {
        const auto g = static_cast<std::uint8_t>(bits == 8 ? i : INK + (255 - INK) * i / 15);
        out.insert(out.end(), {g, g, g, 0});
    }
    out.insert(out.end(), image.begin(), image.end());
    return writeBytes(path, out);
}

const struct {
    const char* file;
    unsigned long sign;
} SIGNS[] = {
    {"digits_pounds.bmp", 0x00A3}, {"digits_dollars.bmp", 0x0024}, {"digits_euros.bmp", 0x20AC}};

// The digits and the point of a strip drawn at `layout`, with its eleventh cell left for a sign.
bool drawDigits(Canvas& canvas, const Layout& layout, Font& font, int size) {
    const int cell = layout.cell();
    for (int d = 0; d <= 9; ++d) {
        if (!placeFitted(canvas, layout, font, '0' + d, size, {d * cell, (d + 1) * cell},
                         layout.scale)) {
            std::fprintf(stderr, "make_digits: digit %d does not fit its cell\n", d);
            return false;
        }
    }
    const Box point{10 * cell + cell * 2 / 3, 10 * cell + cell * 5 / 6};
    if (!placeFitted(canvas, layout, font, '.', size, point, 0)) {
        std::fprintf(stderr, "make_digits: the point does not fit\n");
        return false;
    }
    return true;
}

// The sign of SIGNS[i] in the left half of a cell whose left edge is `left`.
bool drawSign(Canvas& canvas, const Layout& layout, Font& font, int size, std::size_t i, int left) {
    if (!placeFitted(canvas, layout, font, SIGNS[i].sign, size, {left, left + layout.cell() / 2},
                     layout.scale)) {
        std::fprintf(stderr, "make_digits: the sign of %s does not fit\n", SIGNS[i].file);
        return false;
    }
    return true;
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
    const std::string dir = std::string(argv[2]) + "/";
    for (const Layout layout : {Layout{1}, Layout{2}}) {
        const int size = digitPixelSize(font, layout);
        if (size == 0) {
            std::fprintf(stderr, "make_digits: the font has no usable digits\n");
            return 1;
        }
        Canvas digits(11 * layout.cell(), layout.height());
        if (!drawDigits(digits, layout, font, size)) {
            return 1;
        }
        if (layout.scale == 2) {
            Canvas signs(3 * layout.cell() / 2, layout.height());
            for (std::size_t i = 0; i < 3; ++i) {
                if (!drawSign(signs, layout, font, size, i,
                              static_cast<int>(i) * layout.cell() / 2)) {
                    return 1;
                }
            }
            if (!writeGreyBitmap(dir + "digits_2x.bmp", digits, 4) ||
                !writeGreyBitmap(dir + "signs_2x.bmp", signs, 4)) {
                std::fprintf(stderr, "make_digits: cannot write the strips for 200 %%\n");
                return 1;
            }
            continue;
        }
        for (std::size_t i = 0; i < 3; ++i) {
            Canvas canvas = digits;
            if (!drawSign(canvas, layout, font, size, i, 10 * layout.cell()) ||
                !writeGreyBitmap(dir + SIGNS[i].file, canvas, 8)) {
                std::fprintf(stderr, "make_digits: cannot make %s\n", SIGNS[i].file);
                return 1;
            }
        }
    }
    return 0;
}
