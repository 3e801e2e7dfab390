#include "activities/ledger.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "activities/ledger_summary.h"

#include <memory>
#include <string>

#include "activities/log_text.h"
#include "test_files.h"

namespace {

std::int64_t at(int year, int month, int day, int hour, int minute, int second, int ms = 0) {
    const LocalTime t{std::uint16_t(year),   std::uint16_t(month), 0,
                      std::uint16_t(day),    std::uint16_t(hour),  std::uint16_t(minute),
                      std::uint16_t(second), std::uint16_t(ms)};
    std::int64_t value = 0;
    EXPECT_TRUE(wallClockValue(t, value));
    return value;
}

std::string rowsOf(const LedgerPeriod& period, LocalZone* zone = nullptr) {
    TextBuffer rows;
    appendLedgerRows(period, rows, zone);
    return {rows.data(), rows.size()};
}

// A time zone whose clocks change once: its offset from UTC before and after.
struct OneChange : LocalZone {
    std::int64_t changeUtc, before, after;
    OneChange(std::int64_t change, int hoursBefore, int hoursAfter)
        : changeUtc(change),
          before(hoursBefore * 3600 * UNITS_PER_SECOND),
          after(hoursAfter * 3600 * UNITS_PER_SECOND) {}
    std::int64_t localOf(std::int64_t utc) override {
        return utc + (utc < changeUtc ? before : after);
    }
};

LedgerPeriod period(std::int64_t start, std::int64_t finish, const char* name, bool paid,
                    double earned, int currency = 0, std::int64_t seconds = -1,
                    std::int64_t startUtc = 0) {
    LedgerPeriod p;
    p.start = start;
    p.finish = finish;
    p.elapsed = seconds < 0 ? -1 : seconds * UNITS_PER_SECOND;
    p.startUtc = startUtc;
    p.activity = name;
    p.paid = paid;
    p.hourly = 25.0;
    p.earned = earned;
    p.currency = currency;
    return p;
}

double amountOf(const Money& money, const char* code) {
    for (std::size_t i = 0; i < money.count; ++i) {
        if (std::strcmp(money.parts[i].code, code) == 0) {
            return money.parts[i].amount;
        }
    }
    return 0;
}

const CurrencySigns SIGNS{{"\xA3", "$", "\x80", ""}};

TEST(Ledger, RowsAreRfc4180SplitAtMidnightAndAddUp) {
    const char* const row = "2026-12-08,09:00:00,10:00:00,Working,1,3600,25.00,25.00,GBP\r\n";
    // London and Beirut in 2026: London's clocks change at 01:00 UTC, Beirut's at local midnight.
    OneChange londonSpring(at(2026, 3, 29, 1, 0, 0), 0, 1);
    OneChange londonAutumn(at(2026, 10, 25, 1, 0, 0), 1, 0);
    OneChange beirutSpring(at(2026, 3, 28, 22, 0, 0), 2, 3);
    OneChange beirutAutumn(at(2026, 10, 24, 21, 0, 0), 3, 2);
    const struct {
        const char* what;
        LedgerPeriod period;
        const char* rows;
        LocalZone* zone = nullptr;
    } cases[] = {
        {"paid", period(at(2026, 12, 8, 9, 0, 0), at(2026, 12, 8, 10, 0, 0), "Working", true, 25),
         row},
        {"unpaid earns nothing, whatever the meter did",
         period(at(2026, 12, 8, 9, 0, 0, 700), at(2026, 12, 8, 9, 0, 10, 200), "Lunch", false, 3,
                1),
         "2026-12-08,09:00:00,09:00:10,Lunch,0,10,25.00,0.00,USD\r\n"},
        {"quoted name",
         period(at(2026, 1, 2, 3, 4, 5), at(2026, 1, 2, 3, 4, 5), "A, \"b\"", true, 0, 3),
         "2026-01-02,03:04:05,03:04:05,\"A, \"\"b\"\"\",1,0,25.00,0.00,custom\r\n"},
        {"across midnight, in proportion",
         period(at(2026, 12, 31, 23, 30, 0), at(2027, 1, 1, 0, 15, 0), "Night", true, 1, 2),
         "2026-12-31,23:30:00,00:00:00,Night,1,1800,25.00,0.67,EUR\r\n"
         "2027-01-01,00:00:00,00:15:00,Night,1,900,25.00,0.33,EUR\r\n"},
        {"the clock went back an hour past its start: one row, its true length",
         period(at(2026, 10, 25, 1, 30, 0), at(2026, 10, 25, 1, 10, 0), "Working", true, 2400, 0,
                2400),
         "2026-10-25,01:30:00,01:10:00,Working,1,2400,25.00,2400.00,GBP\r\n"},
        {"the clock went forward an hour: the seconds are the time that passed",
         period(at(2026, 3, 29, 0, 59, 30), at(2026, 3, 29, 2, 0, 20), "Working", true, 50.21, 0,
                50),
         "2026-03-29,00:59:30,02:00:20,Working,1,50,25.00,50.21,GBP\r\n"},
        {"across midnight, the true length shared as the local time is, with no UTC known",
         period(at(2026, 12, 31, 23, 0, 0), at(2027, 1, 1, 1, 0, 0), "Night", true, 2, 0, 3600),
         "2026-12-31,23:00:00,00:00:00,Night,1,1800,25.00,1.00,GBP\r\n"
         "2027-01-01,00:00:00,01:00:00,Night,1,1800,25.00,1.00,GBP\r\n"},
        {"23:00 GMT to 03:00 BST: split as the time passed",
         period(at(2026, 3, 28, 23, 0, 0), at(2026, 3, 29, 3, 0, 0), "Night", true, 3, 0, 10800,
                at(2026, 3, 28, 23, 0, 0)),
         "2026-03-28,23:00:00,00:00:00,Night,1,3600,25.00,1.00,GBP\r\n"
         "2026-03-29,00:00:00,03:00:00,Night,1,7200,25.00,2.00,GBP\r\n",
         &londonSpring},
        {"23:00 BST to 02:00 GMT",
         period(at(2026, 10, 24, 23, 0, 0), at(2026, 10, 25, 2, 0, 0), "Night", true, 4, 0, 14400,
                at(2026, 10, 24, 22, 0, 0)),
         "2026-10-24,23:00:00,00:00:00,Night,1,3600,25.00,1.00,GBP\r\n"
         "2026-10-25,00:00:00,02:00:00,Night,1,10800,25.00,3.00,GBP\r\n",
         &londonAutumn},
        {"Beirut, the clocks going forward at midnight: the new day begins at the change",
         period(at(2026, 3, 28, 23, 30, 0), at(2026, 3, 29, 1, 30, 0), "Night", true, 0.96, 0, 3600,
                at(2026, 3, 28, 21, 30, 0)),
         "2026-03-28,23:30:00,00:00:00,Night,1,1800,25.00,0.48,GBP\r\n"
         "2026-03-29,00:00:00,01:30:00,Night,1,1800,25.00,0.48,GBP\r\n",
         &beirutSpring},
        {"Beirut, the clocks going back at midnight: the old day has 25 hours",
         period(at(2026, 10, 24, 23, 30, 0), at(2026, 10, 25, 0, 30, 0), "Night", true, 2, 0, 7200,
                at(2026, 10, 24, 20, 30, 0)),
         "2026-10-24,23:30:00,00:00:00,Night,1,5400,25.00,1.50,GBP\r\n"
         "2026-10-25,00:00:00,00:30:00,Night,1,1800,25.00,0.50,GBP\r\n",
         &beirutAutumn},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rowsOf(c.period, c.zone), c.rows) << c.what;
    }
    // Two whole midnights: three rows, one a day.
    const std::string days =
        rowsOf(period(at(2026, 12, 8, 12, 0, 0), at(2026, 12, 10, 12, 0, 0), "Long", true, 48.0));
    EXPECT_NE(days.find("2026-12-09,00:00:00,00:00:00,Long,1,86400,25.00,24.00"), std::string::npos)
        << days;

