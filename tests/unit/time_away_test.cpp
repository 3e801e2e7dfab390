#include "app/time_away.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

namespace {

constexpr std::int64_t BASE = 134000000000000000;  // a local time, 100 ns since 1601
constexpr std::int64_t SECOND = 10000000;
constexpr std::uint32_t MINUTES_15 = 15 * 60 * 1000;

// The clocks `s` seconds on: local and tick alike, the machine awake throughout unless `awake`
// says otherwise, the local clock moved by `jump` seconds.
AwayReading at(std::int64_t s, std::int64_t awake = -1, std::int64_t jump = 0,
               std::uint32_t tick0 = 0) {
    return {BASE + (s + jump) * SECOND, tick0 + static_cast<std::uint32_t>(s * 1000),
            static_cast<std::uint64_t>((awake < 0 ? s : awake) * 1000)};
}
std::uint32_t input(std::int64_t s, std::uint32_t tick0 = 0) {
    return tick0 + static_cast<std::uint32_t>(s * 1000);
}

// Every ten seconds from `from` to `to`, the last input at `last`.
void quietChecks(AwayWatch& w, std::int64_t from, std::int64_t to, std::int64_t last) {
    for (std::int64_t s = from; s <= to; s += 10) {
        w.checked(at(s), input(last));
    }
}

// The stretches asked about: start and end in seconds from the start, and length.
std::string taken(AwayWatch& w) {
    std::string out;
    AwayStretch s;
    while (w.take(s)) {
        char text[80];
        std::snprintf(text, sizeof text, "%lld-%lld/%lld|",
                      static_cast<long long>((s.start - BASE) / SECOND),
                      static_cast<long long>((s.end - BASE) / SECOND),
                      static_cast<long long>(s.length / SECOND));
        out += text;
    }
    return out;
}

TEST(AwayWatch, NoticesLockSleepAndIdlenessOfAtLeastTheThreshold) {
    const std::uint32_t nearWrap = 0xFFFFFFFFu - 300000;  // five minutes before the counter wraps
    const struct {
        const char* what;
        std::uint32_t threshold;
        std::function<void(AwayWatch&)> events;
        const char* stretches;
    } cases[] = {
        {"locked 20 minutes, from the last input", MINUTES_15,
         [](AwayWatch& w) {
             w.locked(at(60), input(50));
             w.unlocked(at(1260));
         },
         "50-1260/1210|"},
        {"locked 14 minutes: not asked", MINUTES_15,
         [](AwayWatch& w) {
             w.locked(at(60), input(60));
             w.unlocked(at(900));
         },
         ""},
        {"exactly the threshold", MINUTES_15,
         [](AwayWatch& w) {
             w.locked(at(100), input(100));
             w.unlocked(at(1000));
         },
         "100-1000/900|"},
        {"asleep, told", MINUTES_15,
         [](AwayWatch& w) {
             w.suspended(at(100), input(90));
             w.resumed(at(3700, 100));
         },
         "90-3700/3610|"},
        {"asleep, untold: the tick count ran on and the awake time did not", MINUTES_15,
         [](AwayWatch& w) {
             quietChecks(w, 10, 30, 25);
             w.checked(at(7230, 40), input(25));
         },
         "25-7230/7205|"},
        {"idle, then input again: away until the last moment seen without it", MINUTES_15,
         [](AwayWatch& w) {
             quietChecks(w, 10, 1200, 0);
             w.checked(at(1210), input(1205));
         },
         "0-1200/1200|"},
        {"idle 14 minutes: not asked", MINUTES_15,
         [](AwayWatch& w) {
             quietChecks(w, 10, 840, 0);
             w.checked(at(850), input(845));
         },
         ""},
        {"idle, then locked: one stretch", MINUTES_15,
         [](AwayWatch& w) {
             quietChecks(w, 10, 300, 0);
             w.locked(at(305), input(0));
             w.unlocked(at(1300));
         },
         "0-1300/1300|"},
        {"locked, asleep, awake still locked, then unlocked: one stretch", MINUTES_15,
         [](AwayWatch& w) {
             w.locked(at(100), input(100));
             w.suspended(at(200), input(100));
             w.resumed(at(5000, 300));
             w.checked(at(5010, 310), input(5005));  // input while locked counts for nothing
             w.unlocked(at(5100, 400));
         },
         "100-5100/5000|"},
        {"the local clock put back an hour meanwhile: the length is the true one", MINUTES_15,
         [](AwayWatch& w) {
             w.locked(at(100), input(100));
             w.unlocked(at(2000, -1, -3600));
         },
         "-3500--1600/1900|"},
        {"the tick counter wraps meanwhile", MINUTES_15,
         [nearWrap](AwayWatch& w) {
             w.restart({BASE, nearWrap, 0}, MINUTES_15);
             w.locked(at(10, -1, 0, nearWrap), input(10, nearWrap));
             w.unlocked(at(1210, -1, 0, nearWrap));
         },
         "10-1210/1200|"},
        {"two stretches, each asked in turn", MINUTES_15,
         [](AwayWatch& w) {
             w.locked(at(0), input(0));
             w.unlocked(at(1000));
             w.suspended(at(1100), input(1050));
             w.resumed(at(3000, 1100));
         },
         "0-1000/1000|1050-3000/1950|"},
        {"never, with no threshold", 0,
         [](AwayWatch& w) {
             w.locked(at(0), input(0));
             w.unlocked(at(7200));
         },
         ""},
    };
    for (const auto& c : cases) {
        AwayWatch watch;
        watch.restart(at(0), c.threshold);
        c.events(watch);
        EXPECT_EQ(taken(watch), c.stretches) << c.what;
    }
}

}  // namespace
