#include "activities/log_text.h"

#include <gtest/gtest.h>

#include <cstring>

#include "test_files.h"

namespace {

constexpr std::int64_t SECOND = 10000000;  // in 100 ns units

LogMoment moment(const char* weekday, const char* longDate, const char* shortDate,
                 const char* time) {
    LogMoment m;
    std::strcpy(m.weekday, weekday);
    std::strcpy(m.longDate, longDate);
    std::strcpy(m.shortDate, shortDate);
    std::strcpy(m.time, time);
    return m;
}

TEST(ActivityLog, WorkedExampleByteForByte) {
    TempDir dir;
    const std::string path = dir.file("log.txt");
    const LogMoment startUp = moment("Monday", "03 March 2003", "03/03/2003", "09:12");
    const LogMoment lunch = moment("Monday", "03 March 2003", "03/03/2003", "12:30");
    const LogMoment none;
    const std::int64_t workStart = 1000 * SECOND;
    const std::int64_t lunchStart = workStart + (3 * 3600 + 17 * 60 + 25) * SECOND;

    ASSERT_TRUE(appendToLog(path.c_str(), logRecordText(LOG_BANNER, "", startUp, none, 0).text));
    ASSERT_TRUE(
        appendToLog(path.c_str(), logRecordText(LOG_STARTED, "Working", startUp, none, 0).text));
    ASSERT_TRUE(appendToLog(path.c_str(), logRecordText(LOG_FINISHED, "", startUp, lunch,
                                                        durationSeconds(workStart, lunchStart))
                                              .text));
    ASSERT_TRUE(
        appendToLog(path.c_str(), logRecordText(LOG_STARTED, "Lunch", lunch, none, 0).text));
    ASSERT_TRUE(appendToLog(path.c_str(),
                            logRecordText(LOG_FINISHED, "", lunch, lunch,
                                          durationSeconds(lunchStart, lunchStart + 25 * SECOND))
                                .text));

    EXPECT_EQ(readBytes(path), onDisk("\n"
                                      "Monday 03 March 2003 - Cointrel started\n"
                                      "  Working\n"
                                      "    03/03/2003, 09:12, Started\n"
                                      "    03/03/2003, 12:30, Finished\n"
                                      "    Duration: 03:17\n"
                                      "  Lunch\n"
                                      "    03/03/2003, 12:30, Started\n"
                                      "    03/03/2003, 12:30, Finished\n"
                                      "    Duration: less than 1 minute\n"));
}

struct DurationCase {
    std::int64_t from, to;  // 100 ns units
    const char* line;
};

TEST(ActivityLog, DurationLines) {
    const std::int64_t t0 = 127000000000000000;  // a day in 2003
    const DurationCase cases[] = {
        {t0, t0 + 59 * SECOND, "    Duration: less than 1 minute\n"},
        {t0, t0 + 60 * SECOND, "    Duration: 00:01\n"},
        {t0, t0 + 1199 * SECOND / 10, "    Duration: 00:01\n"},
        {t0, t0 + 3599 * SECOND, "    Duration: 00:59\n"},
        {t0, t0 + 3600 * SECOND, "    Duration: 01:00\n"},
        {t0, t0 + (125 * 3600 + 4 * 60) * SECOND, "    Duration: 125:04\n"},
        {t0 + 3600 * SECOND, t0, "    Duration: 01:00\n"},  // the clock was put back
        // Past 68 years the seconds no longer fit 32 bits.
        {0, 100LL * 365 * 86400 * SECOND, "    Duration: 876000:00\n"},
    };
    const LogMoment m = moment("", "", "01/01/2003", "10:00");
    for (const DurationCase& c : cases) {
        const std::string text =
            logRecordText(LOG_FINISHED, "", m, m, durationSeconds(c.from, c.to)).text;
        EXPECT_EQ(text, std::string("    01/01/2003, 10:00, Finished\n") + c.line);
    }
}

TEST(ActivityLog, LongNamesAndEmptyTextsAreWrittenWhole) {
    const std::string name(255, 'w');
    const LogMoment empty;
    EXPECT_EQ(logRecordText(LOG_STARTED, name.c_str(), empty, empty, 0).text,
              "  " + name + "\n    , , Started\n");
    EXPECT_STREQ(logRecordText(LOG_BANNER, "", empty, empty, 0).text, "\n  - Cointrel started\n");
}

// Local times counted as the platform counts file times, and back, with the day of the week.
TEST(ActivityLog, WallClockCountsRoundTrip) {
    struct Case {
        LocalTime time;  // year, month, weekday, day, hour, minute, second, ms
        std::int64_t value;
    } const cases[] = {
        {{1601, 1, 1, 1, 0, 0, 0, 0}, 0},
        {{1970, 1, 4, 1, 0, 0, 0, 0}, 116444736000000000},
        {{2000, 2, 2, 29, 23, 59, 59, 999}, 125963423999990000},
        {{2026, 12, 2, 8, 9, 12, 40, 5}, 134411947600050000},
        {{30827, 12, 5, 31, 23, 59, 59, 999}, 9223149887999990000},
    };
    for (const Case& c : cases) {
        std::int64_t value = -1;
        EXPECT_TRUE(wallClockValue(c.time, value)) << c.value;
        EXPECT_EQ(value, c.value);
        LocalTime back{};
        ASSERT_TRUE(localTimeOf(c.value, back)) << c.value;
        EXPECT_EQ(std::memcmp(&back, &c.time, sizeof back), 0) << c.value;
    }
    std::int64_t value = 0;
    for (const LocalTime none :
         {LocalTime{1600, 12, 0, 31, 0, 0, 0, 0}, LocalTime{2026, 13, 0, 1, 0, 0, 0, 0},
          LocalTime{2025, 2, 0, 29, 0, 0, 0, 0}, LocalTime{2026, 1, 0, 1, 24, 0, 0, 0}}) {
        EXPECT_FALSE(wallClockValue(none, value)) << none.year << "-" << none.month;
    }
    LocalTime back{};
    EXPECT_FALSE(localTimeOf(-1, back));
    EXPECT_FALSE(localTimeOf(9223149888000000000, back));
}

TEST(ActivityLog, BannerNamesTheWeekdayOnce) {
    const LogMoment us = moment("Tuesday", "Tuesday, December 8, 2026", "12/8/2026", "09:00");
    EXPECT_STREQ(logRecordText(LOG_BANNER, "", us, {}, 0).text,
                 "\nTuesday, December 8, 2026 - Cointrel started\n");
    const LogMoment gb = moment("Tuesday", "08 December 2026", "08/12/2026", "09:00");
    EXPECT_STREQ(logRecordText(LOG_BANNER, "", gb, {}, 0).text,
                 "\nTuesday 08 December 2026 - Cointrel started\n");
}

// What a change of the switch or the file mid-period writes, so that every file's Started has
// its Finished.
TEST(ActivityLog, HandoverKeepsEveryStartedPaired) {
    struct Case {
        bool was;
        const char* from;
        bool now;
        const char* to;
        bool finishInOld, startInNew;
    } const cases[] = {
        {false, "log.txt", true, "log.txt", false, true},     // switched on
        {true, "log.txt", false, "log.txt", true, false},     // switched off
        {true, "log.txt", true, "week.txt", true, true},      // another file
        {true, "log.txt", true, "log.txt", false, false},     // OK, nothing changed
        {false, "log.txt", false, "week.txt", false, false},  // another file, logging off
        {false, "log.txt", true, "week.txt", false, true},    // on, to another file
        {true, "log.txt", false, "week.txt", true, false},    // off, and another file
    };
    for (const Case& c : cases) {
        const LogHandover h = logHandover(c.was, c.from, c.now, c.to);
        EXPECT_EQ(h.finishInOld, c.finishInOld) << c.was << c.from << " -> " << c.now << c.to;
        EXPECT_EQ(h.startInNew, c.startInNew) << c.was << c.from << " -> " << c.now << c.to;
    }
}

TEST(ActivityLog, TimeTextIsCutToHoursAndMinutes) {
    char full[16] = "14:05:33";
    cutToHoursAndMinutes(full);
    EXPECT_STREQ(full, "14:05");
    char shortTime[16] = "9:05";
    cutToHoursAndMinutes(shortTime);
    EXPECT_STREQ(shortTime, "9:05");
    char empty[16] = "";
    cutToHoursAndMinutes(empty);
    EXPECT_STREQ(empty, "");
}

TEST(ActivityLog, UnopenableFileLosesTheRecordQuietly) {
    TempDir dir;
    const std::string path = dir.file("missing-folder/log.txt");
    EXPECT_FALSE(appendToLog(path.c_str(), "\nMonday - Cointrel started\n"));
    EXPECT_FALSE(exists(path));
}

}  // namespace
