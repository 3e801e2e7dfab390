#pragma once

// The day the workday's tests live through, Tuesday 8 December 2026, by its local times.

#include <cstdint>

#include "base/local_time.h"

inline LocalTime onTheDay(int hour, int minute, int second = 0) {
    LocalTime t{};
    t.year = 2026;
    t.month = 12;
    t.day = 8;
    t.hour = static_cast<std::uint16_t>(hour);
    t.minute = static_cast<std::uint16_t>(minute);
    t.second = static_cast<std::uint16_t>(second);
    return t;
}

// The same as a local wall-clock value.
inline std::int64_t wallOnTheDay(int hour, int minute, int second = 0) {
    std::int64_t value = 0;
    wallClockValue(onTheDay(hour, minute, second), value);
    return value;
}
