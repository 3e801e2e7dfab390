// What the workday keeps beyond the run: the settings key, the ledger's rows and the period a
// crashed run left open.

#include "app/workday.h"

#include <cstring>
#include <new>

// The one checkpoint writer. Its order, which a crash between two writes relies on:
//  1. the thirteen values in their fixed order, the ledger's two and the minutes away asked
//     about, of which a checkpoint of a growing total changes "Kett" alone (none at a period's
//     start, which writes only what follows);
//  2. the open period, its checkpoint's time last, so that a key holding that time holds the rest
//     of the period too; or, once it is finished, its removal, that time first;
//  3. the rows waiting for the ledger, or their removal once the file has them;
//  4. the open question about time away, "AwayStretch" last; or its removal, that first.
// At exit and at the end of the session every value is written; otherwise only those that differ
// from what this writer last wrote.
void Workday::save(Save what) {
    OpenPeriod open;
    const bool isOpen = openPeriodNow(open);
    Settings saved = settings_;
    copyText(saved.currentActivityName, currentActivityName());
    // The question open, or the one a crashed run left until it is answered at start-up.
    AwayQuestion asked = left_;
    const bool isAsking = question_.open || (hasLeft_ && !begun_);
    if (question_.open) {
        asked.start = question_.stretch.start;
        asked.end = question_.stretch.end;
        asked.length = question_.stretch.length;
        asked.endUtc = question_.endUtc;
        asked.hourly = question_.hourly;
        copyText(asked.activity, activities_->name(question_.activity));
    }
    services_.store.write([&](SettingsWriter& key) {
        ChangedValuesWriter out(key, written_, what == Save::Everything);
        if (what != Save::OpenPeriod) {
            saveSettings(out, saved, rate_, meter_.total);
        }
        if (isOpen) {
            saveOpenPeriod(out, open);
        } else {
            removeOpenPeriod(out);
        }
        saveLedgerPending(out, pending_);
        saveAwayQuestion(out, isAsking ? &asked : nullptr);
    });
}

bool Workday::periodSoFar(std::int64_t finish, LedgerPeriod& period) {
    std::int64_t start = 0;
    if (!period_.open || !wallClockValue(period_.start, start)) {
        return false;
    }
    period = ledgerRow(
        start, finish,
        static_cast<std::int64_t>(services_.clock.tickCount() - period_.startTick) * UNITS_PER_MS,
        period_.name != nullptr ? period_.name : "", meter_.running,
        meter_.total - period_.startTotal);
    return true;
}

bool Workday::openPeriodNow(OpenPeriod& period) {
    if (!period_.open) {
        return false;  // finished: at exit, nothing may be kept as open again
    }
    copyText(period.name, period_.name != nullptr ? period_.name : "");
    period.paid = meter_.running;
    period.startTotal = period_.startTotal;
    period.hasEarnings = true;
    period.startUtc = period_.startUtc;
    period.checkpointUtc = services_.clock.utcTime();
    services_.names.wholePath(settings_.logging ? settings_.logFile : "", period.logFile,
                              sizeof period.logFile);
    services_.names.wholePath(settings_.ledger ? settings_.ledgerFile : "", period.ledgerFile,
                              sizeof period.ledgerFile);
    return wallClockValue(period_.start, period.start) &&
           wallClockValue(services_.clock.localTime(), period.checkpoint);
}

void Workday::record(const LedgerPeriod& period) {
    if (settings_.ledger) {
        appendLedgerRows(period, pending_);
        keepNewestRows(pending_, MAX_PENDING_LEDGER);
        flushLedger();
    }
}

void Workday::flushLedger() {
    if (pending_.empty()) {
        return;
    }
    LedgerWrite written = services_.ledger.append(settings_.ledgerFile, pending_);
    if (written == LedgerWrite::Unusable &&
        std::strcmp(settings_.ledgerFile, DEFAULT_LEDGER_FILE)) {
        // A file that can never be written (its folder is gone): the working folder's, as a log
        // file's default is.
        copyText(settings_.ledgerFile, DEFAULT_LEDGER_FILE);
        written = services_.ledger.append(settings_.ledgerFile, pending_);
    }
    if (written == LedgerWrite::Written) {
        pending_.clear();
    }
}

LogFields Workday::crashedLog() const {
    // Where its Started went, whatever folder this run is in.
    LogFields log;
    log.loggingEnabled = crashed_.hasFiles ? crashed_.logFile[0] != '\0' : settings_.logging;
    copyText(log.logFileName, crashed_.hasFiles ? crashed_.logFile : settings_.logFile);
    log.logActivityName = crashed_.name;
    return log;
}

void Workday::recordCrashed(const LedgerPeriod& period) {
    // In the ledger of its own run.
    char here[PERIOD_PATH_SIZE];
    services_.names.wholePath(settings_.ledgerFile, here, sizeof here);
    if (!crashed_.hasFiles || (settings_.ledger && std::strcmp(here, crashed_.ledgerFile) == 0)) {
        record(period);
    } else if (crashed_.ledgerFile[0] != '\0') {
        TextBuffer theirs;
        appendLedgerRows(period, theirs);
        if (services_.ledger.append(crashed_.ledgerFile, theirs) != LedgerWrite::Written) {
            pending_.append(theirs);  // kept, in this run's ledger then
        }
    }
}

LedgerPeriod Workday::ledgerRow(std::int64_t start, std::int64_t finish, std::int64_t elapsed,
                                const char* activity, bool paid, double earned) const {
    LedgerPeriod period;
    period.start = start;
    period.finish = finish;
    period.elapsed = elapsed;
    period.activity = activity;
    period.paid = paid;
    period.hourly = rate_.hourly;
    period.earned = paid ? earned : 0.0;
    period.currency = settings_.currency;
    return period;
}

void Workday::closeCrashedPeriod() {
    if (!hasCrashed_ || closeCrashedAround()) {
        return;
    }
    // Its Finished, dated at that run's last checkpoint.
    LogFields log = crashedLog();
    if (localTimeOf(crashed_.start, log.startTime) &&
        localTimeOf(crashed_.checkpoint, log.finishTime)) {
        services_.log.write(log, LOG_FINISHED);
    }
    // Its row earns what the meter had at that checkpoint over its total as the period began.
    if (crashed_.hasEarnings) {
        recordCrashed(ledgerRow(crashed_.start, crashed_.checkpoint,
                                crashed_.hasUtc ? crashed_.checkpointUtc - crashed_.startUtc : -1,
                                crashed_.name, crashed_.paid,
                                static_cast<double>(settings_.savedTotal) - crashed_.startTotal));
    }
}

std::unique_ptr<LedgerSummary> Workday::summary(int firstDayOfWeek) {
    currentTotal();  // the open period earns up to now, not to the last tick
    std::int64_t now = 0;
    wallClockValue(services_.clock.localTime(), now);
    TextBuffer extra;
    extra.append(pending_);
    LedgerPeriod open;
    if (periodSoFar(now, open)) {
        appendLedgerRows(open, extra);
    }
    std::unique_ptr<LedgerSummary> result(new (std::nothrow)
                                              LedgerSummary(dayOf(now), firstDayOfWeek));
    if (result) {
        result->fileLeftOut = !services_.ledger.read(settings_.ledgerFile, *result);
        result->addRows(extra);
    }
    return result;
}
