#include "meter/rate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct RecalcCase {
    const char* name;
    void (*edit)(Rate&);
    std::uint32_t mode;
    double hourly, daily, hoursPerDay, yearly, daysPerYear;
};

class RateRecalc : public ::testing::TestWithParam<RecalcCase> {};

TEST_P(RateRecalc, DerivesTheOtherFiguresExactly) {
    const RecalcCase& c = GetParam();
    Rate rate;
    c.edit(rate);
    rate.recalc(c.mode);
    EXPECT_EQ(rate.hourly, c.hourly);
    EXPECT_EQ(rate.daily, c.daily);
    EXPECT_EQ(rate.hoursPerDay, c.hoursPerDay);
    EXPECT_EQ(rate.yearly, c.yearly);
    EXPECT_EQ(rate.daysPerYear, c.daysPerYear);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, RateRecalc,
    ::testing::Values(
        RecalcCase{"HoursPerDay", [](Rate& r) { r.hoursPerDay = 8; }, RECALC_HOURS_PER_DAY, 23.4375,
                   187.5, 8, 48375, 258},
        RecalcCase{"DaysPerYear", [](Rate& r) { r.daysPerYear = 250; }, RECALC_DAYS_PER_YEAR, 25.8,
                   193.5, 7.5, 48375, 250},
        RecalcCase{"Daily", [](Rate& r) { r.daily = 200; }, RECALC_DAILY, 26.666666666666668, 200,
                   7.5, 51600, 258},
        RecalcCase{"Yearly", [](Rate& r) { r.yearly = 51600; }, RECALC_YEARLY, 26.666666666666668,
                   200, 7.5, 51600, 258},
        RecalcCase{"Hourly", [](Rate& r) { r.hourly = 40; }, RECALC_HOURLY, 40, 300, 7.5, 77400,
                   258},
        // Unknown modes recompute nothing, even over figures that disagree.
        RecalcCase{"ModeZero", [](Rate& r) { r.hourly = 99; }, 0, 99, 187.5, 7.5, 48375, 258},
        RecalcCase{"ModeSix", [](Rate& r) { r.hourly = 99; }, 6, 99, 187.5, 7.5, 48375, 258}),
    [](const ::testing::TestParamInfo<RecalcCase>& info) { return info.param.name; });

TEST(Rate, DefaultsAreDerivedFromTheHourlyFigure) {
    const Rate rate;
    EXPECT_EQ(rate.hourly, 25.0);
    EXPECT_EQ(rate.daily, 187.5);
    EXPECT_EQ(rate.hoursPerDay, 7.5);
    EXPECT_EQ(rate.yearly, 48375.0);
    EXPECT_EQ(rate.daysPerYear, 258.0);
}

TEST(Rate, RangeRejectsZeroNegativeNaNAndAboveTheLimit) {
    EXPECT_TRUE(inRateRange(366.0, MAX_DAYS_PER_YEAR));
    EXPECT_TRUE(inRateRange(1e-30, MAX_HOURLY));
    EXPECT_FALSE(inRateRange(0.0, MAX_HOURLY));
    EXPECT_FALSE(inRateRange(-1.0, MAX_HOURLY));
    EXPECT_FALSE(inRateRange(std::nan(""), MAX_HOURLY));
    EXPECT_FALSE(inRateRange(std::nextafter(24.0, 25.0), MAX_HOURS_PER_DAY));
    EXPECT_FALSE(inRateRange(std::numeric_limits<double>::infinity(), MAX_YEARLY));
}

}  // namespace
