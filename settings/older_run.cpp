// What an older build kept of a run in values of their own: the open period, and the question
// about time away. The next start reads them once, as a record of this build's.

#include "settings/run_record.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "base/local_time.h"
#include "meter/rate.h"
#include "settings/stored_values.h"

using stored::readExact;
using stored::readText;

namespace {

const char* const PERIOD_START = "PeriodStart";
const char* const PERIOD_CHECKPOINT = "PeriodCheckpoint";
const char* const PERIOD_NAME = "PeriodName";
const char* const PERIOD_PAID = "PeriodPaid";
const char* const PERIOD_START_TOTAL = "PeriodStartTotal";
const char* const PERIOD_LOG = "PeriodLog";
const char* const PERIOD_LEDGER = "PeriodLedger";
const char* const AWAY_STRETCH = "AwayStretch";
const char* const AWAY_ACTIVITY = "AwayActivity";

}  // namespace

namespace {

// A moment of the open period: its local time, then its UTC time. An older build wrote the local
// time alone, which is read too.
struct Moment {
    std::int64_t local;
    std::int64_t utc;
};

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

bool loadOpenPeriod(SettingsReader& reader, OpenPeriod& period) {
    OpenPeriod stored;
    stored.hasUtc = true;
    if (!readMoment(reader, PERIOD_START, stored.start, stored.startUtc, stored.hasUtc) ||
        !readMoment(reader, PERIOD_CHECKPOINT, stored.checkpoint, stored.checkpointUtc,
                    stored.hasUtc) ||
        !readText(reader, PERIOD_NAME, stored.name, VALUE_TEXT)) {
        return false;
    }
    // Its true length, by UTC, which a change of time zone or summer time leaves alone; by the
    // local clock for the oldest keys. Neither may run backwards, or too long; a checkpoint later
    // than now came from a clock that ran fast, which measured the length as soundly.
    const std::int64_t from = stored.hasUtc ? stored.startUtc : stored.start;
    const std::int64_t to = stored.hasUtc ? stored.checkpointUtc : stored.checkpoint;
    if (stored.start <= 0 || stored.checkpoint <= 0 || from <= 0 || to < from ||
        to - from > MAX_OPEN_PERIOD_DAYS * UNITS_PER_DAY) {
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

// The question as an older build kept it: when the stretch began and ended on the local clock,
// its end in UTC, its true length, and the hourly figure it earned at.
struct OlderStretch {
    std::int64_t start, end, endUtc, length;
    double hourly;
};

}  // namespace

bool loadOlderRun(SettingsReader& reader, const Settings& settings, double hourly,
                  RunRecord& record) {
    OpenPeriod p;
    if (!loadOpenPeriod(reader, p)) {
        return false;
    }
    RunRecord r;
    r.total = static_cast<double>(settings.savedTotal);
    r.open = true;
    copyText(r.name, p.name);
    r.logStart = r.start = p.start;
    r.startUtc = p.startUtc;
    r.checkpoint = p.checkpoint;
    r.checkpointUtc = p.checkpointUtc;
    r.elapsed =
        p.hasUtc ? p.checkpointUtc - p.startUtc : std::max<std::int64_t>(p.checkpoint - p.start, 0);
    r.startTotal = p.hasEarnings ? p.startTotal : r.total;
    r.hourly = hourly;
    r.currency = settings.currency;
    r.paid = p.paid;
    // The oldest keys name no files: the period's go to those of now. Without its earnings, it is
    // closed in the log alone.
    copyText(r.logFile, p.hasFiles ? p.logFile : settings.logging ? settings.logFile : "");
    copyText(r.ledgerFile, !p.hasEarnings    ? ""
                           : p.hasFiles      ? p.ledgerFile
                           : settings.ledger ? settings.ledgerFile
                                             : "");
    OlderStretch s{};
    char activity[SETTINGS_TEXT_SIZE] = "";
    LocalTime start{}, end{};
    if (p.paid && readExact(reader, AWAY_STRETCH, s, VALUE_BINARY) &&
        readText(reader, AWAY_ACTIVITY, activity, VALUE_TEXT) &&
        std::strcmp(activity, p.name) == 0 && s.end >= s.start && localTimeOf(s.start, start) &&
        localTimeOf(s.end, end) && inRateRange(s.hourly, MAX_HOURLY)) {
        KeptStretch& kept = r.stretches[0];
        kept.start = s.start;
        kept.end = s.end;
        kept.length = s.length;
        kept.offset = p.hasUtc ? s.endUtc - s.length - p.startUtc : s.start - p.start;
        r.stretchCount =
            kept.length > 0 && kept.offset >= 0 && kept.offset <= r.elapsed - kept.length ? 1 : 0;
    }
    record = std::move(r);
    return true;
}

namespace {

const char* const OLDER_VALUES[] = {PERIOD_CHECKPOINT, PERIOD_START,       PERIOD_NAME,
                                    PERIOD_PAID,       PERIOD_START_TOTAL, PERIOD_LOG,
                                    PERIOD_LEDGER,     AWAY_STRETCH,       AWAY_ACTIVITY};

}  // namespace

bool olderRunLeft(SettingsReader& reader) {
    char scratch[1024];
    std::uint32_t size = 0, kind = 0;
    for (const char* name : OLDER_VALUES) {
        if (reader.read(name, scratch, sizeof scratch, size, kind)) {
            return true;
        }
    }
    return false;
}

void removeOlderRun(SettingsWriter& writer) {
    // The checkpoint first: a key without it has nothing open, whatever else is left.
    for (const char* name : OLDER_VALUES) {
        writer.remove(name);
    }
}
