// The summary of a ten-year ledger: 50,000 rows, about 3 MB, as the Summary dialog and the
// meter's tooltip read it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "activities/ledger_summary.h"
#include "activities/log_text.h"
#include "dialogs/summary_chart.h"

namespace {

std::int64_t wallClockOf(int year, int month, int day) {
    LocalTime t{};
    t.year = static_cast<std::uint16_t>(year);
    t.month = static_cast<std::uint16_t>(month);
    t.day = static_cast<std::uint16_t>(day);
    std::int64_t value = 0;
    wallClockValue(t, value);
    return value;
}

// Five periods a working day for ten years, from 2016 on.
const std::string& tenYears() {
    static const std::string text = [] {
        std::string rows = LEDGER_HEADER;
        const char* const names[] = {"Working", "Lunch", "Working", "Meeting, weekly", "Filing"};
        for (int day = 0, n = 0; n < 50000; ++day) {
            LocalTime d{};
            localTimeOf(wallClockOf(2016, 1, 1) + day * 864000000000LL, d);
            for (int p = 0; p < 5 && n < 50000; ++p, ++n) {
                char row[160];
                std::snprintf(
                    row, sizeof row,
                    "%04d-%02d-%02d,%02d:00:00,%02d:00:00,\"%s\",%d,3600,25.00,%s,GBP\r\n", d.year,
                    d.month, d.day, 9 + p, 10 + p, names[p], p == 1 ? 0 : 1,
                    p == 1 ? "0.00" : "25.00");
                rows += row;
            }
        }
        return rows;
    }();
    return text;
}

void BM_SummaryOfTenYears(benchmark::State& state) {
    const std::string& text = tenYears();
    const std::int64_t today = dayOf(wallClockOf(2029, 9, 1));
    for (auto _ : state) {
        auto summary = std::make_unique<LedgerSummary>(today, 0);
        summary->add(text.data(), text.size());
        summary->finish();
        benchmark::DoNotOptimize(summary->ranges[LAST_MONTH].earned.count);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["rows"] = 50000;
}

// What the chart makes of a summary as it opens and at each paint: its days, where they lie,
// and what a screen reader is given.
void BM_ChartOfTheSummary(benchmark::State& state) {
    const std::string& text = tenYears();
    auto summary = std::make_unique<LedgerSummary>(dayOf(wallClockOf(2029, 9, 1)), 0);
    summary->add(text.data(), text.size());
    summary->finish();
    for (auto _ : state) {
        const ChartData chart = chartOf(*summary, "GBP");
        const ChartLayout layout = chartLayout(chart, 606, 126, 13);
        benchmark::DoNotOptimize(layout.bars[chart.tallest].top);
        benchmark::DoNotOptimize(chartReading(chart, "\xA3", NumberStyle()).text[0]);
    }
}

}  // namespace

BENCHMARK(BM_SummaryOfTenYears)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChartOfTheSummary)->Unit(benchmark::kMicrosecond);
