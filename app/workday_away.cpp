// Time away: noticed while the meter runs, asked about on return, and counted as the user says.
// Nothing changes without an answer: the meter counts on meanwhile, as it always does.

#include <algorithm>

#include "app/workday.h"

namespace {

constexpr double UNITS_PER_HOUR = 3600.0 * UNITS_PER_SECOND;

LocalTime localAt(std::int64_t wall) {
    LocalTime time{};
    localTimeOf(wall, time);
    return time;
}

}  // namespace

AwayReading Workday::awayReading() {
    std::int64_t local = 0;
    wallClockValue(services_.clock.localTime(), local);
    return {local, services_.clock.tickCount(), services_.clock.awakeMs()};
}

void Workday::sessionLocked(bool locked) {
    if (ended_ || !meter_.running) {
        return;
    }
    if (locked) {
        away_.locked(awayReading(), services_.clock.lastInputTick());
    } else {
        away_.unlocked(awayReading());
    }
    takeAwayQuestion();
}

void Workday::powerSuspended() {
    if (!ended_ && meter_.running) {
        away_.suspended(awayReading(), services_.clock.lastInputTick());
    }
}

void Workday::powerResumed() {
    if (!ended_ && meter_.running) {
        away_.resumed(awayReading());
        takeAwayQuestion();
    }
}

void Workday::awayMinutesChosen(int minutes) {
    if (ended_) {
        return;
    }
    settings_.awayMinutes = std::clamp(minutes, 0, MAX_AWAY_MINUTES);
    away_.restart(awayReading(),
                  meter_.running ? static_cast<std::uint32_t>(settings_.awayMinutes) * 60000 : 0);
    checkpoint();
}

void Workday::takeAwayQuestion() {
    AwayStretch stretch;
    if (question_.open || !away_.take(stretch)) {
        return;
    }
    // Never before the period the question is about began.
    if (tickAfter(period_.startTick, stretch.startTick)) {
        const std::uint32_t cut = period_.startTick - stretch.startTick;
        stretch.startTick = period_.startTick;
        stretch.length -= static_cast<std::int64_t>(cut) * UNITS_PER_MS;
        stretch.start = stretch.end - stretch.length;
    }
    // Asked while an activity of the list is current: not during a reset's "None".
    const bool ofActivity = current_ >= 0 && period_.name == activities_->name(current_);
    const std::uint32_t since = services_.clock.tickCount() - stretch.endTick;
    question_ = {stretch, rate_.hourly, current_,
                 services_.clock.utcTime() - static_cast<std::int64_t>(since) * UNITS_PER_MS,
                 stretch.length > 0 && ofActivity};
    if (question_.open) {
        currentTotal();
        save(Save::Changed);  // kept, with the total as of now, so that a crash loses neither
    }
}

bool Workday::awayQuestion(AwayAsk& ask) const {
    if (hasLeft_ && !begun_) {
        ask = {left_.start, left_.end, left_.length, left_.activity};
        return true;
    }
    if (!question_.open) {
        return false;
    }
    ask = {question_.stretch.start, question_.stretch.end, question_.stretch.length,
           activities_->name(question_.activity)};
    return true;
}

void Workday::awayAnswered(int picked) {
    const bool valid = picked >= 0 && picked < activities_->count;
    if (hasLeft_ && !begun_) {
        leftAnswer_ = valid ? picked : -1;  // counted as the crashed period closes, at begin
        return;
    }
    if (!question_.open || ended_) {
        return;
    }
    if (valid && picked != question_.activity) {
        countAwayAs(picked);
    }
    question_.open = false;
    checkpoint();  // the answer saved, and a stretch that ended meanwhile asked next
    takeAwayQuestion();
}

