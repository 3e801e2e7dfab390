// Draws the program's icon, a gold coin with a rising green arrow, in the 16 standard colours
// at 32 x 32 and 16 x 16, and writes both images into one icon file: make_icon OUTPUT.ico
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// The standard 16-colour palette, as blue, green, red.
const std::uint8_t PALETTE[16][3] = {
    {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},  {128, 0, 0}, {128, 0, 128},
    {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},    {0, 255, 0}, {0, 255, 255},
    {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255}};
constexpr int TRANSPARENT = -1;
constexpr int DARK_GREEN = 2, OLIVE = 3, LIME = 10, YELLOW = 11, WHITE = 15;

bool inArrow(double x, double y) {
    const bool head = y >= 2.5 && y <= 13 && std::fabs(x - 25) <= (y - 2.5) * 6.5 / 10.5;
    const bool shaft = y >= 13 && y <= 30 && std::fabs(x - 25) <= 2.6;
    return head || shaft;
}

bool inCoin(double x, double y) {
    return std::hypot(x - 13.5, y - 17.5) <= 12.5;
}

// Inside the shape, with one of the eight neighbouring pixels outside it.
bool onEdge(bool (*inside)(double, double), double x, double y, double unit) {
    if (!inside(x, y)) {
        return false;
    }
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (!inside(x + dx * unit, y + dy * unit)) {
                return true;
            }
        }
    }
    return false;
}

// The colour of the pixel centred at a point of the 32-unit design square.
int colourAt(double x, double y, double unit) {
    if (inArrow(x, y)) {
        return onEdge(inArrow, x, y, unit) ? DARK_GREEN : LIME;
    }
    if (!inCoin(x, y)) {
        return TRANSPARENT;
    }
    if (onEdge(inCoin, x, y, unit)) {
        return OLIVE;
    }
    const double d = std::hypot(x - 13.5, y - 17.5);
    if (unit < 1.5 && std::fabs(d - 9) < 0.6) {
        return OLIVE;  // the milled ring, where there are pixels enough for it
    }
    if (d > 5 && d < 10.5 - unit && x < 11 && y < 15) {
        return WHITE;  // a glint on the upper left of the face
    }
    return YELLOW;
}

struct Image {
    int size;
    std::vector<std::uint8_t> bytes;  // BITMAPINFOHEADER, palette, colour bits, mask bits
};

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
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
    Image image{size, {}};
    auto& out = image.bytes;
    const int colourStride = ((size * 4 + 31) / 32) * 4;
    const int maskStride = ((size + 31) / 32) * 4;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(size));
    put32(out, static_cast<std::uint32_t>(size * 2));  // colour and mask, one above the other
    put16(out, 1);
    put16(out, 4);
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>((colourStride + maskStride) * size));
    put32(out, 0);
    put32(out, 0);
    put32(out, 16);
    put32(out, 0);
    for (const auto& c : PALETTE) {
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
    FILE* f = std::fopen(argv[1], "wb");
    if (f == nullptr) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", argv[1]);
        return 1;
    }
    const bool written = std::fwrite(out.data(), out.size(), 1, f) == 1;
    return std::fclose(f) == 0 && written ? 0 : 1;
}
