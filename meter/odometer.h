#pragma once

#include <array>
#include <cstddef>

#include "meter/currency.h"

// The glyph set of a digits strip: "0123456789", the currency byte, then the point. The byte
// 0xA3 (the pound sign in the ANSI code page) stands for whichever currency glyph the strip has.
constexpr unsigned char CURRENCY_BYTE = 0xA3;
constexpr int GLYPH_CURRENCY = 10;
constexpr int GLYPH_POINT = 11;
constexpr int DIGIT_CELLS = 11;

// Large enough for the currency byte and any double in "%12.4f": DBL_MAX takes 309 digits, the
// point, four decimals and a sign, 316 bytes with the terminator.
constexpr std::size_t ODOMETER_TEXT_SIZE = 328;

// The panel's size, which follows the digits strip: 11 cells across (a remainder of up to ten
// columns is never used), digitCount cells wide plus, optionally, half a cell for the currency.
struct PanelGeometry {
    int cellWidth;
    int cellHeight;
    int width;
    int height;
};

constexpr PanelGeometry panelGeometry(int bitmapWidth, int bitmapHeight, int digitCount,
                                      bool halfCell) {
    const int cell = bitmapWidth / DIGIT_CELLS;
    return {cell, bitmapHeight, cell * digitCount + (halfCell ? cell / 2 : 0), bitmapHeight};
}

// The size a strip made for 100 % is drawn at on a screen of `dpi` dots an inch (96 is 100 %):
// its cell and its height scaled and rounded to whole pixels, eleven cells across (the columns
// past them are left out). The odometer then works in the scaled strip's pixels.
struct StripSize {
    int width;
    int height;
};

constexpr StripSize scaledStrip(int width, int height, int dpi) {
    const long long cell = (static_cast<long long>(width / DIGIT_CELLS) * dpi + 48) / 96;
    const long long tall = (static_cast<long long>(height) * dpi + 48) / 96;
    return {static_cast<int>(cell * DIGIT_CELLS), static_cast<int>(tall)};
}

// One rectangle copied from the digits strip (source y is always 0) into the back buffer.
struct GlyphCopy {
    int x;
    int y;
    int width;
    int height;
    int sourceX;
};

inline bool operator==(const GlyphCopy& a, const GlyphCopy& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height &&
           a.sourceX == b.sourceX;
}

// A fixed-size result, so that laying out a frame never touches the heap.
struct OdometerLayout {
    int rollOffset = 0;
    std::size_t count = 0;
    std::array<GlyphCopy, 2 * ODOMETER_TEXT_SIZE> copies;  // only the first `count` are set
};

// The part of the panel where two layouts' pictures can differ: the bounding box of every copy
// that one has and the other has not, in panel pixels clipped to width x height. Empty (right
// <= left) when they draw the same picture.
struct PanelArea {
    int left, top, right, bottom;
};
PanelArea changedArea(const OdometerLayout& before, const OdometerLayout& after, int width,
                      int height);

// Whether the glyph at index turns with the last wheel: never for the point, otherwise when
// every character after it is a nine or the point.
bool rollsAt(const char* displayText, std::size_t index);

// The total as the meter shows it, as text: `sign` (the currency's, or nothing for a strip of
// the user's own) where the currency glyph stands, then the digits and, with two decimal places,
// the point and the hundredths; the blanks and the minus sign that the meter does not draw are
// left out. No allocation, so the timer tick can keep it current.
constexpr std::size_t READABLE_TOTAL_SIZE = ODOMETER_TEXT_SIZE + 4;
void readableTotal(double total, int decimalsMode, const char* sign,
                   char (&out)[READABLE_TOTAL_SIZE]);

// The glyph copies that draw total right-aligned in a panel `width` pixels wide, with the
// rightmost digit and every digit it carries into moved up by the roll offset.
OdometerLayout layoutOdometer(double total, int decimalsMode, int cellWidth, int cellHeight,
                              int width);