void Workday::countAwayAs(int picked) {
    const AwayStretch& s = question_.stretch;
    const std::uint32_t now = services_.clock.tickCount();
    if (!period_.open || period_.name != activities_->name(question_.activity) ||
        tickAfter(period_.startTick, s.startTick) || tickAfter(s.endTick, now)) {
        return;  // the period it interrupted is over: left as counted
    }
    const double hourly = question_.hourly;
    const double during = hourly * static_cast<double>(s.length) / UNITS_PER_HOUR;
    const double since = hourly * static_cast<double>(now - s.endTick) / 3600000.0;
    const double total = currentTotal();
    const bool paid = activities_->paid[static_cast<std::size_t>(picked)] != 0;
    const char* other = activities_->name(picked);
    // The log, dated as it happened: the interrupted period finished at the stretch's start, the
    // picked activity's period, and the interrupted one started again at its end.
    LogFields log = logFields();
    log.finishTime = localAt(s.start);
    services_.log.write(log, LOG_FINISHED);
    LogFields away = log;
    away.logActivityName = other;
    away.startTime = localAt(s.start);
    away.finishTime = localAt(s.end);
    services_.log.write(away, LOG_STARTED);
    services_.log.write(away, LOG_FINISHED);
    std::int64_t start = 0;
    wallClockValue(period_.start, start);
    const double before = std::max(0.0, total - period_.startTotal - during - since);
    record(ledgerRow(start, s.start,
                     static_cast<std::int64_t>(s.startTick - period_.startTick) * UNITS_PER_MS,
                     period_.name, true, before));
    record(ledgerRow(s.start, s.end, s.length, other, paid, during));
    // Unpaid, the stretch's earnings come off the total.
    if (!paid) {
        meter_.baseTotal -= during;
        meter_.total -= during;
    }
    period_.start = localAt(s.end);
    period_.startTick = s.endTick;
    period_.startUtc =
        services_.clock.utcTime() - static_cast<std::int64_t>(now - s.endTick) * UNITS_PER_MS;
    period_.startTotal = meter_.total - since;
    services_.log.write(logFields(), LOG_STARTED);
    save(Save::OpenPeriod);
}

bool Workday::closeCrashedAround() {
    const AwayQuestion& q = left_;
    if (!hasLeft_ || leftAnswer_ < 0 || q.start < crashed_.start || q.end > crashed_.checkpoint ||
        std::strcmp(activities_->name(leftAnswer_), crashed_.name) == 0) {
        return false;
    }
    const bool paid = activities_->paid[static_cast<std::size_t>(leftAnswer_)] != 0;
    const char* other = activities_->name(leftAnswer_);
    const double during = q.hourly * static_cast<double>(q.length) / UNITS_PER_HOUR;
    const double earned = static_cast<double>(settings_.savedTotal) - crashed_.startTotal;
    const double rest = std::max(0.0, earned - during);
    const std::int64_t first = q.start - crashed_.start, last = crashed_.checkpoint - q.end;
    const double firstShare = first + last > 0 ? static_cast<double>(first) / (first + last) : 0;
    // Its pieces in the log of its Started, in time order, the last Finished at its checkpoint.
    LogFields log = crashedLog();
    const std::int64_t times[][2] = {{crashed_.start, q.start}, {q.end, crashed_.checkpoint}};
    LogFields away = log;
    away.logActivityName = other;
    away.startTime = localAt(q.start);
    away.finishTime = localAt(q.end);
    for (int piece = 0; piece < 2; ++piece) {
        log.startTime = localAt(times[piece][0]);
        log.finishTime = localAt(times[piece][1]);
        if (piece == 1) {
            services_.log.write(away, LOG_STARTED);
            services_.log.write(away, LOG_FINISHED);
            services_.log.write(log, LOG_STARTED);
        }
        services_.log.write(log, LOG_FINISHED);
    }
    const std::int64_t stretchStartUtc = q.endUtc - q.length;
    recordCrashed(ledgerRow(crashed_.start, q.start,
                            crashed_.hasUtc ? stretchStartUtc - crashed_.startUtc : -1,
                            crashed_.name, true, rest * firstShare));
    recordCrashed(ledgerRow(q.start, q.end, q.length, other, paid, during));
    recordCrashed(ledgerRow(q.end, crashed_.checkpoint,
                            crashed_.hasUtc ? crashed_.checkpointUtc - q.endUtc : -1, crashed_.name,
                            true, rest - rest * firstShare));
    if (!paid) {
        meter_.baseTotal -= during;
        meter_.total -= during;
    }
    return true;
}