    // The file: its header once, a line end where one was left out, rows that wait when it
    // cannot be opened.
    TempDir dir;
    const std::string path = dir.file("ledger.csv");
    CsvLedgerFile file;
    TextBuffer rows;
    rows.append(row);
    EXPECT_EQ(file.append(path.c_str(), rows), LedgerWrite::Written);
    writeBytes(path, readBytes(path) + "edited by hand");
    EXPECT_EQ(file.append(path.c_str(), rows), LedgerWrite::Written);
    EXPECT_EQ(readBytes(path), std::string(LEDGER_HEADER) + row + "edited by hand\r\n" + row);
    EXPECT_EQ(file.append(dir.file("no folder/ledger.csv").c_str(), rows), LedgerWrite::Unusable);
    // A name that is a folder's: never written, never read, never taken for another program's.
    std::filesystem::create_directory(dir.file("folder.csv"));
    EXPECT_EQ(file.append(dir.file("folder.csv").c_str(), rows), LedgerWrite::Unusable);
    auto summary = std::make_unique<LedgerSummary>(dayOf(at(2026, 12, 8, 12, 0, 0)), 0);
    EXPECT_EQ(file.read(dir.file("folder.csv").c_str(), *summary), LedgerRead::Folder);
    EXPECT_FALSE(file.holds(dir.file("folder.csv").c_str(), rows));
    // The file ends with rows it was given last: they are there.
    EXPECT_TRUE(file.holds(path.c_str(), rows));
    TextBuffer other;
    other.append("2026-12-08,10:00:00,11:00:00,Working,1,3600,25.00,25.00,GBP\r\n");
    EXPECT_FALSE(file.holds(path.c_str(), other));

