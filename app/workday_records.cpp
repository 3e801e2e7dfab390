// What the workday keeps beyond the run: the settings key, the ledger's rows and what a run that
// ended unfinished left.

#include <algorithm>
#include <cstring>
#include <new>

#include "app/away_cut.h"
#include "app/workday.h"

namespace {

LocalTime localAt(std::int64_t wall) {
    LocalTime time{};
    localTimeOf(wall, time);
    return time;
}

bool endsWith(const TextBuffer& text, const TextBuffer& tail) {
    return text.size() >= tail.size() &&
           std::memcmp(text.data() + text.size() - tail.size(), tail.data(), tail.size()) == 0;
}

}  // namespace

// The one checkpoint writer. Its order, which a process ended between two writes relies on:
//  1. the thirteen values in their fixed order, the ledger's two and the minutes away asked
//     about, of which a checkpoint of a growing total changes "Kett" alone (none as an event
//     begins: the record holds its total);
//  2. the rows waiting for the ledger ("LedgerPending"), or their removal once the file has them:
//     before the record stops holding rows that moved there;
//  3. the run's record ("Checkpoint"), the one value the next start goes by: the total, the open
//     period and its time away not yet answered, and the rows handed to the ledger's file; or its
//     removal, once nothing is open and the file has every row.
// At exit and at the end of the session every value is written; otherwise only those that differ
// from what this writer last wrote, and what it failed to write.
void Workday::save(Save what) {
    RunRecord record;
    const bool keep = runRecord(record);
    Settings saved = settings_;
    copyText(saved.currentActivityName, currentActivityName());
    const bool written = services_.store.write([&](SettingsWriter& key) {
        ChangedValuesWriter out(key, written_, what == Save::Everything);
        if (what != Save::Record) {
            saveSettings(out, saved, rate_, record.total);
        }
        if (removeOlder_) {
            removeOlderRun(out);
        }
        saveLedgerPending(out, pending_);
        saveRunRecord(out, keep ? &record : nullptr);
    });
    removeOlder_ = removeOlder_ && !written;
}

bool Workday::runRecord(RunRecord& r) {
    const std::uint32_t tick = services_.clock.tickCount();
    r.total = meter_.totalAt(tick);
    r.handed.append(handed_);
    copyText(r.handedFile, handedFile_);
    std::int64_t now = 0;
    if (!period_.open || !wallClockValue(services_.clock.localTime(), now)) {
        return !r.handed.empty();
    }
    r.open = true;
    copyText(r.name, period_.name);
    wallClockValue(period_.start, r.logStart);
    services_.names.wholePath(settings_.logging ? settings_.logFile : "", r.logFile,
                              sizeof r.logFile);
    r.start = period_.rowStart;
    r.startUtc = period_.rowStartUtc;
    r.startTotal = period_.rowStartTotal;
    r.hourly = rate_.hourly;
    r.currency = settings_.currency;
    r.paid = period_.paid;
    services_.names.wholePath(settings_.ledger ? settings_.ledgerFile : "", r.ledgerFile,
                              sizeof r.ledgerFile);
    r.checkpoint = now;
    r.checkpointUtc = services_.clock.utcTime();
    r.elapsed = static_cast<std::int64_t>(tick - period_.rowStartTick) * UNITS_PER_MS;
    // Time away not yet answered, within an activity's paid period: the question being asked,
    // those waiting their turn, and one going on now, to the record's own moment.
    if (!period_.paid || current_ < 0 || period_.name != activities_->name(current_)) {
        return true;
    }
    const AwayReading moment{now, tick, services_.clock.awakeMs()};
    AwayStretch stretches[MAX_KEPT_STRETCHES];
    std::size_t count = 0;
    if (asking_) {
        stretches[count++] = question_;
    }
    count += away_.waiting(stretches + count, MAX_KEPT_STRETCHES - count);
    if (count < MAX_KEPT_STRETCHES &&
        away_.goingOn(moment, services_.clock.lastInputTick(), stretches[count])) {
        ++count;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const KeptStretch s = kept(stretches[i]);
        if (s.length > 0 && s.offset + s.length <= r.elapsed) {
            r.stretches[r.stretchCount++] = s;
        }
    }
    return true;
}

