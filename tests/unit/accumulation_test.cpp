#include "meter/accumulation.h"

#include <gtest/gtest.h>

namespace {

// A meter at 25 an hour from a total of 100, started at tick 1000, read at any tick.
struct AccumulationTest : ::testing::Test {
    Accumulation meter{100.0, 25.0};
    void SetUp() override { meter.start(1000, true); }
};

TEST_F(AccumulationTest, GrowsAtTheHourlyFigure) {
    EXPECT_DOUBLE_EQ(meter.totalAt(1000 + 3600000), 125.0);
    EXPECT_DOUBLE_EQ(meter.totalAt(1000 + 1440), 100.01);
    EXPECT_DOUBLE_EQ(meter.totalAt(1000), 100.0);
}

TEST_F(AccumulationTest, TickCounterWrapIsSeamless) {
    meter.start(4294967000u, true);
    EXPECT_DOUBLE_EQ(meter.totalAt(1000), 100.0 + 25.0 * 1.296 / 3600.0);
}

TEST_F(AccumulationTest, LongestSpanAddsAPositiveAmount) {
    meter.start(0, true);
    EXPECT_DOUBLE_EQ(meter.totalAt(3000000000u), 100.0 + 25.0 * 3000000.0 / 3600.0);
}

TEST_F(AccumulationTest, StoppedMeterHoldsItsTotal) {
    meter.stop(1000 + 36000);
    EXPECT_FALSE(meter.running());
    EXPECT_DOUBLE_EQ(meter.totalAt(1000 + 72000), 100.25);
    EXPECT_DOUBLE_EQ(meter.totalAt(5), 100.25);
    meter.takeOff(0.25);
    EXPECT_DOUBLE_EQ(meter.totalAt(1000 + 99000), 100.0);
}

TEST_F(AccumulationTest, RateChangeGoesOnWithoutAJump) {
    meter.changeRate(1000 + 360000, 50);  // 2.5 earned at 25
    EXPECT_DOUBLE_EQ(meter.totalAt(1000 + 360000), 102.5);
    EXPECT_EQ(meter.startTick(), 1000u + 360000u);
    EXPECT_DOUBLE_EQ(meter.totalAt(1000 + 360000 + 72000), 103.5);
    meter.stop(1000 + 360000 + 72000);
    meter.changeRate(9000000, 80);  // standing, it does not move
    EXPECT_DOUBLE_EQ(meter.totalAt(9999999), 103.5);
}

// Whoever shows the meter is told of every start, stop and new rate, and of nothing else.
TEST_F(AccumulationTest, TellsItsWatcherOfEveryChangeOfPace) {
    struct Counter : AccumulationWatcher {
        int told = 0;
        void paceChanged() override { ++told; }
    } counter;
    const Accumulation& shown = meter;
    shown.watchedBy(&counter);
    meter.stop(2000);
    meter.start(3000, true);
    meter.changeRate(4000, 30);
    meter.takeOff(1);
    meter.setTotal(5000, 7);
    EXPECT_EQ(counter.told, 3);
    shown.watchedBy(nullptr);
    meter.stop(6000);
    EXPECT_EQ(counter.told, 3);
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