    // Rows kept waiting past the bound: the newest whole rows stay.
    TextBuffer waiting;
    for (int i = 0; i < 3; ++i) {
        waiting.append(row);
    }
    keepNewestRows(waiting, 2 * std::strlen(row) + 5);
    EXPECT_EQ(std::string(waiting.data(), waiting.size()), std::string(row) + row);
}

// Tuesday 8 December 2026, in weeks that start on Monday or on Sunday, with a period still open.
TEST(LedgerSummary, RangesFollowTheLocalesWeekAndCountTheOpenPeriod) {
    const std::string text = std::string(LEDGER_HEADER) +
                             "2026-12-08,09:00:00,10:00:00,Working,1,3600,25.00,10.00,GBP\r\n"
                             "2026-12-07,09:00:00,09:30:00,Working,1,1800,25.00,5.00,GBP\r\n"
                             "2026-12-06,12:00:00,12:10:00,Lunch,0,600,25.00,0.00,GBP\r\n"
                             "2026-12-01,09:00:00,11:00:00,Working,1,7200,25.00,20.00,GBP\r\n"
                             "2026-11-30,09:00:00,10:00:00,Working,1,3600,25.00,10.00,GBP\r\n"
                             "2026-11-15,09:00:00,09:01:00,Filing,1,60,25.00,1.00,GBP\r\n";
    TextBuffer open;
    open.append("2026-12-08,11:00:00,11:15:00,Working,1,900,25.00,2.50,GBP\r\n");
    const struct {
        int firstDay;
        std::int64_t paid[SUMMARY_RANGES], unpaid[SUMMARY_RANGES];
        double earned[SUMMARY_RANGES];
    } cases[] = {
        {0,
         {4500, 1800, 6300, 10800, 13500, 3660},
         {0, 0, 0, 600, 600, 0},
         {12.5, 5, 17.5, 30, 37.5, 11}},
        {6,
         {4500, 1800, 6300, 10800, 13500, 3660},
         {0, 0, 600, 0, 600, 0},
         {12.5, 5, 17.5, 30, 37.5, 11}},
    };
    TempDir dir;
    const std::string path = dir.file("ledger.csv");
    writeBytes(path, text);
    for (const auto& c : cases) {
        auto summary =
            std::make_unique<LedgerSummary>(dayOf(at(2026, 12, 8, 12, 0, 0)), c.firstDay);
        EXPECT_EQ(CsvLedgerFile().read(path.c_str(), *summary), LedgerRead::Whole);
        summary->addRows(open);
        for (int r = 0; r < SUMMARY_RANGES; ++r) {
            const RangeSum& range = summary->ranges[r];
            const std::string what =
                SUMMARY_RANGE_NAMES[r] + std::string(", weeks from ") + std::to_string(c.firstDay);
            EXPECT_EQ(range.paidSeconds, c.paid[r]) << what;
            EXPECT_EQ(range.unpaidSeconds, c.unpaid[r]) << what;
            EXPECT_DOUBLE_EQ(amountOf(range.earned, "GBP"), c.earned[r]) << what;
        }
        const RangeSum& today = summary->ranges[TODAY];
        ASSERT_EQ(today.activityCount, 1u);
        EXPECT_STREQ(today.activities[0].name, "Working");
        EXPECT_EQ(today.activities[0].seconds, 4500);
        EXPECT_STREQ(todayFigure(today, "GBP", SIGNS).text,
                     "Today: \xA3"
                     "12.50 earned, 1:15 paid");
    }
}

