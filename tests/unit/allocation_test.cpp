// The timer's work runs 50 times a second for as long as the program runs: the accumulation
// step, the total as text, the layout and what changed since the last paint. It must not touch
// the heap. Every operator new in this test program is counted.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "meter/accumulation.h"
#include "meter/odometer.h"

namespace {
std::atomic<long> allocations{0};
}

// The replacements below pair malloc with free, as they must; GCC cannot see that every delete
// in this program is one of them.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

TEST(TimerTick, AllocatesNothing) {
    for (double base : {0.0, 1234.5678, 99999999.99, 1e300, -1e300}) {
        Accumulation meter(base, 25.0);
        meter.start(0, true);
        const long before = allocations.load();
        OdometerLayout shown = layoutOdometer(meter.totalAt(0), 1, 36, 45, 306);
        char text[READABLE_TOTAL_SIZE];
        for (std::uint32_t tick = 0; tick < 1000; tick += 20) {
            const double total = meter.totalAt(tick);
            readableTotal(total, tick % 40 == 0 ? 1 : 0, "\xA3", text);
            const OdometerLayout layout =
                layoutOdometer(total, tick % 40 == 0 ? 1 : 0, 36, 45, 306);
            const PanelArea changed = changedArea(shown, layout, 306, 45);
            ASSERT_GT(layout.count, 0u);
            ASSERT_GE(changed.right, 0);
            shown = layout;
        }
        EXPECT_EQ(allocations.load(), before) << "base " << base;
    }
    // The counter itself counts.
    const long before = allocations.load();
    void* p = ::operator new(16);
    ::operator delete(p);
    EXPECT_EQ(allocations.load(), before + 1);
}

}  // namespace
