#include "dialogs/summary_chart.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::int64_t dayOfDate(int year, int month, int day) {
    const LocalTime t{
        std::uint16_t(year), std::uint16_t(month), 0, std::uint16_t(day), 12, 0, 0, 0};
    std::int64_t value = 0;
    wallClockValue(t, value);
    return dayOf(value);
}

// Tuesday 8 December 2026: the fourteen days from Wednesday 25 November, with the open period of
// today counted, a row in dollars (left out of the amounts, not of the paid time), and a row
// before the first day.
TEST(SummaryChart, FourteenDaysInTheCurrentCurrency) {
    auto summary = std::make_unique<LedgerSummary>(dayOfDate(2026, 12, 8), 0);
    const std::string rows =
        "2026-11-24,09:00:00,10:00:00,Working,1,3600,25.00,25.00,GBP\r\n"
        "2026-11-25,09:00:00,10:00:00,Working,1,3600,25.00,25.00,GBP\r\n"
        "2026-12-05,09:00:00,09:30:00,Working,1,1800,25.00,12.50,GBP\r\n"
        "2026-12-06,09:00:00,09:30:00,Lunch,0,1800,25.00,0.00,GBP\r\n"
        "2026-12-07,09:00:00,11:00:00,Working,1,7200,100.00,200.00,GBP\r\n"
        "2026-12-07,12:00:00,12:10:00,Working,1,600,36.78,6.13,USD\r\n"
        "2026-12-08,09:00:00,10:00:00,Working,1,3600,10.00,10.00,GBP\r\n";
    summary->add(rows.data(), rows.size());
    summary->finish();
    TextBuffer open;
    open.append("2026-12-08,11:00:00,11:15:00,Working,1,900,10.00,2.50,GBP\r\n");
    summary->addRows(open);
    const ChartData chart = chartOf(*summary, "GBP");
    const struct {
        int index;
        const char* name;
        double amount;
        std::int64_t paid;
        bool weekend;
    } days[] = {
        {0, "Wed 25 Nov", 25.0, 3600, false}, {3, "Sat 28 Nov", 0, 0, true},
        {4, "Sun 29 Nov", 0, 0, true},        {10, "Sat 5 Dec", 12.5, 1800, true},
        {11, "Sun 6 Dec", 0, 0, true},        {12, "Mon 7 Dec", 200.0, 7800, false},
        {13, "Tue 8 Dec", 12.5, 4500, false},
    };
    for (const auto& d : days) {
        const ChartDay& day = chart.days[d.index];
        EXPECT_STREQ(chartDayName(day.day).text, d.name) << d.index;
        EXPECT_DOUBLE_EQ(day.amount, d.amount) << d.name;
        EXPECT_EQ(day.paidSeconds, d.paid) << d.name;
        EXPECT_EQ(day.weekend, d.weekend) << d.name;
    }
    EXPECT_EQ(chart.tallest, 12);
    EXPECT_TRUE(chart.othersLeftOut) << "the dollars of Monday";
    EXPECT_STREQ(chartInitial(chart.days[12].day).text, "M");
    EXPECT_STREQ(chartDate(chart.days[12].day).text, "7");
    // A clock set before 1601 leaves days before the first: still a weekday, never past the names.
    EXPECT_STREQ(chartInitial(-1).text, "S");
    EXPECT_STREQ(chartTip(chart.days[12], "\xA3", NumberStyle()).text,
                 "Mon 7 Dec: \xA3"
                 "200.00, 2:10 paid");
    const std::string reading = chartReading(chart, "\xA3", NumberStyle()).text;
    EXPECT_EQ(reading.find("Last 14 days: Wed 25 Nov \xA3"
                           "25.00; Thu 26 Nov \xA3"
                           "0.00; Fri 27 Nov"),
              0u)
        << reading;
    EXPECT_NE(reading.find("; Tue 8 Dec \xA3"
                           "12.50"),
              std::string::npos)
        << reading;

    // A bar a day as tall as its earnings, the tallest filling the room; none for a day of
    // nothing; its figure above it.
    const ChartLayout layout = chartLayout(chart, 280, 100, 12);
    EXPECT_EQ(layout.baseline, 74);
    const int room = layout.baseline - 14;
    EXPECT_EQ(layout.bars[12].top, 14);
    EXPECT_EQ(layout.bars[12].bottom - layout.bars[12].top, room);
    EXPECT_EQ(layout.bars[0].bottom - layout.bars[0].top, 8) << "25 of 200, of 60 pixels";
    EXPECT_EQ(layout.bars[3].top, layout.bars[3].bottom) << "nothing";
    EXPECT_EQ(layout.bars[12].left, 12 * 20 + 4);
    EXPECT_EQ(layout.bars[12].right, 13 * 20 - 4);
    EXPECT_EQ(layout.figure.bottom, layout.bars[12].top - 1);
    // Too near the right edge to centre over Monday: flush with its bar's right side.
    EXPECT_EQ(layout.figureSide, 1);
    EXPECT_EQ(layout.figure.right, layout.bars[12].right);
    const struct {
        int tallest, side, left;
    } figures[] = {{0, -1, 4}, {6, 0, 130 - 46}, {13, 1, 276 - 92}};
    for (const auto& f : figures) {
        ChartData one{};
        one.tallest = f.tallest;
        one.days[f.tallest].amount = 10;
        const ChartLayout at = chartLayout(one, 280, 100, 12);
        EXPECT_EQ(at.figureSide, f.side) << "the tallest day " << f.tallest;
        EXPECT_EQ(at.figure.left, f.left) << "the tallest day " << f.tallest;
    }
    EXPECT_EQ(chartDayAt(layout, 265), 13);
    EXPECT_EQ(chartDayAt(layout, 280), -1);

    // Nothing earned: no tallest, no bars, nothing left out.
    auto empty = std::make_unique<LedgerSummary>(dayOfDate(2026, 12, 8), 0);
    const ChartData none = chartOf(*empty, "GBP");
    EXPECT_EQ(none.tallest, -1);
    EXPECT_FALSE(none.othersLeftOut);
    const ChartLayout flat = chartLayout(none, 280, 100, 12);
    for (const ChartRect& bar : flat.bars) {
        EXPECT_EQ(bar.top, bar.bottom);
    }
}