// A ledger edited by hand or by a spreadsheet: what parses counts, the rest is passed over and
// counted; a name a spreadsheet would run as a formula reads back as the name.
TEST(LedgerSummary, SurvivesWhatSpreadsheetsAndHandsMakeOfIt) {
    const char* const good = "2026-12-08,09:00:00,10:00:00,Working,1,3600,25.00,10.00,GBP";
    const struct {
        const char* what;
        std::string text;
        std::int64_t paid;
        std::size_t leftOut;
        const char* name = "Working";  // today's first activity
    } cases[] = {
        {"mark, LF ends, blank lines and rows of empty cells",
         "\xEF\xBB\xBF" + std::string(LEDGER_HEADER) + "\n\n,,,,,,,,\n" + good + "\n", 3600, 0},
        {"no header", std::string(good) + "\r\n" + good, 7200, 0},
        {"columns reordered: read by the header, the program's own rows in its order",
         "activity,earned,seconds,paid,date,start,end,hourly,currency\r\n"
         "Y,1.5,60,1,2026-12-08,09:00:00,09:01:00,25.00,GBP\r\n" +
             std::string(good),
         3660, 0, "Y"},
        {"a column deleted from the header: the program's rows read in its order",
         "date,start,end,activity,paid,seconds,earned,currency\r\n" + std::string(good), 3600, 1},
        {"a tenth column on every row: read by their first nine",
         std::string("date,start,end,activity,paid,seconds,hourly,earned,currency,note\r\n") +
             good + ",paid in full\r\n" + good + ",\"late, again\"",
         7200, 0},
        {"a header with a column more, in another order, locates the nine",
         "note,activity,earned,seconds,paid,date,start,end,hourly,currency\r\n"
         "x,Y,1.5,60,1,2026-12-08,09:00:00,09:01:00,25.00,GBP",
         60, 0, "Y"},
        {"a header naming a column twice is none",
         "activity,earned,seconds,paid,date,start,end,hourly,currency,date\r\n"
         "Y,1.5,60,1,2026-12-08,09:00:00,09:01:00,25.00,GBP,2026-12-09",
         0, 2, nullptr},
        {"a quote never closed ends at its line's end",
         std::string(good) + "\r\n2026-12-08,09:00:00,10:00:00,\"Design, rev\r\n" + good, 7200, 1},
        {"garbage", std::string(LEDGER_HEADER) + "\x01\x02 not a row\r\n,,,,\r\n\"unended", 0, 2,
         nullptr},
        {"another locale's figures", "2026-12-08,09:00:00,10:00:00,W,1,60,\"25,00\",\"1,00\",GBP",
         0, 1, nullptr},
        {"another locale's separator",
         "date;start;end;activity;paid;seconds;hourly;earned;currency"
         "\r\n2026-12-08;09:00:00;10:00:00;W;1;60;25,00;1,00;GBP",
         0, 2, nullptr},
        {"a date that is none", "2026-02-30,09:00:00,10:00:00,W,1,60,25.00,1.00,GBP", 0, 1,
         nullptr},
        {"negative seconds", "2026-12-08,09:00:00,10:00:00,W,1,-60,25.00,1.00,GBP", 0, 1, nullptr},
        {"absurd seconds", "2026-12-08,09:00:00,10:00:00,W,1,9999999,25.00,1.00,GBP", 0, 1,
         nullptr},
        {"absurd earnings", "2026-12-08,09:00:00,10:00:00,W,1,60,25.00,1e300,GBP", 0, 1, nullptr},
        {"a field without end", "2026-12-08," + std::string(100000, 'x') + ",1,60,0,1.00,GBP", 0, 1,
         nullptr},
        {"a formula's name, marked as text",
         "2026-12-08,09:00:00,09:01:00,'=1+1,1,60,25.00,1.00,GBP", 60, 0, "=1+1"},
        {"a name that began with an apostrophe and a sign",
         "2026-12-08,09:00:00,09:01:00,''-x,1,60,25.00,1.00,GBP", 60, 0, "'-x"},
        {"a name that begins with an apostrophe alone",
         "2026-12-08,09:00:00,09:01:00,'t,1,60,25.00,"
         "1.00,GBP",
         60, 0, "'t"},
    };
    for (const auto& c : cases) {
        auto summary = std::make_unique<LedgerSummary>(dayOf(at(2026, 12, 8, 12, 0, 0)), 0);
        for (std::size_t i = 0; i < c.text.size(); i += 7) {  // in pieces, as a file is read
            summary->add(c.text.data() + i, std::min<std::size_t>(7, c.text.size() - i));
        }
        summary->finish();
        const RangeSum& today = summary->ranges[TODAY];
        EXPECT_EQ(today.paidSeconds, c.paid) << c.what;
        EXPECT_EQ(summary->rowsLeftOut, c.leftOut) << c.what;
        if (c.name != nullptr && today.activityCount > 0) {
            EXPECT_STREQ(today.activities[0].name, c.name) << c.what;
        }
    }
    // Written as a cell and read back, every name is itself; one a spreadsheet would run is marked.
    for (const char* name :
         {"=1+1", "+44", "-x", "@sum", "\tTab", "\rCR", "'=a", "'", "'a", "A,b"}) {
        TextBuffer cell;
        appendNameCell(name, cell);
        const std::string written(cell.data(), cell.size());
        EXPECT_EQ(written[0] == '=' || written[0] == '+' || written[0] == '-' ||
                      written[0] == '@' || written[0] == '\t',
                  false)
            << name << " as " << written;
        auto summary = std::make_unique<LedgerSummary>(dayOf(at(2026, 12, 8, 12, 0, 0)), 0);
        const std::string row = "2026-12-08,09:00:00,09:01:00," + written + ",1,60,25.00,1.00,GBP";
        summary->addRows([&] {
            TextBuffer t;
            t.append(row.data(), row.size());
            return t;
        }());
        ASSERT_EQ(summary->ranges[TODAY].activityCount, 1u) << name;
        EXPECT_STREQ(summary->ranges[TODAY].activities[0].name, name) << "as " << written;
    }
    // A full list of activities, and "None", each keeps its name.
    auto full = std::make_unique<LedgerSummary>(dayOf(at(2026, 12, 8, 12, 0, 0)), 0);
    std::string rows;
    for (std::size_t i = 0; i <= MAX_ACTIVITIES; ++i) {
        const std::string name = i == MAX_ACTIVITIES ? "None" : "A" + std::to_string(i);
        rows += "2026-12-08,09:00:00,09:01:00," + name + ",1,60,25.00,1.00,GBP\r\n";
    }
    full->add(rows.data(), rows.size());
    full->finish();
    ASSERT_EQ(full->ranges[TODAY].activityCount, MAX_ACTIVITIES + 1);
    EXPECT_STREQ(full->ranges[TODAY].activities[MAX_ACTIVITIES - 1].name, "A127");
    EXPECT_STREQ(full->ranges[TODAY].activities[MAX_ACTIVITIES].name, "None");
}

