#pragma once

#include <cstdint>

#include "meter/rate.h"

// The money-counting half of the meter panel, free of the window system: a total that grows
// at the live rate's hourly figure from a millisecond tick count.
struct Accumulation {
    Accumulation(Rate& liveRate, double savedTotal)
        : rate(liveRate), baseTotal(savedTotal), total(savedTotal) {}

    Rate& rate;
    double baseTotal;
    double total;
    bool running = false;
    std::uint32_t startTick = 0;
    std::uint32_t elapsedMs = 0;

    // The work of one timer tick, given the tick counter's current value.
    void step(std::uint32_t nowTick) {
        if (rate.changed) {
            // Re-base on the new rate so that the total goes on from where it stands.
            baseTotal = total;
            elapsedMs = 0;
            startTick = nowTick;
            rate.changed = false;
        }
        if (running) {
            // Unsigned subtraction stays right across the counter's wrap every 49.7 days.
            elapsedMs = nowTick - startTick;
        }
        total = rate.hourly * (1.0 / 3600.0) * static_cast<double>(elapsedMs) * 0.001 + baseTotal;
    }

    void start(std::uint32_t nowTick, bool paid) {
        startTick = nowTick;
        running = paid;
    }

    // Keeps the total of the last tick; what accrued since (under one period) is not carried.
    void stop() {
        baseTotal = total;
        elapsedMs = 0;
        running = false;
    }
};
