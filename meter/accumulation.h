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

// The money-counting half of the meter, free of the window system: a total that grows at an
// hourly figure from a millisecond tick count. Whoever owns it (the workday) alone changes it,
// each change at a tick of its own clock; whoever shows it reads the total at any tick of the
// same clock.
class Accumulation {
  public:
    Accumulation(double total, double hourly) : baseTotal_(total), hourly_(hourly) {}

    // The total at tick `now`: its base, and while it runs what the rate earned since its start.
    double totalAt(std::uint32_t now) const {
        // Unsigned subtraction stays right across the counter's wrap every 49.7 days.
        const std::uint32_t elapsedMs = running_ ? now - startTick_ : 0;
        return hourly_ * (1.0 / 3600.0) * static_cast<double>(elapsedMs) * 0.001 + baseTotal_;
    }
    bool running() const { return running_; }
    double hourly() const { return hourly_; }
    std::uint32_t startTick() const { return startTick_; }
    // Told of every start, stop and new rate from now on (null: nobody).
    void watchedBy(AccumulationWatcher* watcher) const { watcher_ = watcher; }

    // Counts from `now` on, when `paid`, from the total it has.
    void start(std::uint32_t now, bool paid) {
        startTick_ = now;
        running_ = paid;
        tell();
    }
    // Keeps the total at `now`, and stands.
    void stop(std::uint32_t now) {
        baseTotal_ = totalAt(now);
        running_ = false;
        tell();
    }
    // Goes on from the total at `now` at another hourly figure, without a jump.
    void changeRate(std::uint32_t now, double hourly) {
        baseTotal_ = totalAt(now);
        startTick_ = now;
        hourly_ = hourly;
        tell();
    }
    // Another total, from `now` on (a reset).
    void setTotal(std::uint32_t now, double total) {
        baseTotal_ = total;
        startTick_ = now;
    }
    // Takes an amount off, whenever it was earned (time away counted as unpaid).
    void takeOff(double amount) { baseTotal_ -= amount; }

  private:
    void tell() const {
        if (watcher_ != nullptr) {
            watcher_->paceChanged();
        }
    }

    double baseTotal_;
    double hourly_;
    std::uint32_t startTick_ = 0;
    bool running_ = false;
    mutable AccumulationWatcher* watcher_ = nullptr;
};
