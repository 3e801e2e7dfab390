#include "app/workday.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "test_day.h"
#include "test_files.h"
#include "workday_world.h"

namespace {

LocalTime at(int hour, int minute, int second = 0) {
    return onTheDay(hour, minute, second);
}

std::int64_t wall(int hour, int minute, int second = 0) {
    return wallOnTheDay(hour, minute, second);
}

// UTC, three hours ahead of this machine's local time: a crashed run two hours ahead of it, as
// in another time zone, left a period whose checkpoint looks like the future by the local clock.
constexpr std::int64_t UTC_AHEAD = 3 * 3600 * UNITS_PER_SECOND;
struct Moment {
    std::int64_t local, utc;
};

const char* const ALL =
    "Kett DaysPerYear HoursPerDay Hourly ActivitiesFile LogFile Logging CurrentActivity "
    "Placement TopMost Currency DigitsBitmapFile Decimals LedgerFile Ledger AwayMinutes "
    "NotificationIcon HideWhenMinimised";
const std::string ALL_AND_NOTHING_OPEN = std::string(ALL) + " -LedgerPending -Checkpoint";

// How many stretches of time away the run's record in the key keeps.
std::size_t keptStretches(World& world) {
    RunRecord record;
    return loadRunRecord(world.key, record) ? record.stretchCount : 0;
}

// A run at 25 an hour from 100, logging to log.txt, that finds a crashed run's period at start:
// every event's log records, ledger rows and writes to the key, and the meter after it.
TEST(Workday, EventsAsTheKeyTheLogAndTheLedgerSeeThem) {
    TempDir dir;
    World world;
    world.utcAhead = UTC_AHEAD;
    world.key.setText("ActivitiesFile", dir.file("acts.txt"));
    world.key.set("Kett", 100.0f);
    world.key.set("Logging", std::int32_t{1});
    world.key.setText("CurrentActivity", "Working");
    world.key.set("PeriodStart", Moment{wall(10, 0), wall(8, 0) + UTC_AHEAD});
    world.key.set("PeriodCheckpoint", Moment{wall(10, 20), wall(8, 20) + UTC_AHEAD});
    world.key.setText("PeriodName", "Filing");
    world.key.set("PeriodPaid", std::int32_t{1});
    world.key.set("PeriodStartTotal", 93.0);
    world.key.setText("PeriodLog", "old.txt");
    world.key.setText("PeriodLedger", "C:\\work\\ledger.csv");
    Workday day(WorkdayServices{world, world, world, world, world});
    struct Step {
        const char* what;
        LocalTime now;
        std::uint32_t tick;
        std::function<void()> act;
        std::string records, written;
        bool running;
        std::uint32_t startTick;
        double total;
    } const steps[] = {
        {"start-up finds a crashed run's period, ahead of the local clock", at(9, 0), 1000,
         [&] {
             ASSERT_TRUE(day.load());
             day.begin();
         },
         "old.txt Finished Filing 10:00-10:20|ledger.csv Filing,1,1200,7.00|log.txt Banner 09:00|"
         "log.txt Started Working 09:00|",
         "-PeriodCheckpoint -PeriodStart -PeriodName -PeriodPaid -PeriodStartTotal -PeriodLog"
         " -PeriodLedger -AwayStretch -AwayActivity -LedgerPending Checkpoint Checkpoint",
         true, 1000, 100.0},
        {"the first checkpoint: every value", at(9, 0, 10), 11000, [&] { day.checkpoint(); }, "",
         std::string(ALL) + " Checkpoint", true, 1000, 100.0 + 25.0 * 10 / 3600},
        {"a growing total's checkpoint", at(9, 0, 20), 21000, [&] { day.checkpoint(); }, "",
         "Kett Checkpoint", true, 1000, 100.0 + 25.0 * 20 / 3600},
        {"a switch to an unpaid activity", at(11, 0), 7201000, [&] { day.switchTo(2); },
         "log.txt Finished Working 09:00-11:00|ledger.csv Working,1,7200,50.00|"
         "log.txt Started Lunch 11:00|",
         "Checkpoint Kett CurrentActivity Checkpoint", false, 7201000, 150.0},
        {"a standing total's checkpoint", at(11, 1), 7261000, [&] { day.checkpoint(); }, "",
         "Checkpoint", false, 7201000, 150.0},
        {"a reset while the ledger is locked: its rows wait in the key", at(12, 0), 10801000,
         [&] {
             world.locked = true;
             day.resetTotal(7.0);
         },
         "log.txt Finished Lunch 11:00-12:00|log.txt Started None 12:00|",
         "Checkpoint Kett LedgerPending Checkpoint", true, 10801000, 7.0},
        {"free again, it takes them first", at(12, 0, 10), 10811000,
         [&] {
             world.locked = false;
             day.checkpoint();
         },
         "ledger.csv Lunch,0,3600,0.00|", "Kett -LedgerPending Checkpoint", true, 10801000,
         7.0 + 25.0 * 10 / 3600},
        {"logging off mid-period", at(12, 30), 12601000,
         [&] { day.loggingChosen(false, "log.txt"); }, "log.txt Finished None 12:00-12:30|",
         "Checkpoint Kett Logging", true, 10801000, 19.5},
        {"on again, to another file", at(13, 0), 14401000,
         [&] { day.loggingChosen(true, "week.txt"); }, "week.txt Started None 12:00|",
         "Checkpoint Kett LogFile Logging", true, 10801000, 32.0},
        {"the session ends", at(14, 0), 18001000, [&] { day.sessionEnds(); },
         "week.txt Finished None 12:00-14:00|ledger.csv None,1,7200,50.00|",
         std::string(ALL) + " -LedgerPending Checkpoint -Checkpoint", false, 10801000, 57.0},
        {"exit after it: logged again, no second row", at(14, 0), 18001000, [&] { day.exit(); },
         "week.txt Finished None 12:00-14:00|", ALL_AND_NOTHING_OPEN, false, 10801000, 57.0},
        {"after the exit nothing changes", at(14, 5), 18301000,
         [&] {
             day.switchTo(1);
             day.checkpoint();
         },
         "", "", false, 10801000, 57.0},
    };
    for (const Step& s : steps) {
        world.now = s.now;
        world.tick = s.tick;
        world.records.clear();
        world.written.clear();
        s.act();
        EXPECT_EQ(world.records, s.records) << s.what;
        EXPECT_EQ(world.written, s.written) << s.what;
        EXPECT_EQ(day.meter().running(), s.running) << s.what;
        EXPECT_EQ(day.meter().startTick(), s.startTick) << s.what;
        EXPECT_NEAR(day.currentTotal(), s.total, 1e-9) << s.what;
    }
    EXPECT_EQ(world.key.get<float>("Kett"), 57.0f);
    EXPECT_EQ(world.key.get<std::int32_t>("Logging"), 1);
    const auto text = [&](const char* name) {
        const std::vector<unsigned char>& data = world.key.values.at(name).data;
        return std::string(data.begin(), data.end() - 1);
    };
    EXPECT_EQ(text("CurrentActivity"), "Lunch");
    EXPECT_EQ(text("LogFile"), "week.txt");
    EXPECT_EQ(day.checkpointPeriodMs(), 0u);
    // A ledger another program holds is left out of the summary, which says so.
    EXPECT_EQ(day.summary(0)->file, LedgerRead::Whole);
    world.held = true;
    EXPECT_EQ(day.summary(0)->file, LedgerRead::Held);
}

// At 3600 an hour from 100, Working from 09:00: the screen locked from 09:10 to 09:30, answered
// at 09:40, the run ended at 10:00. The total, the log and the ledger agree for every answer; and
// a crash with the question open loses neither it nor any money.
TEST(Workday, TimeAwayCountsAsTheUserSays) {
    TempDir dir;
    writeBytes(dir.file("acts.txt"), "!Nothing in particular\nWorking\n!Lunch\nMeeting\n");
    const auto atMinute = [](World& world, int minute, const std::function<void()>& act) {
        world.now = at(9 + minute / 60, minute % 60);
        world.tick = static_cast<std::uint32_t>(minute) * 60000;
        act();
    };
    const auto run = [&](World& world, Workday& day) {
        world.key.setText("ActivitiesFile", dir.file("acts.txt"));
        world.key.set("Kett", 100.0f);
        world.key.set("Hourly", 3600.0f);
        world.key.set("Logging", std::int32_t{1});
        world.key.setText("CurrentActivity", "Working");
        atMinute(world, 0, [&] {
            ASSERT_TRUE(day.load());
            day.begin();
        });
        world.lastInput = 600000;
        atMinute(world, 10, [&] { day.sessionLocked(true); });
        atMinute(world, 30, [&] { day.sessionLocked(false); });
        AwayQuestion ask{};
        ASSERT_TRUE(day.awayQuestion(ask));
        EXPECT_EQ((ask.end - ask.start) / UNITS_PER_SECOND, 1200);
        EXPECT_STREQ(ask.activity, "Working");
        EXPECT_EQ(keptStretches(world), 1u) << "kept while it is open";
        world.records.clear();
    };
    const std::string before = "log.txt Finished Working 09:00-09:10|";
    const struct {
        const char* what;
        int picked;
        double total;  // at 10:00
        std::string records;
    } answers[] = {
        {"unpaid: its earnings come off", 0, 2500.0,
         before + "log.txt Started Nothing in particular 09:10|"
                  "log.txt Finished Nothing in particular 09:10-09:30|"
                  "ledger.csv Working,1,600,600.00|ledger.csv Nothing in particular,0,1200,0.00|"
                  "log.txt Started Working 09:30|log.txt Finished Working 09:30-10:00|"
                  "ledger.csv Working,1,1800,1800.00|"},
        {"another paid activity: nothing off", 3, 3700.0,
         before + "log.txt Started Meeting 09:10|log.txt Finished Meeting 09:10-09:30|"
                  "ledger.csv Working,1,600,600.00|ledger.csv Meeting,1,1200,1200.00|"
                  "log.txt Started Working 09:30|log.txt Finished Working 09:30-10:00|"
                  "ledger.csv Working,1,1800,1800.00|"},
        {"keep", -1, 3700.0,
         "log.txt Finished Working 09:00-10:00|ledger.csv Working,1,3600,3600.00|"},
        {"the activity interrupted: as keep", 1, 3700.0,
         "log.txt Finished Working 09:00-10:00|ledger.csv Working,1,3600,3600.00|"},
    };
    for (const auto& a : answers) {
        World world;
        world.utcAhead = UTC_AHEAD;
        Workday day(WorkdayServices{world, world, world, world, world});
        run(world, day);
        world.written.clear();
        atMinute(world, 35, [&] {
            world.tick += 7;  // the tick count a little out of step with the UTC clock
            day.checkpoint();
        });
        EXPECT_EQ(keptStretches(world), 1u) << a.what << ": kept at each checkpoint";
        world.lastInput = 40 * 60000;  // the answer's click
        atMinute(world, 40, [&] { day.awayAnswered(a.picked); });
        EXPECT_EQ(keptStretches(world), 0u) << a.what << ": answered";
        world.lastInput = 60 * 60000;  // Exit's
        atMinute(world, 60, [&] { day.exit(); });
        EXPECT_EQ(world.records, a.records) << a.what;
        EXPECT_EQ(world.key.get<float>("Kett"), static_cast<float>(a.total)) << a.what;
    }

    // A crash with the question open: the next start asks it, and counts the crashed period so.
    World world;
    world.utcAhead = UTC_AHEAD;
    auto crashed = std::make_unique<Workday>(WorkdayServices{world, world, world, world, world});
    run(world, *crashed);
    const float saved = world.key.get<float>("Kett");  // 1900, as at 09:30
    Workday next(WorkdayServices{world, world, world, world, world});
    world.now = at(9, 45);
    ASSERT_TRUE(next.load());
    AwayQuestion ask{};
    ASSERT_TRUE(next.awayQuestion(ask));
    EXPECT_STREQ(ask.activity, "Working");
    next.awayAnswered(2);  // Lunch
    next.begin();
    // The stretch ended at the crashed run's last checkpoint: no period after it, and no row of
    // no time.
    EXPECT_EQ(
        world.records,
        "C:\\work\\log.txt Finished Working 09:00-09:10|C:\\work\\log.txt Started Lunch 09:10|"
        "C:\\work\\log.txt Finished Lunch 09:10-09:30|ledger.csv Working,1,600,600.00|"
        "ledger.csv Lunch,0,1200,0.00|log.txt Banner 09:45|log.txt Started Working 09:45|");
    EXPECT_EQ(next.currentTotal(), static_cast<double>(saved) - 1200.0);
    EXPECT_FALSE(next.awayQuestion(ask));
    EXPECT_EQ(keptStretches(world), 0u);
}

// A run whose clock was a day fast, ended from outside after 20 s: the next start, by the right
// clock, closes its period with its own length, dated by its own stamps.
TEST(Workday, ACrashedPeriodOfAClockThatRanFastKeepsItsLength) {
    TempDir dir;
    World world;
    world.key.setText("ActivitiesFile", dir.file("acts.txt"));
    world.key.set("Hourly", 3600.0f);
    world.key.set("Logging", std::int32_t{1});
    world.now = at(9, 0);
    world.now.day = 9;
    auto fast = std::make_unique<Workday>(world.services());
    ASSERT_TRUE(fast->load());
    fast->begin();
    world.now.second = 20;
    world.tick = 20000;
    fast->checkpoint();
    fast.reset();  // ended from outside
    world.records.clear();
    world.now = at(9, 5);
    world.tick = 30000;
    Workday next(world.services());
    ASSERT_TRUE(next.load());
    next.begin();
    EXPECT_EQ(world.records,
              "C:\\work\\log.txt Finished Working 09:00-09:00|ledger.csv Working,1,20,20.00|"
              "log.txt Banner 09:05|log.txt Started Working 09:05|");
    EXPECT_EQ(world.ledgers["ledger.csv"].substr(0, 30), "2026-12-09,09:00:00,09:00:20,W");
    EXPECT_EQ(next.currentTotal(), 20.0);
}

// A ledger chosen on a drive that is gone: rows go to the working folder's meanwhile, the choice
// stays, and once the drive is back they go there again. The summary reads both, and says so.
TEST(Workday, ALedgerThatCannotBeWrittenIsStandedInForMeanwhile) {
    TempDir dir;
    World world;
    world.key.setText("ActivitiesFile", dir.file("acts.txt"));
    world.key.set("Hourly", 3600.0f);
    world.key.setText("LedgerFile", std::string("E:\\ledger.csv") + '\0');
    world.unusable = "E:\\ledger.csv";
    Workday day(world.services());
    world.now = at(9, 0);
    ASSERT_TRUE(day.load());
    day.begin();
    world.now = at(9, 10);
    world.tick = 600000;
    day.switchTo(2);  // Lunch: Working's row
    world.unusable.clear();
    world.now = at(9, 20);
    world.tick = 1200000;
    day.switchTo(1);  // Working again: Lunch's row
    EXPECT_EQ(world.records, "ledger.csv Working,1,600,600.00|E:\\ledger.csv Lunch,0,600,0.00|");
    EXPECT_STREQ(day.settings().ledgerFile, "E:\\ledger.csv");
    const std::unique_ptr<LedgerSummary> summary = day.summary(0);
    EXPECT_EQ(summary->ranges[TODAY].paidSeconds, 600);
    EXPECT_EQ(summary->fallbackRows, 1u);
    EXPECT_STREQ(summaryNote(*summary, "E:\\ledger.csv", "ledger.csv").text,
                 "1 row comes from ledger.csv in the working folder, where it went while "
                 "E:\\ledger.csv could not be written.");
}

// The screen locked for longer than asked about when the session ends: the stretch is kept for
// the next start to ask about, however far the tick count moves between the workday's reads.
TEST(Workday, TimeAwayGoingOnAtTheSessionsEndIsKept) {
    TempDir dir;
    for (const std::uint32_t drift : {0u, 1u, 7u}) {
        World world;
        world.key.setText("ActivitiesFile", dir.file("acts.txt"));
        world.key.set("AwayMinutes", std::int32_t{1});
        world.drift = drift;
        Workday day(world.services());
        world.now = at(9, 0);
        ASSERT_TRUE(day.load());
        day.begin();
        world.now = at(9, 0, 10);
        world.tick = world.lastInput = 10000;
        day.sessionLocked(true);
        world.now = at(9, 1, 20);
        world.tick = 80000;
        day.sessionEnds();
        EXPECT_EQ(keptStretches(world), 1u) << "drift " << drift;
        EXPECT_EQ(world.ledgers["ledger.csv"], "") << "drift " << drift;
    }
}

}  // namespace
