// Time away: noticed while the meter runs, asked about on return, and counted as the user says.
// Nothing changes without an answer: the meter counts on meanwhile, as it always does.

#include <algorithm>
#include <cstring>

#include "app/away_cut.h"
#include "app/workday.h"

AwayReading Workday::awayReading() {
    std::int64_t local = 0;
    wallClockValue(services_.clock.localTime(), local);
    return {local, services_.clock.tickCount(), services_.clock.awakeMs()};
}

void Workday::sessionLocked(bool locked) {
    if (ended_ || !meter_.running()) {
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
    if (!ended_ && meter_.running()) {
        away_.suspended(awayReading(), services_.clock.lastInputTick());
    }
}

void Workday::powerResumed() {
    if (!ended_ && meter_.running()) {
        away_.resumed(awayReading());
        takeAwayQuestion();
    }
}

bool Workday::noticeReturn() {
    if (!ended_ && meter_.running() && settings_.awayMinutes > 0) {
        away_.checked(awayReading(), services_.clock.lastInputTick());
        takeAwayQuestion();
    }
    return asking_;
}

void Workday::optionsChosen(int awayMinutes, bool notificationIcon, bool hideWhenMinimised) {
    if (ended_) {
        return;
    }
    noticeReturn();  // the stretch so far, measured by the old threshold
    settings_.awayMinutes = std::clamp(awayMinutes, -MAX_AWAY_MINUTES, MAX_AWAY_MINUTES);
    settings_.notificationIcon = notificationIcon;
    settings_.hideWhenMinimised = hideWhenMinimised;
    away_.rethreshold(awayReading(), meter_.running() ? awayThresholdMs(settings_) : 0);
    checkpoint();
}

KeptStretch Workday::kept(const AwayStretch& s) const {
    // Never before the ledger row it is asked about began.
    KeptStretch k;
    const std::uint32_t cut =
        tickAfter(period_.rowStartTick, s.startTick) ? period_.rowStartTick - s.startTick : 0;
    k.length = s.length - static_cast<std::int64_t>(cut) * UNITS_PER_MS;
    k.end = s.end;
    k.start = s.end - k.length;
    k.offset = static_cast<std::int64_t>(s.startTick + cut - period_.rowStartTick) * UNITS_PER_MS;
    return k;
}

void Workday::takeAwayQuestion() {
    AwayStretch stretch;
    if (asking_ || !away_.take(stretch)) {
        return;
    }
    // Asked while an activity of the list is current: not during a reset's "None".
    const bool ofActivity = current_ >= 0 && period_.open && period_.paid &&
                            period_.name == activities_->name(current_);
    question_ = stretch;
    asking_ = ofActivity && kept(stretch).length > 0;
    if (asking_) {
        save(Save::Changed);  // kept, with the total as of now, so that a crash loses neither
    }
}

bool Workday::awayQuestion(AwayQuestion& question) const {
    if (!begun_) {
        const RunRecord& r = crashed_.record;
        if (!crashed_.found || !r.open || crashed_.answered >= r.stretchCount) {
            return false;
        }
        const KeptStretch& s = r.stretches[crashed_.answered];
        question = {s.start, s.end, s.length, r.name};
        return true;
    }
    if (!asking_) {
        return false;
    }
    const KeptStretch s = kept(question_);
    question = {s.start, s.end, s.length, period_.name};
    return true;
}

void Workday::awayAnswered(int picked) {
    const bool valid = picked >= 0 && picked < activities_->count;
    if (!begun_) {
        // Counted as the crashed period closes, at begin.
        if (crashed_.answered < crashed_.record.stretchCount) {
            crashed_.answers[crashed_.answered++] = valid ? picked : -1;
        }
        return;
    }
    if (!asking_ || ended_) {
        return;
    }
    asking_ = false;
    if (valid && std::strcmp(activities_->name(picked), period_.name) != 0) {
        countAwayAs(picked);
    }
    checkpoint();  // the answer saved, and a stretch that ended meanwhile asked next
    takeAwayQuestion();
}

void Workday::countAwayAs(int picked) {
    const AwayStretch& s = question_;
    const std::uint32_t now = services_.clock.tickCount();
    LedgerPeriod span;
    std::int64_t logStart = 0;
    const KeptStretch stretch = kept(s);
    if (tickAfter(s.endTick, now) || stretch.length <= 0 || !rowSoFar(span, now) ||
        !wallClockValue(period_.start, logStart)) {
        return;  // nothing left to cut: as counted
    }
    const AwayCut cut = cutAround(span, logStart, stretch, activities_->name(picked),
                                  activities_->paid[static_cast<std::size_t>(picked)] != 0, true);
    // The period finished where the stretch began, and the picked activity's records, before
    // the key holds the cut; the period started again after.
    writeLog(nullptr, cut.records, cut.recordCount - 1);
    for (std::size_t i = 0; i < cut.rowCount; ++i) {
        hand(cut.rows[i]);
    }
    meter_.takeOff(cut.deduction);
    localTimeOf(stretch.end, period_.start);
    period_.rowStart = stretch.end;
    period_.rowStartTick = s.endTick;
    period_.rowStartUtc =
        services_.clock.utcTime() - static_cast<std::int64_t>(now - s.endTick) * UNITS_PER_MS;
    period_.rowStartTotal = meter_.totalAt(now) - cut.after.earned;
    save(Save::Record);
    deliverHanded();
    writeLog(nullptr, cut.records + cut.recordCount - 1, 1);
}