// Amounts as the user's locale groups their digits.
TEST(SummaryChart, AmountsAreGroupedAsTheLocaleHasIt) {
    const NumberStyle english;
    NumberStyle indian;
    std::snprintf(indian.grouping, sizeof indian.grouping, "3;2;0");
    NumberStyle once;
    std::snprintf(once.grouping, sizeof once.grouping, "3");
    NumberStyle none;
    std::snprintf(none.grouping, sizeof none.grouping, "0");
    NumberStyle german;
    std::snprintf(german.thousands, sizeof german.thousands, ".");
    std::snprintf(german.decimal, sizeof german.decimal, ",");
    const struct {
        double amount;
        const NumberStyle& style;
        const char* text;
    } cases[] = {
        {1290.39, english,
         "\xA3"
         "1,290.39"},
        {1234567.891, english,
         "\xA3"
         "1,234,567.89"},
        {999.995, english,
         "\xA3"
         "1,000.00"},
        {12.5, english,
         "\xA3"
         "12.50"},
        {-1290.39, english,
         "\xA3"
         "-1,290.39"},
        {0.004, english,
         "\xA3"
         "0.00"},
        {-0.004, english,
         "\xA3"
         "0.00"},
        {1234567.5, indian,
         "\xA3"
         "12,34,567.50"},
        {1234567, once,
         "\xA3"
         "1234,567.00"},
        {1234567, none,
         "\xA3"
         "1234567.00"},
        {1290.39, german,
         "\xA3"
         "1.290,39"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(groupedMoney(c.amount, "\xA3", c.style).text, c.text) << c.amount;
    }
}

}  // namespace