// What the summary says of what its figures leave out, and of rows from the working folder's.
TEST(LedgerSummary, NoteSaysWhatIsLeftOutAndWhereRowsCameFrom) {
    const struct {
        LedgerRead file;
        std::size_t leftOut, fallback;
        const char* note;
    } cases[] = {
        {LedgerRead::Whole, 0, 0, ""},
        {LedgerRead::Held, 0, 0,
         "These figures leave out the rows in ledger.csv: another program holds it."},
        {LedgerRead::Folder, 0, 0,
         "These figures leave out the rows in ledger.csv: it is a folder, not a file."},
        {LedgerRead::Whole, 1, 0, "1 row of ledger.csv could not be read."},
        {LedgerRead::Whole, 3, 2,
         "2 rows come from ledger.csv in the working folder, where they went while "
         "D:\\Books\\ledger.csv could not be written. 3 rows of ledger.csv could not be read."},
    };
    for (const auto& c : cases) {
        auto summary = std::make_unique<LedgerSummary>(0, 0);
        summary->file = c.file;
        summary->rowsLeftOut = c.leftOut;
        summary->fallbackRows = c.fallback;
        EXPECT_STREQ(summaryNote(*summary, "D:\\Books\\ledger.csv", "ledger.csv").text, c.note);
    }
}

