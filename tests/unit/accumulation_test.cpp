#include "meter/accumulation.h"

#include <gtest/gtest.h>

namespace {

// A meter at 25 an hour from a total of 100, started at tick 1000 with the rate settled.
struct AccumulationTest : ::testing::Test {
    Rate rate;
    Accumulation meter{rate, 100.0};
    void SetUp() override {
        meter.step(1000);  // takes the construction's pending re-base
        meter.start(1000, true);
    }
};

TEST_F(AccumulationTest, GrowsAtTheHourlyFigure) {
    meter.step(1000 + 3600000);
    EXPECT_DOUBLE_EQ(meter.total, 125.0);
    EXPECT_EQ(meter.elapsedMs, 3600000u);
    meter.step(1000 + 1440);
    EXPECT_DOUBLE_EQ(meter.total, 100.01);
}

TEST_F(AccumulationTest, TickCounterWrapIsSeamless) {
    meter.startTick = 4294967000u;
    meter.step(1000);
    EXPECT_EQ(meter.elapsedMs, 1296u);
}

TEST_F(AccumulationTest, LongestSpanAddsAPositiveAmount) {
    meter.startTick = 0;
    meter.step(3000000000u);
    EXPECT_EQ(meter.elapsedMs, 3000000000u);
    EXPECT_DOUBLE_EQ(meter.total, 100.0 + 25.0 * 3000000.0 / 3600.0);
}

TEST_F(AccumulationTest, StoppedMeterHoldsItsFrozenTotal) {
    meter.step(1000 + 36000);
    const double held = meter.total;
    meter.running = false;
    meter.step(1000 + 72000);
    EXPECT_EQ(meter.total, held);
    meter.stop();
    EXPECT_EQ(meter.baseTotal, held);
    EXPECT_EQ(meter.elapsedMs, 0u);
    meter.step(1000 + 99000);
    EXPECT_EQ(meter.total, held);
}

TEST_F(AccumulationTest, RateChangeWhileRunningGoesOnWithoutAJump) {
    meter.step(1000 + 360000);  // 2.5 earned
    const double before = meter.total;
    rate.hourly = 50;
    rate.recalc(RECALC_HOURLY);
    meter.step(1000 + 360020);
    EXPECT_EQ(meter.total, before);
    EXPECT_EQ(meter.baseTotal, before);
    EXPECT_EQ(meter.startTick, 1000u + 360020u);
    EXPECT_FALSE(rate.changed);
    meter.step(1000 + 360020 + 72000);
    EXPECT_DOUBLE_EQ(meter.total, before + 1.0);
}

TEST_F(AccumulationTest, RateChangeWhileStoppedDoesNotMove) {
    meter.step(1000 + 36000);
    meter.stop();
    const double held = meter.total;
    rate.hourly = 80;
    rate.recalc(RECALC_HOURLY);
    meter.step(5000000);
    EXPECT_EQ(meter.total, held);
    EXPECT_EQ(meter.baseTotal, held);
    EXPECT_EQ(meter.elapsedMs, 0u);
    EXPECT_FALSE(rate.changed);
}

// The timer ticks as often as the last wheel's picture changes, within 20 ms and an hour.
TEST(TickPeriod, FollowsThePaceOfTheLastWheel) {
    struct Case {
        double hourly;
        int decimals, cellHeight;
        unsigned ms;
    } const cases[] = {
        {25, DECIMALS_TWO, 45, 32},
        {25, DECIMALS_TWO, 90, 20},
        {1, DECIMALS_TWO, 45, 800},
        {25, DECIMALS_NONE, 45, 3200},
        {25, 7, 45, 3200},
        {10000, DECIMALS_TWO, 45, 20},
        {25, DECIMALS_TWO, 200, 20},
        {0.5, DECIMALS_TWO, 300, 720},
        {0.01, DECIMALS_NONE, 45, 3600000},
        {0, DECIMALS_TWO, 45, 3600000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tickPeriodMs(c.hourly, c.decimals, c.cellHeight), c.ms)
            << c.hourly << " an hour, decimals " << c.decimals << ", cells " << c.cellHeight;
    }
}

}  // namespace
