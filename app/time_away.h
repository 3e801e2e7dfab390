#pragma once

// Noticing that the user was away while the meter ran: the screen locked, the machine asleep, or
// no input at all. Whatever overlaps is one stretch, from the last input before it to the moment
// the user is back; a stretch at least as long as the threshold is asked about.

#include <cstddef>
#include <cstdint>

// The clocks at one moment: the local wall clock (100 ns since 1601), the tick count, which
// counts on while the machine sleeps, and the awake time, which stops meanwhile (both ms).
struct AwayReading {
    std::int64_t local;
    std::uint32_t tick;
    std::uint64_t awake;
};

// Whether tick `a` comes after tick `b`, across the counter's wrap.
inline bool tickAfter(std::uint32_t a, std::uint32_t b) {
    return static_cast<std::int32_t>(a - b) > 0;
}

// A stretch of time away: when it began and ended on the local clock, and its true length (100 ns)
// from the tick count, which no change of the clock moves.
struct AwayStretch {
    std::int64_t start = 0;
    std::int64_t end = 0;
    std::int64_t length = 0;
    std::uint32_t startTick = 0;
    std::uint32_t endTick = 0;
};

class AwayWatch {
  public:
    // Watches from `now` on, the user present; stretches of at least `thresholdMs` count (none
    // when 0).
    void restart(const AwayReading& now, std::uint32_t thresholdMs);
    // The same with another threshold, keeping the stretches that have ended and wait.
    void rethreshold(const AwayReading& now, std::uint32_t thresholdMs);
    void locked(const AwayReading& now, std::uint32_t lastInput);
    void unlocked(const AwayReading& now);
    void suspended(const AwayReading& now, std::uint32_t lastInput);
    void resumed(const AwayReading& now);
    // On the checkpoint timer: a sleep that came without its messages, and input after idleness.
    void checked(const AwayReading& now, std::uint32_t lastInput);
    // The earliest stretch that has ended and was long enough; false when there is none.
    bool take(AwayStretch& stretch);
    // Those that have ended and wait to be taken, oldest first: how many were copied to `out`.
    std::size_t waiting(AwayStretch* out, std::size_t most) const;
    // The stretch going on at `now`, from the last input (or the user's last return), when it is
    // already long enough to be asked about; false otherwise.
    bool goingOn(const AwayReading& now, std::uint32_t lastInput, AwayStretch& stretch) const;

  private:
    // The user is back at `end`: the stretch since the last input ends there.
    void back(const AwayReading& end);
    // The stretch from tick `from` to `end`, when it is long enough; false otherwise.
    bool stretchTo(std::uint32_t from, const AwayReading& end, AwayStretch& stretch) const;
    // The last input as of `now`, or the user's last return when that came later.
    std::uint32_t inputSince(std::uint32_t lastInput, std::uint32_t now) const;

    std::uint32_t threshold_ = 0;
    AwayReading last_{};       // the reading before this one
    AwayReading quiet_{};      // the latest reading with no input since `since_`
    std::uint32_t since_ = 0;  // tick of the last input, or of the user's last return
    bool locked_ = false;
    bool asleep_ = false;
    static constexpr std::size_t KEPT = 4;
    AwayStretch ended_[KEPT];  // stretches that ended, not yet taken, oldest first
    std::size_t count_ = 0;
};
