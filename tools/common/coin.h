#pragma once

// The program's emblem, a gold coin with a rising green arrow, designed on a square of 32 units
// in the standard 16 colours: the icon and the About box's logo draw it at their own sizes.

#include <cmath>

inline constexpr int TRANSPARENT = -1;
inline constexpr int DARK_GREEN = 2, OLIVE = 3, LIME = 10, YELLOW = 11, WHITE = 15;

inline bool inArrow(double x, double y) {
    const bool head = y >= 2.5 && y <= 13 && std::fabs(x - 25) <= (y - 2.5) * 6.5 / 10.5;
    const bool shaft = y >= 13 && y <= 30 && std::fabs(x - 25) <= 2.6;
    return head || shaft;
}

inline bool inCoin(double x, double y) {
    return std::hypot(x - 13.5, y - 17.5) <= 12.5;
}

// Inside the shape, with one of the eight neighbouring pixels outside it.
inline bool onEdge(bool (*inside)(double, double), double x, double y, double unit) {
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
inline int colourAt(double x, double y, double unit) {
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
