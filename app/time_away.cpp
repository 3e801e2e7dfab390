#include "app/time_away.h"

#include <algorithm>
#include <utility>

#include "base/local_time.h"

namespace {

// A gap between the tick count and the awake time shorter than this is the clocks' own drift.
constexpr std::int64_t LEAST_SLEEP_MS = 2000;

}  // namespace

void AwayWatch::restart(const AwayReading& now, std::uint32_t thresholdMs) {
    rethreshold(now, thresholdMs);
    count_ = 0;
}

void AwayWatch::rethreshold(const AwayReading& now, std::uint32_t thresholdMs) {
    threshold_ = thresholdMs;
    last_ = quiet_ = now;
    since_ = now.tick;
    locked_ = asleep_ = false;
}

std::uint32_t AwayWatch::inputSince(std::uint32_t lastInput, std::uint32_t now) const {
    return tickAfter(lastInput, since_) && !tickAfter(lastInput, now) ? lastInput : since_;
}

void AwayWatch::locked(const AwayReading& now, std::uint32_t lastInput) {
    if (!locked_ && !asleep_) {
        since_ = inputSince(lastInput, now.tick);  // idle, then locked: one stretch from there
    }
    locked_ = true;
    last_ = now;
}

void AwayWatch::unlocked(const AwayReading& now) {
    last_ = now;
    if (std::exchange(locked_, false) && !asleep_) {
        back(now);
    }
}

void AwayWatch::suspended(const AwayReading& now, std::uint32_t lastInput) {
    if (!locked_ && !asleep_) {
        since_ = inputSince(lastInput, now.tick);
    }
    asleep_ = true;
    last_ = now;
}

void AwayWatch::resumed(const AwayReading& now) {
    // A resume is a return, whether its suspend was told or not; a screen still locked is not.
    asleep_ = false;
    last_ = now;
    if (!locked_) {
        back(now);
    }
}

void AwayWatch::checked(const AwayReading& now, std::uint32_t lastInput) {
    // The tick count went on while the machine slept, and the awake time did not.
    const auto ticks = static_cast<std::int64_t>(static_cast<std::uint32_t>(now.tick - last_.tick));
    const auto awake = static_cast<std::int64_t>(now.awake - last_.awake);
    const bool slept = now.awake >= last_.awake && ticks - awake >= LEAST_SLEEP_MS;
    if (locked_ || asleep_) {
        last_ = now;
        return;  // input does not count while the screen is locked or the machine asleep
    }
    if (slept) {
        // From the last input known before it: whatever came after may have woken the machine.
        last_ = now;
        back(now);
        return;
    }
    const std::uint32_t input = inputSince(lastInput, now.tick);
    last_ = now;
    if (input != since_) {
        // Input again: the user was back by then, and away, as far as is known, until the last
        // moment seen without it.
        back(quiet_);
        since_ = input;
    }
    quiet_ = now;
}

void AwayWatch::back(const AwayReading& end) {
    const std::uint32_t from = since_;
    since_ = end.tick;
    quiet_ = end;
    if (count_ < KEPT && stretchTo(from, end, ended_[count_])) {
        ++count_;
    }
}

bool AwayWatch::stretchTo(std::uint32_t from, const AwayReading& end, AwayStretch& s) const {
    if (threshold_ == 0 || tickAfter(from, end.tick) || end.tick - from < threshold_) {
        return false;
    }
    s.length = static_cast<std::int64_t>(end.tick - from) * UNITS_PER_MS;
    s.end = end.local;
    s.start = end.local - s.length;  // the local clock may have jumped meanwhile; the length not
    s.startTick = from;
    s.endTick = end.tick;
    return true;
}

std::size_t AwayWatch::waiting(AwayStretch* out, std::size_t most) const {
    const std::size_t n = std::min(count_, most);
    std::copy(ended_, ended_ + n, out);
    return n;
}

bool AwayWatch::goingOn(const AwayReading& now, std::uint32_t lastInput,
                        AwayStretch& stretch) const {
    // Input does not count while the screen is locked or the machine asleep.
    return stretchTo(locked_ || asleep_ ? since_ : inputSince(lastInput, now.tick), now, stretch);
}

bool AwayWatch::take(AwayStretch& stretch) {
    if (count_ == 0) {
        return false;
    }
    stretch = ended_[0];
    for (std::size_t i = 1; i < count_; ++i) {
        ended_[i - 1] = ended_[i];
    }
    --count_;
    return true;
}