bool Workday::rowSoFar(LedgerPeriod& row, std::uint32_t tick) const {
    std::int64_t now = 0;
    if (!period_.open || !wallClockValue(services_.clock.localTime(), now)) {
        return false;
    }
    row.start = period_.rowStart;
    row.finish = now;
    row.elapsed = static_cast<std::int64_t>(tick - period_.rowStartTick) * UNITS_PER_MS;
    row.startUtc = period_.rowStartUtc;
    row.activity = period_.name != nullptr ? period_.name : "";
    row.paid = period_.paid;
    row.hourly = rate_.hourly;
    row.earned = period_.paid ? meter_.totalAt(tick) - period_.rowStartTotal : 0.0;
    row.currency = settings_.currency;
    return true;
}

void Workday::hand(const LedgerPeriod& row) {
    if (settings_.ledger) {
        appendLedgerRows(row, handed_, &services_.clock);
        services_.names.wholePath(settings_.ledgerFile, handedFile_, sizeof handedFile_);
    }
}

void Workday::deliverHanded() {
    if (handed_.empty()) {
        return;
    }
    char here[PERIOD_PATH_SIZE];
    services_.names.wholePath(settings_.ledgerFile, here, sizeof here);
    if (std::strcmp(here, handedFile_) == 0) {
        pending_.append(handed_);
        keepNewestRows(pending_, MAX_PENDING_LEDGER);
        flushLedger();
    } else if (services_.ledger.append(handedFile_, handed_) != LedgerWrite::Written) {
        pending_.append(handed_);  // kept, in this run's ledger then
    }
    handed_.clear();
}

void Workday::flushLedger() {
    if (pending_.empty()) {
        return;
    }
    LedgerWrite written = services_.ledger.append(settings_.ledgerFile, pending_);
    if (written == LedgerWrite::Unusable &&
        std::strcmp(settings_.ledgerFile, DEFAULT_LEDGER_FILE) != 0) {
        // A file that cannot be written where it is named (its folder is gone, on a drive that is
        // not there now, or the name is a folder's): the working folder's meanwhile, as a log
        // file's default is. The choice stays, and is tried first every time.
        written = services_.ledger.append(DEFAULT_LEDGER_FILE, pending_);
    }
    if (written == LedgerWrite::Written) {
        pending_.clear();
    }
}

void Workday::writeLog(const char* file, const CutRecord* records, std::size_t count) {
    LogFields log = logFields();
    if (file != nullptr) {
        log.loggingEnabled = file[0] != '\0';
        copyText(log.logFileName, file);
    }
    for (std::size_t i = 0; i < count; ++i) {
        const CutRecord& r = records[i];
        log.logActivityName = r.activity;
        log.startTime = localAt(r.start);
        log.finishTime = localAt(r.finish);
        // A Started and the Finished after it, of a period already over, go in one append.
        const bool pair = r.kind == LOG_STARTED && i + 1 < count &&
                          records[i + 1].kind == LOG_FINISHED &&
                          records[i + 1].activity == r.activity;
        if (pair) {
            log.finishTime = localAt(records[++i].finish);
        }
        const LogRecordKind both[] = {LOG_STARTED, LOG_FINISHED};
        services_.log.write(log, pair ? both : &r.kind, pair ? 2 : 1);
    }
}

