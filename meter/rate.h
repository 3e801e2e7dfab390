#pragma once

#include <cstdint>

// Which of the five figures the user has just edited; the others are derived from it.
enum RecalcMode : std::uint32_t {
    RECALC_HOURLY = 1,
    RECALC_DAILY = 2,
    RECALC_YEARLY = 3,
    RECALC_HOURS_PER_DAY = 4,
    RECALC_DAYS_PER_YEAR = 5,
};

// The user's rate of pay in five linked forms. The record checks nothing: callers keep the
// figures in range, and in particular keep both divisors above zero.
struct Rate {
    double hourly = 25.0;
    double daily = 0.0;
    double hoursPerDay = 7.5;
    double yearly = 0.0;
    double daysPerYear = 258.0;

    Rate() { recalc(RECALC_HOURLY); }

    // The edited figure is already stored; recompute those that depend on it.
    void recalc(std::uint32_t mode);
};

// Limits that callers enforce before admitting a figure into a Rate.
constexpr double MAX_HOURLY = 10000.0;
constexpr double MAX_DAILY = 1000000.0;
constexpr double MAX_YEARLY = 90000000.0;
constexpr double MAX_HOURS_PER_DAY = 24.0;
constexpr double MAX_DAYS_PER_YEAR = 366.0;

// True when 0 < value <= limit; NaN fails, as it compares false with everything.
constexpr bool inRateRange(double value, double limit) {
    return value > 0.0 && value <= limit;
}

// True when all five figures are within their limits. A figure that is fine on its own can
// still push a derived one out (a tiny days-per-year divides the yearly figure into an enormous
// hourly one), so whoever admits a figure checks the whole record after its recalculation.
constexpr bool rateInDomain(const Rate& rate) {
    return inRateRange(rate.hourly, MAX_HOURLY) && inRateRange(rate.daily, MAX_DAILY) &&
           inRateRange(rate.yearly, MAX_YEARLY) &&
           inRateRange(rate.hoursPerDay, MAX_HOURS_PER_DAY) &&
           inRateRange(rate.daysPerYear, MAX_DAYS_PER_YEAR);
}

// Stores value into the figure that mode names and recalculates, but only when the whole rate
// stays in its domain afterwards; otherwise rate is left exactly as it was. True when taken.
bool admitRateFigure(Rate& rate, std::uint32_t mode, double value);
