#include "activities/activity_log_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "win_test_support.h"

namespace {

std::string readFile(const std::string& path) {
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
            bytes.append(buffer, n);
        }
        std::fclose(f);
    }
    return bytes;
}

LocalTime at(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms = 0) {
    LocalTime t{};
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    t.milliseconds = ms;
    return t;
}

struct LogTest : ::testing::Test {
    LogFields panel;
    std::string path;
    void SetUp() override {
        path = tempPath(
            (std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".txt")
                .c_str());
        DeleteFileA(path.c_str());
        std::strcpy(panel.logFileName, path.c_str());
        panel.loggingEnabled = true;
    }
};

// The test run's locale is English (United Kingdom).
TEST_F(LogTest, DateAndTimeTextsComeFromTheLocale) {
    ASSERT_EQ(GetUserDefaultLCID(), 0x0809u);
    const LogMoment m = logMomentOf(systemTime(at(2003, 3, 3, 9, 12, 40)));
    EXPECT_STREQ(m.weekday, "Monday");
    EXPECT_STREQ(m.longDate, "Monday, 3 March 2003");
    EXPECT_STREQ(m.shortDate, "03/03/2003");
    EXPECT_STREQ(m.time, "09:12");
    EXPECT_STREQ(logMomentOf(systemTime(at(2003, 3, 3, 21, 5, 33))).time, "21:05");
}

TEST_F(LogTest, RecordsOnDiskEndInCrLf) {
    panel.startTime = at(2003, 3, 3, 9, 12, 40);
    panel.logActivityName = "Working";
    writeLogRecord(panel, LOG_BANNER);
    writeLogRecord(panel, LOG_STARTED);
    panel.finishTime = at(2003, 3, 3, 12, 30, 5);
    writeLogRecord(panel, LOG_FINISHED);
    EXPECT_EQ(readFile(path),
              "\r\nMonday, 3 March 2003 - Cointrel started\r\n"
              "  Working\r\n    03/03/2003, 09:12, Started\r\n"
              "    03/03/2003, 12:30, Finished\r\n    Duration: 03:17\r\n");
}

TEST_F(LogTest, DurationsFromCalendarTimes) {
    struct Case {
        LocalTime start, finish;
        const char* line;
    } cases[] = {
        {at(2025, 12, 31, 23, 50, 0), at(2026, 1, 1, 0, 20, 0), "    Duration: 00:30\r\n"},
        {at(2026, 1, 1, 10, 0, 0), at(2026, 1, 1, 10, 1, 59, 900), "    Duration: 00:01\r\n"},
        {at(2026, 1, 2, 10, 0, 0), at(2026, 1, 1, 10, 0, 0), "    Duration: 24:00\r\n"},
        // A time the platform cannot convert counts as no time at all.
        {at(2026, 13, 1, 10, 0, 0), at(2026, 1, 1, 10, 0, 0),
         "    Duration: less than 1 minute\r\n"},
    };
    for (const Case& c : cases) {
        DeleteFileA(path.c_str());
        panel.startTime = c.start;
        panel.finishTime = c.finish;
        writeLogRecord(panel, LOG_FINISHED);
        const std::string text = readFile(path);
        ASSERT_GT(text.size(), std::strlen(c.line));
        EXPECT_EQ(text.substr(text.size() - std::strlen(c.line)), c.line);
    }
}

TEST_F(LogTest, LoggingOffCreatesNoFile) {
    panel.loggingEnabled = false;
    panel.startTime = at(2003, 3, 3, 9, 12, 40);
    writeLogRecord(panel, LOG_BANNER);
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(LogTest, UnopenablePathWritesNothing) {
    const std::string bad = tempPath("no-such-folder\\log.txt");
    std::strcpy(panel.logFileName, bad.c_str());
    panel.startTime = at(2003, 3, 3, 9, 12, 40);
    writeLogRecord(panel, LOG_BANNER);
    EXPECT_EQ(GetFileAttributesA(bad.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
