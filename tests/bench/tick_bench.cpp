// The cost of one 20 ms timer tick's portable work: the total at the tick, the total as text,
// the odometer layout and the part of the picture it changes.
#include <benchmark/benchmark.h>

#include "meter/accumulation.h"
#include "meter/odometer.h"

namespace {

void tick(benchmark::State& state, double base, int decimalsMode) {
    Accumulation meter(base, 25.0);
    meter.start(0, true);
    std::uint32_t now = 0;
    OdometerLayout shown = layoutOdometer(meter.totalAt(now), decimalsMode, 36, 45, 306);
    char text[READABLE_TOTAL_SIZE];
    for (auto _ : state) {
        now += 20;
        const double total = meter.totalAt(now);
        readableTotal(total, decimalsMode, "\xA3", text);
        OdometerLayout layout = layoutOdometer(total, decimalsMode, 36, 45, 306);
        PanelArea changed = changedArea(shown, layout, 306, 45);
        benchmark::DoNotOptimize(text);
        benchmark::DoNotOptimize(changed);
        shown = layout;
    }
}

void BM_TickTypical(benchmark::State& state) {
    tick(state, 1234.5678, 1);
}
void BM_TickTypicalWholeUnits(benchmark::State& state) {
    tick(state, 1234.5678, 0);
}
void BM_TickWidePanelTotal(benchmark::State& state) {
    tick(state, 99999.99, 1);
}
void BM_TickLongTotal(benchmark::State& state) {
    tick(state, 1e20, 1);
}
void BM_TickLargestTotal(benchmark::State& state) {
    tick(state, 1.7e308, 1);
}

BENCHMARK(BM_TickTypical);
BENCHMARK(BM_TickTypicalWholeUnits);
BENCHMARK(BM_TickWidePanelTotal);
BENCHMARK(BM_TickLongTotal);
BENCHMARK(BM_TickLargestTotal);

}  // namespace

BENCHMARK_MAIN();
