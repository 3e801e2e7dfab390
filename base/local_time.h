#pragma once

#include <cstdint>

// A local calendar time, field for field as the platform keeps one.
struct LocalTime {
    std::uint16_t year, month, dayOfWeek, day, hour, minute, second, milliseconds;
};

constexpr std::int64_t UNITS_PER_SECOND = 10000000;  // of 100 nanoseconds
constexpr std::int64_t UNITS_PER_MS = UNITS_PER_SECOND / 1000;
constexpr std::int64_t UNITS_PER_DAY = 86400 * UNITS_PER_SECOND;

// A local wall-clock time as 100-nanosecond units since 1601-01-01, with no time-zone conversion,
// as the platform counts file times; false for a time that is none (a 13th month, a 30th of
// February, a year outside 1601 to 30827).
bool wallClockValue(const LocalTime& time, std::int64_t& out);
// The time of such a count, with its day of the week (0 for Sunday); false outside those years.
bool localTimeOf(std::int64_t value, LocalTime& out);

// The rules of the local clock, as the platform keeps them: the local time (100 ns since 1601)
// that a UTC time was or will be, with whatever summer time applies then.
class LocalZone {
  public:
    virtual std::int64_t localOf(std::int64_t utc) = 0;

  protected:
    ~LocalZone() = default;
};

// The millisecond tick counter, which wraps every 49.7 days; no change of the clock moves it.
class Ticks {
  public:
    virtual std::uint32_t tickCount() = 0;

  protected:
    ~Ticks() = default;
};
