#include "app/workday.h"

#include <cstring>
#include <new>

#include "meter/currency.h"

Workday::Workday(const WorkdayServices& services) : services_(services) {}

bool Workday::load() {
    // What a run that ended unfinished left open, its period and a question about it, is read
    // along with the settings.
    std::int64_t now = 0;
    const bool nowKnown = wallClockValue(services_.clock.localTime(), now);
    const std::int64_t nowUtc = services_.clock.utcTime();
    services_.store.read([&](SettingsReader* key) {
        loadSettings(key, settings_, rate_);
        if (key == nullptr) {
            return;
        }
        loadLedgerPending(*key, pending_);
        hasCrashed_ = nowKnown && loadOpenPeriod(*key, now, nowUtc, crashed_);
        hasLeft_ = hasCrashed_ && crashed_.paid && loadAwayQuestion(*key, nowUtc, left_) &&
                   std::strcmp(left_.activity, crashed_.name) == 0;
    });
    meter_.baseTotal = meter_.total = static_cast<double>(settings_.savedTotal);
    activities_.reset(new (std::nothrow) Activities(settings_.activitiesFile));
    if (!activities_) {
        return false;
    }
    current_ = resolveCurrentActivity(*activities_, settings_.currentActivityName);
    return true;
}

void Workday::begin() {
    begun_ = true;
    closeCrashedPeriod();
    flushLedger();
    LogFields banner = logFields();
    banner.startTime = services_.clock.localTime();
    services_.log.write(banner, LOG_BANNER);
    startActivity(current_);
}

const char* Workday::currentActivityName() const {
    return current_ >= 0 ? activities_->name(current_) : settings_.currentActivityName;
}

LogFields Workday::logFields() const {
    LogFields log;
    log.loggingEnabled = settings_.logging;
    copyText(log.logFileName, settings_.logFile);
    log.logActivityName = period_.name;
    log.startTime = period_.start;
    return log;
}

void Workday::startActivity(int index) {
    const bool paid = index >= 0 && activities_->paid[static_cast<std::size_t>(index)] != 0;
    startPeriod(index >= 0 ? activities_->name(index) : "None", paid);
}

void Workday::startPeriod(const char* name, bool running) {
    period_.start = services_.clock.localTime();
    period_.name = name;
    period_.open = true;
    period_.startTotal = meter_.baseTotal;
    period_.startUtc = services_.clock.utcTime();
    services_.log.write(logFields(), LOG_STARTED);
    // The tick is read after the record is written, and running set last.
    period_.startTick = services_.clock.tickCount();
    meter_.start(period_.startTick, running);
    // Time away counts only while the meter runs, and within one period.
    away_.restart(awayReading(),
                  running ? static_cast<std::uint32_t>(settings_.awayMinutes) * 60000 : 0);
    // In the key from the period's start on, so that a crash cannot leave its Started unpaired.
    save(Save::OpenPeriod);
}

void Workday::finishPeriod() {
    LogFields log = logFields();
    log.finishTime = services_.clock.localTime();
    services_.log.write(log, LOG_FINISHED);
    // The total as of now, however long ago the meter last ticked.
    meter_.step(services_.clock.tickCount());
    LedgerPeriod period;
    std::int64_t finish = 0;
    // Once: a second finish of the same period (at exit after the session's end) logs again but
    // records nothing.
    if (wallClockValue(log.finishTime, finish) && periodSoFar(finish, period)) {
        record(period);
    }
    period_.open = false;
    meter_.stop();
}

void Workday::switchTo(int index) {
    if (ended_ || index < 0 || index >= activities_->count) {
        return;
    }
    finishPeriod();
    startActivity(index);
    current_ = index;
    checkpoint();
}

void Workday::toggleTopMost() {
    if (!ended_) {
        settings_.topMost = !settings_.topMost;
        checkpoint();
    }
}

void Workday::resetTotal(double newTotal) {
    if (ended_) {
        return;
    }
    finishPeriod();
    meter_.baseTotal = newTotal;
    startPeriod("None", true);
    checkpoint();
}

bool Workday::addActivity(const char* name, bool paid) {
    const bool added = !ended_ && activities_->add(name, paid);
    checkpoint();
    return added;
}

void Workday::rateChosen(const Rate& chosen) {
    if (!ended_) {
        meter_.changeRate(chosen);
        checkpoint();
    }
}

void Workday::currencyChosen(int currency, int decimals, const char* digitsBitmapFile) {
    if (!ended_) {
        settings_.currency = currency;
        settings_.decimals = decimals;
        copyText(settings_.digitsBitmapFile, digitsBitmapFile);
        checkpoint();
    }
}

void Workday::currencyFellBack() {
    // Kept for the next save; the next start would fall back the same way meanwhile.
    settings_.currency = CURRENCY_POUNDS;
    settings_.decimals = DECIMALS_TWO;
}

void Workday::loggingChosen(bool logging, const char* logFile) {
    if (ended_) {
        return;
    }
    const LogFields old = logFields();
    settings_.logging = logging;
    copyText(settings_.logFile, logFile);
    const LogHandover handover =
        logHandover(old.loggingEnabled, old.logFileName, logging, settings_.logFile);
    if (handover.finishInOld) {
        LogFields finished = old;
        finished.finishTime = services_.clock.localTime();
        services_.log.write(finished, LOG_FINISHED);
    }
    if (handover.startInNew) {
        services_.log.write(logFields(), LOG_STARTED);
    }
    checkpoint();
}

void Workday::activitiesFileChosen(const char* activitiesFile) {
    if (!ended_) {
        copyText(settings_.activitiesFile, activitiesFile);
        checkpoint();
    }
}

void Workday::ledgerKept(bool keep) {
    if (!ended_) {
        settings_.ledger = keep;
        checkpoint();
    }
}

void Workday::placed(const Placement& placement) {
    if (!ended_) {
        settings_.placement = placement;
    }
}

double Workday::currentTotal() {
    meter_.step(services_.clock.tickCount());
    return meter_.total;
}

void Workday::checkpoint() {
    if (ended_) {
        return;
    }
    currentTotal();  // the total as of now, not of the last tick
    flushLedger();   // a file that a spreadsheet held may be free again
    if (meter_.running && settings_.awayMinutes > 0) {
        away_.checked(awayReading(), services_.clock.lastInputTick());
        takeAwayQuestion();
    }
    save(Save::Changed);
}

unsigned Workday::checkpointPeriodMs() const {
    return ended_ ? 0 : meter_.running ? CHECKPOINT_MS : STANDING_CHECKPOINT_MS;
}

void Workday::sessionEnds() {
    if (!ended_) {
        question_.open = false;  // unanswered at the end: as counted
        finishPeriod();
        save(Save::Everything);
    }
}

void Workday::exit() {
    if (!ended_) {
        question_.open = false;
        finishPeriod();
        save(Save::Everything);
        ended_ = true;
    }
}
