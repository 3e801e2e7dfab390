#include "meter/odometer.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

// -1 for a character without a glyph (a blank, the minus sign, the letters of "inf" and "nan").
int glyphIndex(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (static_cast<unsigned char>(c) == CURRENCY_BYTE) {
        return GLYPH_CURRENCY;
    }
    if (c == '.') {
        return GLYPH_POINT;
    }
    return -1;
}

// The two characters read as a decimal integer the way atoi would: blanks, a sign, digits.
int twoCharacterValue(const char* p) {
    char pair[3] = {p[0], p[1], '\0'};
    int value = 0;
    int sign = 1;
    const char* c = pair;
    while (*c == ' ') {
        ++c;
    }
    if (*c == '-' || *c == '+') {
        sign = *c == '-' ? -1 : 1;
        ++c;
    }
    for (; *c >= '0' && *c <= '9'; ++c) {
        value = value * 10 + (*c - '0');
    }
    return sign * value;
}

// Positions are worked out in 64 bits, so that no strip size can overflow them, and then held
// to what a copy can express; what lies that far out is clipped away anyway.
using Wide = std::int64_t;

int narrow(Wide value) {
    constexpr Wide lowest = std::numeric_limits<int>::min();
    constexpr Wide highest = std::numeric_limits<int>::max();
    return static_cast<int>(value < lowest ? lowest : value > highest ? highest : value);
}

// The formatted total cut to what the meter shows (the display text); its length. `fraction`
// gets the two hidden decimals that drive the turn of the last wheel.
std::size_t formatDisplay(double total, int decimalsMode, char (&text)[ODOMETER_TEXT_SIZE],
                          int& fraction) {
    const bool twoDecimals = decimalsMode == DECIMALS_TWO;
    const char* format = twoDecimals ? "\xA3%12.4f" : "\xA3%12.2f";
    const std::size_t hiddenChars = twoDecimals ? 2 : 3;
    const int printed = std::snprintf(text, sizeof text, format, total);
    std::size_t length = printed < 0 ? 0 : static_cast<std::size_t>(printed);
    if (length >= sizeof text) {
        length = sizeof text - 1;
    }
    fraction = length >= 2 ? twoCharacterValue(text + length - 2) : 0;
    length = length > hiddenChars ? length - hiddenChars : 0;
    text[length] = '\0';
    return length;
}

}  // namespace

bool rollsAt(const char* displayText, std::size_t index) {
    if (displayText[index] == '.') {
        return false;
    }
    for (const char* c = displayText + index + 1; *c != '\0'; ++c) {
        if (*c != '9' && *c != '.') {
            return false;
        }
    }
    return true;
}

void readableTotal(double total, int decimalsMode, const char* sign,
                   char (&out)[READABLE_TOTAL_SIZE]) {
    char text[ODOMETER_TEXT_SIZE];
    int fraction = 0;
    const std::size_t length = formatDisplay(total, decimalsMode, text, fraction);
    std::size_t n = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const int g = glyphIndex(text[i]);
        if (g == GLYPH_CURRENCY) {
            for (const char* c = sign; *c != '\0' && n + 1 < sizeof out; ++c) {
                out[n++] = *c;
            }
        } else if (g >= 0 && n + 1 < sizeof out) {
            out[n++] = text[i];
        }
    }
    out[n] = '\0';
}

OdometerLayout layoutOdometer(double total, int decimalsMode, int cellWidth, int cellHeight,
                              int width) {
    char text[ODOMETER_TEXT_SIZE];
    int fraction = 0;
    const std::size_t length = formatDisplay(total, decimalsMode, text, fraction);

    OdometerLayout layout;
    const Wide off = static_cast<Wide>(fraction) * cellHeight / 100;
    layout.rollOffset = narrow(off);
    if (length == 0) {
        return layout;
    }

    const Wide cell = cellWidth;
    const Wide halfCell = cell / 2;
    Wide x = width;
    const std::size_t last = length - 1;
    for (std::size_t i = length; i-- > 0;) {
        const int g = glyphIndex(text[i]);
        if (g < 0) {
            continue;
        }
        Wide w = cell;
        Wide sourceX = g * cell;
        if (g == GLYPH_CURRENCY) {
            w = halfCell;
            sourceX = GLYPH_CURRENCY * cell;
        } else if (g == GLYPH_POINT) {
            w = halfCell;
            sourceX = GLYPH_CURRENCY * cell + halfCell;
        }
        x -= w;
        if (i == last || rollsAt(text, i)) {
            // The glyph moves up and the next one on the wheel comes up from below it.
            const Wide next = g == 9 ? 0 : g + 1;
            layout.copies[layout.count++] = {narrow(x), narrow(-off), narrow(w), cellHeight,
                                             narrow(sourceX)};
            layout.copies[layout.count++] = {narrow(x), narrow(cellHeight - off), narrow(w),
                                             cellHeight, narrow(next * cell)};
        } else {
            layout.copies[layout.count++] = {narrow(x), 0, narrow(w), cellHeight, narrow(sourceX)};
        }
    }
    return layout;
}

PanelArea changedArea(const OdometerLayout& before, const OdometerLayout& after, int width,
                      int height) {
    Wide left = width, top = height, right = 0, bottom = 0;
    const auto include = [&](const GlyphCopy& c) {
        left = std::min<Wide>(left, c.x);
        top = std::min<Wide>(top, c.y);
        right = std::max<Wide>(right, static_cast<Wide>(c.x) + c.width);
        bottom = std::max<Wide>(bottom, static_cast<Wide>(c.y) + c.height);
    };
    // Both lists run from right to left (a turning pair shares its x), so one walk pairs up the
    // copies that stayed where they were.
    std::size_t i = 0, j = 0;
    while (i < before.count && j < after.count) {
        const GlyphCopy& b = before.copies[i];
        const GlyphCopy& a = after.copies[j];
        if (b == a) {
            ++i;
            ++j;
        } else if (b.x > a.x) {  // gone from here
            include(b);
            ++i;
        } else if (a.x > b.x) {  // new here
            include(a);
            ++j;
        } else {  // another glyph, or the same one turned further
            include(b);
            include(a);
            ++i;
            ++j;
        }
    }
    for (; i < before.count; ++i) {
        include(before.copies[i]);
    }
    for (; j < after.count; ++j) {
        include(after.copies[j]);
    }
    return {narrow(std::max<Wide>(left, 0)), narrow(std::max<Wide>(top, 0)),
            narrow(std::min<Wide>(right, width)), narrow(std::min<Wide>(bottom, height))};
}
