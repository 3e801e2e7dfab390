// Draws the About box's logo: the coin of the icon beside the program's name and its maker's,
// 191 x 42 pixels in the 16 standard colours: make_logo FONT.ttf OUTPUT.bmp
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "common/coin.h"
#include "common/freetype_font.h"
#include "common/image_bytes.h"

namespace {

constexpr int WIDTH = 191;
constexpr int HEIGHT = 42;
constexpr int COIN = 40;  // the emblem's square, one pixel in from the top-left corner
constexpr int NAVY = 4, GREY = 8, SILVER = 7;

using Canvas = std::vector<int>;  // palette indices, top row first

// Advances the pen over text without drawing; the width it takes.
int measure(Font& font, const char* text, int size) {
    int width = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (FT_GlyphSlot g = font.render(static_cast<unsigned char>(*c), size, 1.0)) {
            width += static_cast<int>(g->advance.x >> 6);
        }
    }
    return width;
}

// Draws text in `ink` from x on a baseline; the half-covered edge pixels in `edge`.
void drawText(Canvas& canvas, Font& font, const char* text, int size, int x, int baseline, int ink,
              int edge) {
    for (const char* c = text; *c != '\0'; ++c) {
        FT_GlyphSlot g = font.render(static_cast<unsigned char>(*c), size, 1.0);
        if (g == nullptr) {
            continue;
        }
        for (int row = 0; row < static_cast<int>(g->bitmap.rows); ++row) {
            for (int col = 0; col < static_cast<int>(g->bitmap.width); ++col) {
                const int px = x + g->bitmap_left + col, py = baseline - g->bitmap_top + row;
                const int coverage = g->bitmap.buffer[row * g->bitmap.pitch + col];
                if (px < 0 || px >= WIDTH || py < 0 || py >= HEIGHT || coverage < 80) {
                    continue;
                }
                canvas[static_cast<std::size_t>(py) * WIDTH + px] = coverage >= 170 ? ink : edge;
            }
        }
        x += static_cast<int>(g->advance.x >> 6);
    }
}

Bytes bitmapFile(const Canvas& canvas) {
    constexpr std::uint32_t stride = ((WIDTH * 4 + 31) / 32) * 4;
    constexpr std::uint32_t headers = 14 + 40 + 16 * 4;
    constexpr std::uint32_t image = stride * HEIGHT;
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    put32(out, headers + image);
    put32(out, 0);
    put32(out, headers);
    putInfoHeader(out, WIDTH, HEIGHT, 4, image, 16, true);
    for (const auto& c : PALETTE16) {
        out.insert(out.end(), {c[0], c[1], c[2], 0});
    }
    for (int y = HEIGHT - 1; y >= 0; --y) {  // bottom-up
        Bytes row(stride, 0);
        for (int x = 0; x < WIDTH; ++x) {
            const auto index =
                static_cast<std::uint8_t>(canvas[static_cast<std::size_t>(y) * WIDTH + x]);
            row[static_cast<std::size_t>(x / 2)] |= x % 2 == 0 ? index << 4 : index;
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_logo FONT.ttf OUTPUT.bmp\n");
        return 2;
    }
    Font font(argv[1]);
    if (!font.ok()) {
        std::fprintf(stderr, "make_logo: cannot read font %s\n", argv[1]);
        return 1;
    }
    Canvas canvas(static_cast<std::size_t>(WIDTH) * HEIGHT, WHITE);
    const double unit = 32.0 / COIN;
    for (int y = 0; y < COIN; ++y) {
        for (int x = 0; x < COIN; ++x) {
            const int c = colourAt((x + 0.5) * unit, (y + 0.5) * unit, unit);
            if (c != TRANSPARENT) {
                canvas[static_cast<std::size_t>(y + 1) * WIDTH + x + 1] = c;
            }
        }
    }
    // The name and the maker, centred in the room right of the coin.
    const int left = COIN + 4;
    const char* name = "Cointrel";
    const char* maker = "by Marrowfen";
    const int nameWidth = measure(font, name, 27), makerWidth = measure(font, maker, 11);
    drawText(canvas, font, name, 27, left + (WIDTH - left - nameWidth) / 2, 26, NAVY, SILVER);
    drawText(canvas, font, maker, 11, left + (WIDTH - left - makerWidth) / 2, 39, GREY, SILVER);
    if (!writeBytes(argv[2], bitmapFile(canvas))) {
        std::fprintf(stderr, "make_logo: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