void Workday::closeCrashed() {
    if (!crashed_.found) {
        return;
    }
    crashed_.found = false;
    RunRecord& r = crashed_.record;
    // Rows it had handed to the ledger's file, which may have them already: with those waiting
    // for the same file, they are written once.
    char here[PERIOD_PATH_SIZE];
    services_.names.wholePath(settings_.ledgerFile, here, sizeof here);
    if (std::strcmp(here, r.handedFile) == 0) {
        if (!endsWith(pending_, r.handed)) {
            pending_.append(r.handed);
        }
    } else if (!r.handed.empty() && !services_.ledger.holds(r.handedFile, r.handed) &&
               services_.ledger.append(r.handedFile, r.handed) != LedgerWrite::Written) {
        pending_.append(r.handed);
    }
    if (!pending_.empty() && (services_.ledger.holds(settings_.ledgerFile, pending_) ||
                              services_.ledger.holds(DEFAULT_LEDGER_FILE, pending_))) {
        pending_.clear();
    }
    if (!r.open) {
        return;
    }
    // Its period, from its Started to its last checkpoint, cut around each stretch answered as
    // another activity; its records in its own log, its rows for its own ledger.
    LedgerPeriod span;
    span.start = r.start;
    span.finish = r.checkpoint;
    span.elapsed = r.elapsed;
    span.startUtc = r.startUtc;
    span.activity = r.name;
    span.paid = r.paid;
    span.hourly = r.hourly;
    span.earned = r.paid ? std::max(r.total - r.startTotal, 0.0) : 0.0;
    span.currency = r.currency;
    const auto counts = [&](std::size_t i) {
        const int a = crashed_.answers[i];
        return a >= 0 && a < activities_->count && std::strcmp(activities_->name(a), r.name) != 0;
    };
    std::size_t last = 0;  // one past the last stretch that counts otherwise
    for (std::size_t i = 0; i < crashed_.answered; ++i) {
        last = counts(i) ? i + 1 : last;
    }
    std::int64_t logStart = r.logStart, passed = 0;
    double deduction = 0;
    std::size_t rowCount = 0;
    LedgerPeriod rows[2 * MAX_KEPT_STRETCHES + 1];
    for (std::size_t i = 0; i < last; ++i) {
        KeptStretch s = r.stretches[i];
        s.offset -= passed;
        if (!counts(i) || s.offset < 0) {
            continue;
        }
        const int a = crashed_.answers[i];
        const AwayCut cut =
            cutAround(span, logStart, s, activities_->name(a),
                      activities_->paid[static_cast<std::size_t>(a)] != 0, i + 1 < last);
        writeLog(r.logFile, cut.records, cut.recordCount);
        std::copy(cut.rows, cut.rows + cut.rowCount, rows + rowCount);
        rowCount += cut.rowCount;
        deduction += cut.deduction;
        passed += s.offset + s.length;
        span = cut.after;
        logStart = s.end;
    }
    if (passed == 0) {
        // As counted: its Finished dated at its last checkpoint.
        const CutRecord finished{LOG_FINISHED, r.name, logStart, r.checkpoint};
        writeLog(r.logFile, &finished, 1);
        if (hasTime(span)) {
            rows[rowCount++] = span;
        }
    }
    if (r.ledgerFile[0] != '\0') {
        for (std::size_t k = 0; k < rowCount; ++k) {
            appendLedgerRows(rows[k], handed_, &services_.clock);
        }
        copyText(handedFile_, r.ledgerFile);
    }
    meter_.takeOff(deduction);
}

std::unique_ptr<LedgerSummary> Workday::summary(int firstDayOfWeek, std::int64_t day) {
    std::int64_t now = 0;
    wallClockValue(services_.clock.localTime(), now);
    TextBuffer extra;
    extra.append(pending_);
    LedgerPeriod open;
    if (rowSoFar(open, services_.clock.tickCount())) {
        appendLedgerRows(open, extra, &services_.clock);
    }
    std::unique_ptr<LedgerSummary> result(
        new (std::nothrow) LedgerSummary(day >= 0 ? day : dayOf(now), firstDayOfWeek));
    if (result) {
        result->file = services_.ledger.read(settings_.ledgerFile, *result);
        // And the working folder's, where rows went while the chosen file could not be written.
        char chosen[PERIOD_PATH_SIZE], fallback[PERIOD_PATH_SIZE];
        services_.names.wholePath(settings_.ledgerFile, chosen, sizeof chosen);
        services_.names.wholePath(DEFAULT_LEDGER_FILE, fallback, sizeof fallback);
        if (std::strcmp(chosen, fallback) != 0) {
            const std::size_t before = result->rowsRead;
            services_.ledger.read(DEFAULT_LEDGER_FILE, *result);
            result->fallbackRows = result->rowsRead - before;
        }
        result->addRows(extra);
    }
    return result;
}