// Money of several currencies is never added together: the current currency first, then the
// others, in the periods and by activity; a strip of the user's own is a currency of its own.
TEST(LedgerSummary, CurrenciesAreKeptApart) {
    const std::string text =
        "2026-12-08,09:00:00,09:10:00,Working,1,600,25.00,6.15,GBP\r\n"
        "2026-12-08,10:00:00,10:10:00,Working,1,600,25.00,6.13,USD\r\n"
        "2026-12-08,11:00:00,11:10:00,Design,1,600,25.00,4.44,EUR\r\n"
        "2026-12-08,12:00:00,12:10:00,Design,1,600,25.00,1.00,custom\r\n";
    auto summary = std::make_unique<LedgerSummary>(dayOf(at(2026, 12, 8, 12, 0, 0)), 0);
    summary->add(text.data(), text.size());
    summary->finish();
    const RangeSum& today = summary->ranges[TODAY];
    EXPECT_STREQ(moneyText(today.earned, "EUR", SIGNS).text,
                 "\x80"
                 "4.44 + \xA3"
                 "6.15 + $6.13 + 1.00");
    EXPECT_STREQ(moneyText(today.activities[0].earned, "custom", SIGNS).text,
                 "0.00 + \xA3"
                 "6.15 + $6.13");
    EXPECT_STREQ(todayFigure(today, "USD", SIGNS).text,
                 "Today: $6.13 + \xA3"
                 "6.15 + \x80"
                 "4.44 + 1.00 earned, 0:40 paid");
    EXPECT_STREQ(moneyText(summary->ranges[LAST_WEEK].earned, "GBP", SIGNS).text,
                 "\xA3"
                 "0.00");
}

}  // namespace
