// What the workday keeps beyond the run: the settings key, the ledger's rows and the period a
// crashed run left open.

#include "app/workday.h"

#include <cstring>
#include <new>

// The one checkpoint writer. Its order, which a crash between two writes relies on:
//  1. the thirteen values in their fixed order and the ledger's two, of which a checkpoint of a
//     growing total changes "Kett" alone (none at a period's start, which writes only 2 and 3);
//  2. the open period, its checkpoint's time last, so that a key holding that time holds the rest
//     of the period too; or, once it is finished, its removal, that time first;
//  3. the rows waiting for the ledger, or their removal once the file has them.
// At exit and at the end of the session every value is written; otherwise only those that differ
// from what this writer last wrote.
void Workday::save(Save what) {
    OpenPeriod open;
    const bool isOpen = openPeriodNow(open);
    Settings saved = settings_;
    copyText(saved.currentActivityName, currentActivityName());
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
    });
}

bool Workday::periodSoFar(std::int64_t finish, LedgerPeriod& period) {
    if (!period_.open || !wallClockValue(period_.start, period.start)) {
        return false;
    }
    period.finish = finish;
    period.elapsed = static_cast<std::int64_t>(services_.clock.tickCount() - period_.startTick) *
                     (UNITS_PER_SECOND / 1000);
    period.activity = period_.name != nullptr ? period_.name : "";
    period.paid = meter_.running;
    period.hourly = rate_.hourly;
    period.earned = meter_.running ? meter_.total - period_.startTotal : 0.0;
    period.currency = settings_.currency;
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

void Workday::record(LedgerPeriod& period) {
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

void Workday::closeCrashedPeriod() {
    std::int64_t now = 0;
    const std::int64_t nowUtc = services_.clock.utcTime();
    OpenPeriod left;
    bool found = false;
    if (wallClockValue(services_.clock.localTime(), now)) {
        services_.store.read([&](SettingsReader* key) {
            found = key != nullptr && loadOpenPeriod(*key, now, nowUtc, left);
        });
    }
    if (!found) {
        return;
    }
    // Its Finished goes where its Started went, dated at that run's last checkpoint.
    LogFields crashed;
    crashed.loggingEnabled = left.hasFiles ? left.logFile[0] != '\0' : settings_.logging;
    copyText(crashed.logFileName, left.hasFiles ? left.logFile : settings_.logFile);
    crashed.logActivityName = left.name;
    if (localTimeOf(left.start, crashed.startTime) &&
        localTimeOf(left.checkpoint, crashed.finishTime)) {
        services_.log.write(crashed, LOG_FINISHED);
    }
    if (!left.hasEarnings) {
        return;
    }
    // Its row earns what the meter had at that checkpoint over its total as the period began,
    // in the ledger of its own run.
    LedgerPeriod period;
    period.start = left.start;
    period.finish = left.checkpoint;
    period.elapsed = left.hasUtc ? left.checkpointUtc - left.startUtc : -1;
    period.activity = left.name;
    period.paid = left.paid;
    period.hourly = rate_.hourly;
    period.earned = left.paid ? static_cast<double>(settings_.savedTotal) - left.startTotal : 0.0;
    period.currency = settings_.currency;
    char here[PERIOD_PATH_SIZE];
    services_.names.wholePath(settings_.ledgerFile, here, sizeof here);
    if (!left.hasFiles || (settings_.ledger && std::strcmp(here, left.ledgerFile) == 0)) {
        record(period);
    } else if (left.ledgerFile[0] != '\0') {
        TextBuffer theirs;
        appendLedgerRows(period, theirs);
        if (services_.ledger.append(left.ledgerFile, theirs) != LedgerWrite::Written) {
            pending_.append(theirs);  // kept, in this run's ledger then
        }
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
