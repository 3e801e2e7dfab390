#pragma once

// The Summary's chart of the last days: one bar a day, the oldest at the left and today at the
// right, as tall as the day's earnings in the current currency. Its data, texts and geometry,
// free of the window system.

#include <cstdint>

#include "activities/ledger_summary.h"

struct ChartDay {
    std::int64_t day;  // days since 1601-01-01
    double amount;     // in the current currency
    std::int64_t paidSeconds;
    bool weekend;
};

struct ChartData {
    ChartDay days[SUMMARY_DAYS];
    int tallest = -1;            // the day that earned most; -1 when none earned anything
    bool othersLeftOut = false;  // some day earned in another currency, which is left out
};
// The summary's days, in the currency `first` (a code).
ChartData chartOf(const LedgerSummary& summary, const char* first);

// "Mon 7 Dec".
ShortText chartDayName(std::int64_t day);
// The weekday's initial, "M"; and the day of the month, "7".
ShortText chartInitial(std::int64_t day);
ShortText chartDate(std::int64_t day);
// The tooltip of a bar: "Mon 7 Dec: £200.00, 5:00 paid".
ShortText chartTip(const ChartDay& day, const char* sign, const NumberStyle& style);
// What a screen reader reads, as the eye sees it: "Last 14 days: Mon 23 Nov £0.00; …".
NoteText chartReading(const ChartData& chart, const char* sign, const NumberStyle& style);
// The line under a chart that leaves other currencies out.
extern const char* const CHART_OTHERS_LEFT_OUT_TEXT;

// Where each part of the chart lies in a client area `width` x `height` pixels, for text lines
// `line` pixels high: a slot a day, a bar in it from `top` down to the baseline (none for a day of
// nothing), the tallest day's figure above its bar, and the labels under the baseline.
struct ChartRect {
    int left, top, right, bottom;
};
struct ChartLayout {
    ChartRect slots[SUMMARY_DAYS];
    ChartRect bars[SUMMARY_DAYS];  // empty (top == bottom) for a day of nothing
    ChartRect figure;              // the tallest day's amount
    int figureSide = 0;            // its text against the rectangle's left (-1), centred, right
    int baseline = 0;
    ChartRect initials[SUMMARY_DAYS];
    ChartRect dates[SUMMARY_DAYS];
};
ChartLayout chartLayout(const ChartData& chart, int width, int height, int line);
// The day under client point `x`, or -1.
int chartDayAt(const ChartLayout& layout, int x);
