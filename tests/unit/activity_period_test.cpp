#include "app/activity_period.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

namespace {

LocalTime at(int hour, int minute) {
    LocalTime t{};
    t.year = 2026;
    t.month = 12;
    t.day = 8;
    t.hour = static_cast<std::uint16_t>(hour);
    t.minute = static_cast<std::uint16_t>(minute);
    return t;
}

// A meter at 25 an hour from 100, a log, and a clock and tick counter that the steps set.
struct PeriodTest : ::testing::Test {
    Rate rate;
    Accumulation meter{rate, 100.0};
    LogFields log;
    LocalTime now{};
    std::uint32_t tick = 0;
    std::string records;
    std::function<LocalTime()> clock = [this] { return now; };
    std::function<std::uint32_t()> ticks = [this] { return tick; };
    std::function<void(const LogFields&, LogRecordKind)> write = [this](const LogFields& l,
                                                                        LogRecordKind kind) {
        static const char* const kinds[] = {"Banner", "Started", "Finished"};
        char text[400];
        std::snprintf(text, sizeof text, "%s %s %s %02d:%02d-%02d:%02d|", l.logFileName,
                      kinds[kind], kind == LOG_BANNER ? "" : l.logActivityName, l.startTime.hour,
                      l.startTime.minute, kind == LOG_FINISHED ? l.finishTime.hour : 0,
                      kind == LOG_FINISHED ? l.finishTime.minute : 0);
        records += l.loggingEnabled ? text : "";
    };
    std::function<void(LedgerPeriod&)> record = [this](LedgerPeriod& p) {
        char text[400];
        std::snprintf(text, sizeof text, "ledger %s %d %.2f|", p.activity, p.paid, p.earned);
        records += text;
    };
    PeriodServices services{clock, ticks, write, record};
};

TEST_F(PeriodTest, EveryChangeOfPeriodAsTheMeterAndTheLogSeeIt) {
    log.loggingEnabled = true;
    copyText(log.logFileName, "log.txt");
    meter.step(0);  // takes the construction's pending re-base
    const OpenPeriod crashed{0, 0, "Filing", true, 3.0, true};
    struct Step {
        const char* what;
        LocalTime now;
        std::uint32_t tick;
        std::function<void()> act;
        const char* records;
        bool running;
        std::uint32_t startTick;
        double total;
    } const steps[] = {
        {"start-up", at(9, 0), 1000, [&] { logStartUp(log, services); },
         "log.txt Banner  09:00-00:00|", false, 0, 100.0},
        {"a paid activity", at(9, 0), 1000,
         [&] { startPeriod(meter, log, "Working", true, services); },
         "log.txt Started Working 09:00-00:00|", true, 1000, 100.0},
        {"two hours later, finished", at(11, 0), 7201000,
         [&] {
             meter.step(tick);
             finishPeriod(meter, log, services);
         },
         "log.txt Finished Working 09:00-11:00|ledger Working 1 50.00|", false, 1000, 150.0},
        {"finished again, as at exit after the session's end", at(11, 0), 7201000,
         [&] { finishPeriod(meter, log, services); }, "log.txt Finished Working 09:00-11:00|",
         false, 1000, 150.0},
        {"an unpaid activity stands", at(11, 0), 9000000,
         [&] {
             startPeriod(meter, log, "Lunch", false, services);
             meter.step(9999999);
         },
         "log.txt Started Lunch 11:00-00:00|", false, 9000000, 150.0},
        {"a reset runs from its total", at(12, 0), 10000000,
         [&] {
             resetPeriod(meter, log, 7.0, services);
             meter.step(10144000);
         },
         "log.txt Finished Lunch 11:00-12:00|ledger Lunch 0 0.00|log.txt Started None 12:00-00:00|",
         true, 10000000, 8.0},
        {"logging off mid-period", at(12, 30), 0,
         [&] {
             log.loggingEnabled = false;
             handOverLog(log, true, "log.txt", services);
         },
         "log.txt Finished None 12:00-12:30|", true, 10000000, 8.0},
        {"on again, to another file", at(13, 0), 0,
         [&] {
             log.loggingEnabled = true;
             copyText(log.logFileName, "week.txt");
             handOverLog(log, false, "log.txt", services);
         },
         "week.txt Started None 12:00-00:00|", true, 10000000, 8.0},
        {"a crashed run's period", at(13, 0), 0,
         [&] {
             OpenPeriod left = crashed;
             ASSERT_TRUE(wallClockValue(at(8, 0), left.start));
             ASSERT_TRUE(wallClockValue(at(8, 20), left.checkpoint));
             closeLeftOpen(left, true, "old.txt", 10.0, 25.0, services);
             left.hasEarnings = false;
             closeLeftOpen(left, false, "off.txt", 10.0, 25.0, services);
         },
         "old.txt Finished Filing 08:00-08:20|ledger Filing 1 7.00|", true, 10000000, 8.0},
    };
    for (const Step& s : steps) {
        now = s.now;
        tick = s.tick;
        records.clear();
        s.act();
        EXPECT_EQ(records, s.records) << s.what;
        EXPECT_EQ(meter.running, s.running) << s.what;
        EXPECT_EQ(meter.startTick, s.startTick) << s.what;
        EXPECT_DOUBLE_EQ(meter.total, s.total) << s.what;
    }
}

}  // namespace
