#include "meter/odometer.h"

#include <cstdio>
#include <cstring>

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

OdometerLayout layoutOdometer(double total, int decimalsMode, int cellWidth, int cellHeight,
                              int width) {
    const bool twoDecimals = decimalsMode == DECIMALS_TWO;
    // The decimals beyond those on show drive the turn of the last wheel.
    const char* format = twoDecimals ? "\xA3%12.4f" : "\xA3%12.2f";
    const std::size_t hiddenChars = twoDecimals ? 2 : 3;

    char text[ODOMETER_TEXT_SIZE];
    int printed = std::snprintf(text, sizeof text, format, total);
    std::size_t length = printed < 0 ? 0 : static_cast<std::size_t>(printed);
    if (length >= sizeof text) {
        length = sizeof text - 1;
    }

    OdometerLayout layout;
    const int fraction = length >= 2 ? twoCharacterValue(text + length - 2) : 0;
    layout.rollOffset = fraction * cellHeight / 100;
    const int off = layout.rollOffset;

    if (length <= hiddenChars) {
        return layout;
    }
    length -= hiddenChars;
    text[length] = '\0';

    const int halfCell = cellWidth / 2;
    int x = width;
    const std::size_t last = length - 1;
    for (std::size_t i = length; i-- > 0;) {
        const int g = glyphIndex(text[i]);
        if (g < 0) {
            continue;
        }
        int w = cellWidth;
        int sourceX = g * cellWidth;
        if (g == GLYPH_CURRENCY) {
            w = halfCell;
            sourceX = GLYPH_CURRENCY * cellWidth;
        } else if (g == GLYPH_POINT) {
            w = halfCell;
            sourceX = GLYPH_CURRENCY * cellWidth + halfCell;
        }
        x -= w;
        if (i == last || rollsAt(text, i)) {
            // The glyph moves up and the next one on the wheel comes up from below it.
            const int next = g == 9 ? 0 : g + 1;
            layout.copies[layout.count++] = {x, -off, w, cellHeight, sourceX};
            layout.copies[layout.count++] = {x, cellHeight - off, w, cellHeight, next * cellWidth};
        } else {
            layout.copies[layout.count++] = {x, 0, w, cellHeight, sourceX};
        }
    }
    return layout;
}
