#include "dialogs/summary_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "base/local_time.h"

const char* const CHART_OTHERS_LEFT_OUT_TEXT =
    "Earnings in other currencies are left out of the chart.";

namespace {

const char* const WEEKDAYS[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
const char* const MONTHS[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

int weekdayOf(std::int64_t day) {
    // 0 Monday: 1601 began on one. Days before it (a clock set wildly back) still name a weekday.
    return static_cast<int>((day % 7 + 7) % 7);
}

LocalTime dateOf(std::int64_t day) {
    LocalTime t{};
    localTimeOf(day * UNITS_PER_DAY, t);
    return t;
}

}  // namespace

ChartData chartOf(const LedgerSummary& summary, const char* first) {
    ChartData chart;
    for (int i = 0; i < SUMMARY_DAYS; ++i) {
        const DaySum& sum = summary.days[i];
        ChartDay& day = chart.days[i];
        day.day = summary.firstDay() + i;
        day.amount = 0;
        for (std::size_t p = 0; p < sum.earned.count; ++p) {
            const Money::Part& part = sum.earned.parts[p];
            const bool ours = std::strcmp(part.code, first) == 0;
            day.amount += ours ? part.amount : 0.0;
            chart.othersLeftOut = chart.othersLeftOut || (!ours && std::fabs(part.amount) >= 0.005);
        }
        day.paidSeconds = sum.paidSeconds;
        day.weekend = weekdayOf(day.day) >= 5;
        if (day.amount >= 0.005 &&
            (chart.tallest < 0 || day.amount > chart.days[chart.tallest].amount)) {
            chart.tallest = i;
        }
    }
    return chart;
}

ShortText chartDayName(std::int64_t day) {
    const LocalTime t = dateOf(day);
    ShortText out;
    std::snprintf(out.text, sizeof out.text, "%s %d %s", WEEKDAYS[weekdayOf(day)], t.day,
                  MONTHS[(t.month + 11) % 12]);
    return out;
}

ShortText chartInitial(std::int64_t day) {
    ShortText out;
    std::snprintf(out.text, sizeof out.text, "%c", WEEKDAYS[weekdayOf(day)][0]);
    return out;
}

ShortText chartDate(std::int64_t day) {
    ShortText out;
    std::snprintf(out.text, sizeof out.text, "%d", dateOf(day).day);
    return out;
}

ShortText chartTip(const ChartDay& day, const char* sign, const NumberStyle& style) {
    ShortText out;
    std::snprintf(out.text, sizeof out.text, "%.24s: %.60s, %.16s paid", chartDayName(day.day).text,
                  groupedMoney(day.amount, sign, style).text,
                  hoursAndMinutes(day.paidSeconds).text);
    return out;
}

NoteText chartReading(const ChartData& chart, const char* sign, const NumberStyle& style) {
    NoteText out;
    std::size_t used = 0;
    const auto put = [&](const char* a, const char* b, const char* c) {
        const int n = std::snprintf(out.text + used, sizeof out.text - used, "%s%s%s", a, b, c);
        used = n > 0 ? std::min(sizeof out.text - 1, used + static_cast<std::size_t>(n)) : used;
    };
    char heading[32];
    std::snprintf(heading, sizeof heading, "Last %d days: ", SUMMARY_DAYS);
    put(heading, "", "");
    for (int i = 0; i < SUMMARY_DAYS; ++i) {
        put(i > 0 ? "; " : "", chartDayName(chart.days[i].day).text, " ");
        put(groupedMoney(chart.days[i].amount, sign, style).text, "", "");
    }
    return out;
}

ChartLayout chartLayout(const ChartData& chart, int width, int height, int line) {
    ChartLayout layout{};
    // The figure's line at the top, the labels' two under the baseline.
    layout.baseline = std::max(line, height - 2 * line - 2);
    const int top = line + 2;
    const int room = std::max(0, layout.baseline - top);
    const double most = chart.tallest >= 0 ? chart.days[chart.tallest].amount : 0.0;
    for (int i = 0; i < SUMMARY_DAYS; ++i) {
        const int left = width * i / SUMMARY_DAYS;
        const int right = width * (i + 1) / SUMMARY_DAYS;
        layout.slots[i] = {left, 0, right, height};
        const int inset = (right - left) / 5;
        const double amount = std::max(chart.days[i].amount, 0.0);
        const int tall = most > 0 ? static_cast<int>(std::lround(room * amount / most)) : 0;
        // A day of something is at least a pixel tall; a day of nothing has no bar.
        const int barTop = layout.baseline - (amount >= 0.005 ? std::max(tall, 1) : 0);
        layout.bars[i] = {left + inset, barTop, right - inset, layout.baseline};
        layout.initials[i] = {left, layout.baseline + 1, right, layout.baseline + 1 + line};
        layout.dates[i] = {left, layout.baseline + 1 + line, right, layout.baseline + 1 + 2 * line};
    }
    if (chart.tallest >= 0) {
        // Centred over its bar; near an edge, flush with the bar's outer side instead, so that
        // it neither leaves the chart nor drifts over another day.
        const ChartRect& bar = layout.bars[chart.tallest];
        const int middle = (bar.left + bar.right) / 2;
        const int half = width / 6;
        layout.figureSide = middle - half < 0 ? -1 : middle + half > width ? 1 : 0;
        const int left = layout.figureSide < 0   ? bar.left
                         : layout.figureSide > 0 ? bar.right - 2 * half
                                                 : middle - half;
        layout.figure = {left, bar.top - line - 1, left + 2 * half, bar.top - 1};
    }
    return layout;
}

int chartDayAt(const ChartLayout& layout, int x) {
    for (int i = 0; i < SUMMARY_DAYS; ++i) {
        if (x >= layout.slots[i].left && x < layout.slots[i].right) {
            return i;
        }
    }
    return -1;
}
