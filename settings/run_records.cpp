// The records the key keeps of a run beyond its settings: the period it has open, the question
// about time away, and the rows waiting for the ledger file.

#include "settings/settings.h"

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <utility>

#include "base/local_time.h"
#include "settings/stored_values.h"

using stored::readExact;
using stored::readText;
using stored::writeInt;
using stored::writeText;

namespace {

const char* const PERIOD_START = "PeriodStart";
const char* const PERIOD_CHECKPOINT = "PeriodCheckpoint";
const char* const PERIOD_NAME = "PeriodName";
const char* const PERIOD_PAID = "PeriodPaid";
const char* const PERIOD_START_TOTAL = "PeriodStartTotal";
const char* const PERIOD_LOG = "PeriodLog";
const char* const PERIOD_LEDGER = "PeriodLedger";
const char* const LEDGER_PENDING = "LedgerPending";

}  // namespace

namespace {

// A moment of the open period: its local time, then its UTC time. An older build wrote the local
// time alone, which is read too.
struct Moment {
    std::int64_t local;
    std::int64_t utc;
};

void writeMoment(SettingsWriter& writer, const char* name, std::int64_t local, std::int64_t utc) {
    const Moment moment{local, utc};
    writer.write(name, VALUE_BINARY, &moment, sizeof moment);
}

bool readMoment(SettingsReader& reader, const char* name, std::int64_t& local, std::int64_t& utc,
                bool& hasUtc) {
    Moment moment{};
    std::uint32_t size = 0, kind = 0;
    if (!reader.read(name, &moment, sizeof moment, size, kind) || kind != VALUE_BINARY ||
        (size != sizeof moment && size != sizeof moment.local)) {
        return false;
    }
    local = moment.local;
    utc = moment.utc;
    hasUtc = hasUtc && size == sizeof moment;
    return true;
}

}  // namespace

void saveOpenPeriod(SettingsWriter& writer, const OpenPeriod& period) {
    writeMoment(writer, PERIOD_START, period.start, period.startUtc);
    writeText(writer, PERIOD_NAME, period.name);
    writeInt(writer, PERIOD_PAID, period.paid ? 1 : 0);
    writer.write(PERIOD_START_TOTAL, VALUE_BINARY, &period.startTotal, sizeof period.startTotal);
    writeText(writer, PERIOD_LOG, period.logFile);
    writeText(writer, PERIOD_LEDGER, period.ledgerFile);
    // Last: a key that has it holds the rest of this checkpoint too.
    writeMoment(writer, PERIOD_CHECKPOINT, period.checkpoint, period.checkpointUtc);
}

void removeOpenPeriod(SettingsWriter& writer) {
    // First: a key without it has nothing open, whatever else is left.
    writer.remove(PERIOD_CHECKPOINT);
    for (const char* name :
         {PERIOD_START, PERIOD_NAME, PERIOD_PAID, PERIOD_START_TOTAL, PERIOD_LOG, PERIOD_LEDGER}) {
        writer.remove(name);
    }
}

bool loadOpenPeriod(SettingsReader& reader, std::int64_t now, std::int64_t nowUtc,
                    OpenPeriod& period) {
    OpenPeriod stored;
    stored.hasUtc = true;
    if (!readMoment(reader, PERIOD_START, stored.start, stored.startUtc, stored.hasUtc) ||
        !readMoment(reader, PERIOD_CHECKPOINT, stored.checkpoint, stored.checkpointUtc,
                    stored.hasUtc) ||
        !readText(reader, PERIOD_NAME, stored.name, VALUE_TEXT)) {
        return false;
    }
    // Its true length, by UTC, which a change of time zone or summer time leaves alone; by the
    // local clock for an older build's key. Neither may run backwards, or past now, or too long.
    const std::int64_t from = stored.hasUtc ? stored.startUtc : stored.start;
    const std::int64_t to = stored.hasUtc ? stored.checkpointUtc : stored.checkpoint;
    if (stored.start <= 0 || stored.checkpoint <= 0 || from <= 0 || to < from ||
        to > (stored.hasUtc ? nowUtc : now) || to - from > MAX_OPEN_PERIOD_DAYS * UNITS_PER_DAY) {
        return false;
    }
    stored.hasFiles = readText(reader, PERIOD_LOG, stored.logFile, VALUE_TEXT) &&
                      readText(reader, PERIOD_LEDGER, stored.ledgerFile, VALUE_TEXT);
    std::int32_t paid = 0;
    stored.hasEarnings = readExact(reader, PERIOD_PAID, paid) && (paid == 0 || paid == 1) &&
                         readExact(reader, PERIOD_START_TOTAL, stored.startTotal) &&
                         std::isfinite(stored.startTotal);
    stored.paid = stored.hasEarnings && paid == 1;
    period = stored;
    return true;
}

namespace {

const char* const AWAY_STRETCH = "AwayStretch";
const char* const AWAY_ACTIVITY = "AwayActivity";

struct StoredStretch {
    std::int64_t start, end, endUtc, length;
    double hourly;
};

}  // namespace

void saveAwayQuestion(SettingsWriter& writer, const AwayQuestion* question) {
    if (question == nullptr) {
        writer.remove(AWAY_STRETCH);  // first: a key without it asks nothing
        writer.remove(AWAY_ACTIVITY);
        return;
    }
    writeText(writer, AWAY_ACTIVITY, question->activity);
    const StoredStretch stretch{question->start, question->end, question->endUtc, question->length,
                                question->hourly};
    writer.write(AWAY_STRETCH, VALUE_BINARY, &stretch, sizeof stretch);
}

bool loadAwayQuestion(SettingsReader& reader, std::int64_t nowUtc, AwayQuestion& question) {
    StoredStretch s{};
    AwayQuestion read;
    LocalTime start{}, end{};
    if (!readExact(reader, AWAY_STRETCH, s, VALUE_BINARY) ||
        !readText(reader, AWAY_ACTIVITY, read.activity, VALUE_TEXT) || s.end < s.start ||
        s.endUtc > nowUtc || s.length <= 0 || s.length > MAX_OPEN_PERIOD_DAYS * UNITS_PER_DAY ||
        !localTimeOf(s.start, start) || !localTimeOf(s.end, end) ||
        !inRateRange(s.hourly, MAX_HOURLY)) {
        return false;
    }
    read.start = s.start;
    read.end = s.end;
    read.endUtc = s.endUtc;
    read.length = s.length;
    read.hourly = s.hourly;
    question = read;
    return true;
}

void saveLedgerPending(SettingsWriter& writer, const TextBuffer& rows) {
    if (rows.empty()) {
        writer.remove(LEDGER_PENDING);
        return;
    }
    const char* from = rows.data() + newestLinesFrom(rows, MAX_PENDING_LEDGER);
    writer.write(LEDGER_PENDING, VALUE_BINARY, from,
                 static_cast<std::uint32_t>(rows.data() + rows.size() - from));
}

void loadLedgerPending(SettingsReader& reader, TextBuffer& rows) {
    // Read into a buffer of the largest size kept: the value's own size is not asked first.
    char* stored = static_cast<char*>(std::malloc(MAX_PENDING_LEDGER));
    std::uint32_t size = 0, kind = 0;
    if (stored != nullptr && reader.read(LEDGER_PENDING, stored, MAX_PENDING_LEDGER, size, kind) &&
        kind == VALUE_BINARY && size > 0) {
        TextBuffer all;
        all.append(stored, size);
        all.append(rows);
        rows = std::move(all);
    }
    std::free(stored);
}
