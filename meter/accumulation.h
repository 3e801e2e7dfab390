#pragma once

#include <cstdint>

#include "meter/currency.h"
#include "meter/rate.h"

// The period of a running meter's timer, in milliseconds: the time its last wheel takes to reach
// its next picture, so that no tick passes without a change and no change waits for more than a
// tick. A turn of that wheel is a hundredth with two decimal places, a whole unit without, and
// shows min(cellHeight, 100) pictures, its offset being cut from two hidden decimals. Never
// under 20 ms, the display's pace; never over an hour.
constexpr unsigned MIN_TICK_MS = 20;
constexpr unsigned MAX_TICK_MS = 3600000;
inline unsigned tickPeriodMs(double hourly, int decimalsMode, int cellHeight) {
    const double turn = decimalsMode == DECIMALS_TWO ? 0.01 : 1.0;
    const int pictures = cellHeight < 1 ? 1 : cellHeight > 100 ? 100 : cellHeight;
    const double ms = turn / pictures / hourly * 3600000.0;
    if (!(ms < MAX_TICK_MS)) {  // a rate of nothing, too, never moves
        return MAX_TICK_MS;
    }
    return ms < MIN_TICK_MS ? MIN_TICK_MS : static_cast<unsigned>(ms);
}

// Told whenever the meter starts, stops or takes a new rate: whatever shows it times its ticks
// by that, so no caller of these has to remember to.
class AccumulationWatcher {
  public:
    virtual void paceChanged() = 0;

  protected:
    ~AccumulationWatcher() = default;
};

// The money-counting half of the meter, free of the window system: a total that grows at the
// live rate's hourly figure from a millisecond tick count.
struct Accumulation {
    Accumulation(Rate& liveRate, double savedTotal)
        : rate(liveRate), baseTotal(savedTotal), total(savedTotal) {}

    Rate& rate;
    double baseTotal;
    double total;
    bool running = false;
    std::uint32_t startTick = 0;
    std::uint32_t elapsedMs = 0;
    AccumulationWatcher* watcher = nullptr;

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
        tell();
    }

    // Keeps the total of the last tick; what accrued since (under one period) is not carried.
    void stop() {
        baseTotal = total;
        elapsedMs = 0;
        running = false;
        tell();
    }

    // A new live rate, whose changed flag re-bases the total at the next step.
    void changeRate(const Rate& chosen) {
        rate = chosen;
        tell();
    }

  private:
    void tell() {
        if (watcher != nullptr) {
            watcher->paceChanged();
        }
    }
};
