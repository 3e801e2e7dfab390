#pragma once

#include <cfloat>
#include <cmath>
#include <limits>

// Narrowing a double that lies beyond the float range is undefined behaviour, and typed numbers
// and stored figures can be anything: such a value becomes an infinity of its sign, which every
// range test then refuses. NaN stays NaN.
inline float toSingle(double value) {
    if (value > static_cast<double>(FLT_MAX)) {
        return std::numeric_limits<float>::infinity();
    }
    if (value < -static_cast<double>(FLT_MAX)) {
        return -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(value);
}

// The value as single precision holds it, widened back: what a typed number or a stored figure
// really is once taken.
inline double roundToSingle(double value) {
    return static_cast<double>(toSingle(value));
}
