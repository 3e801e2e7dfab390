#include "app/workday.h"

#include <cstring>
#include <new>

#include "meter/currency.h"

Workday::Workday(const WorkdayServices& services) : services_(services) {}

bool Workday::load() {
    // What a run that ended unfinished left (its record, or an older build's values) is read
    // along with the settings; its total is the one to go on from.
    services_.store.read([&](SettingsReader* key) {
        loadSettings(key, settings_, rate_);
        if (key == nullptr) {
            return;
        }
        loadLedgerPending(*key, pending_);
        crashed_.found = loadRunRecord(*key, crashed_.record);
        if (!crashed_.found) {
            crashed_.found = loadOlderRun(*key, settings_, rate_.hourly, crashed_.record);
        }
        removeOlder_ = olderRunLeft(*key);
    });
    meter_ = Accumulation(
        crashed_.found ? crashed_.record.total : static_cast<double>(settings_.savedTotal),
        rate_.hourly);
    activities_.reset(new (std::nothrow) Activities(settings_.activitiesFile));
    if (!activities_) {
        return false;
    }
    current_ = resolveCurrentActivity(*activities_, settings_.currentActivityName);
    return true;
}

void Workday::begin() {
    if (ended_) {
        return;  // closed while a crashed run's questions were asked: they wait for the next
    }
    begun_ = true;
    closeCrashed();
    const int index = current_;
    openPeriod(index >= 0 ? activities_->name(index) : "None",
               index >= 0 && activities_->paid[static_cast<std::size_t>(index)] != 0);
    save(Save::Record);
    deliverHanded();
    flushLedger();
    LogFields banner = logFields();
    banner.startTime = services_.clock.localTime();
    services_.log.write(banner, LOG_BANNER);
    logStarted();
    save(Save::Record);  // the settings, as loaded, wait for the first checkpoint
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

void Workday::openPeriod(const char* name, bool running) {
    period_.name = name;
    period_.paid = running;
    period_.open = true;
    period_.start = services_.clock.localTime();
    wallClockValue(period_.start, period_.rowStart);
    period_.rowStartUtc = services_.clock.utcTime();
    period_.rowStartTick = services_.clock.tickCount();
    period_.rowStartTotal = meter_.totalAt(period_.rowStartTick);
}

void Workday::logStarted() {
    services_.log.write(logFields(), LOG_STARTED);
    // The tick is read after the record is written, and running set last.
    period_.rowStartTick = services_.clock.tickCount();
    meter_.start(period_.rowStartTick, period_.paid);
    // Time away counts only while the meter runs, and within one period.
    away_.restart(awayReading(), period_.paid ? awayThresholdMs(settings_) : 0);
}

void Workday::finishPeriod() {
    LogFields log = logFields();
    log.finishTime = services_.clock.localTime();
    services_.log.write(log, LOG_FINISHED);
    // Once: a second finish of the same period (at exit after the session's end) logs again but
    // records nothing.
    const std::uint32_t now = services_.clock.tickCount();
    LedgerPeriod row;
    if (rowSoFar(row, now)) {
        hand(row);
    }
    period_.open = false;
    asking_ = false;  // a question about it can no longer cut it: as counted
    meter_.stop(now);
}

template <typename Change>
void Workday::betweenPeriods(Change change) {
    noticeReturn();  // a stretch the user has just ended is asked about, not thrown away
    finishPeriod();
    change();
    // The key holds the next period and the rows handed over before their file has them, and
    // before the log has its Started.
    save(Save::Record);
    deliverHanded();
    logStarted();
    checkpoint();
}

void Workday::switchTo(int index) {
    if (ended_ || index < 0 || index >= activities_->count) {
        return;
    }
    betweenPeriods([&] {
        openPeriod(activities_->name(index),
                   activities_->paid[static_cast<std::size_t>(index)] != 0);
        current_ = index;
    });
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
    betweenPeriods([&] {
        meter_.setTotal(services_.clock.tickCount(), newTotal);
        openPeriod("None", true);
    });
}

bool Workday::addActivity(const char* name, bool paid) {
    const bool added = !ended_ && activities_->add(name, paid);
    checkpoint();
    return added;
}

template <typename Change>
void Workday::betweenRows(bool rowEnds, Change change) {
    noticeReturn();
    const std::uint32_t now = services_.clock.tickCount();
    LedgerPeriod row;
    rowEnds = rowEnds && rowSoFar(row, now);
    if (rowEnds) {
        hand(row);
    }
    change(now);
    if (rowEnds) {
        // The next row from now, its total as of now at the new rate; the log's period goes on.
        wallClockValue(services_.clock.localTime(), period_.rowStart);
        period_.rowStartUtc = services_.clock.utcTime();
        period_.rowStartTick = now;
        period_.rowStartTotal = meter_.totalAt(now);
        save(Save::Record);
        deliverHanded();
    }
    checkpoint();
}

void Workday::rateChosen(const Rate& chosen) {
    if (!ended_) {
        betweenRows(chosen.hourly != rate_.hourly, [&](std::uint32_t now) {
            rate_ = chosen;
            meter_.changeRate(now, rate_.hourly);
        });
    }
}

void Workday::currencyChosen(int currency, int decimals, const char* digitsBitmapFile) {
    if (!ended_) {
        betweenRows(currency != settings_.currency, [&](std::uint32_t) {
            settings_.currency = currency;
            settings_.decimals = decimals;
            copyText(settings_.digitsBitmapFile, digitsBitmapFile);
        });
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
    save(Save::Record);  // the key names the new log before it has the Started
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

double Workday::currentTotal() const {
    return meter_.totalAt(services_.clock.tickCount());
}

void Workday::checkpoint() {
    if (ended_) {
        return;
    }
    noticeReturn();
    flushLedger();  // a file that a spreadsheet held may be free again
    save(Save::Changed);
}

unsigned Workday::checkpointPeriodMs() const {
    return ended_ ? 0 : meter_.running() ? CHECKPOINT_MS : STANDING_CHECKPOINT_MS;
}

void Workday::end() {
    if (!begun_) {
        return;  // nothing of this run's yet; a crashed run's record stays for the next start
    }
    noticeReturn();
    RunRecord open;
    if (runRecord(open) && open.stretchCount > 0) {
        // Time away nobody has answered: the period stays open, for the next start to ask.
        save(Save::Everything);
        return;
    }
    finishPeriod();
    save(Save::Everything);
    deliverHanded();
    save(Save::Changed);
}

void Workday::sessionEnds() {
    if (!ended_) {
        end();
    }
}

void Workday::exit() {
    if (!ended_) {
        end();
        ended_ = true;
    }
}
