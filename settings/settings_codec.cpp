#include "settings/settings.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "base/local_time.h"
#include "meter/currency.h"
#include "meter/single_precision.h"

namespace {

// Any kind of value will do for the thirteen, as older builds read them.
constexpr std::uint32_t ANY_KIND = ~0u;

// Reads a value of exactly `size` bytes (and of `wanted` kind) into a zeroed temporary, so that
// a failed, short or long read leaves nothing behind in the target.
template <typename T>
bool readExact(SettingsReader& reader, const char* name, T& out, std::uint32_t wanted = ANY_KIND) {
    unsigned char buffer[sizeof(T)] = {};
    std::uint32_t size = 0, kind = 0;
    if (!reader.read(name, buffer, sizeof buffer, size, kind) || size != sizeof buffer ||
        (wanted != ANY_KIND && kind != wanted)) {
        return false;
    }
    std::memcpy(&out, buffer, sizeof out);
    return true;
}

// A text of at most N - 1 characters, terminated after its data. N bytes without a terminator
// are one character too many.
template <std::size_t N>
bool readText(SettingsReader& reader, const char* name, char (&out)[N],
              std::uint32_t wanted = ANY_KIND) {
    char buffer[N] = {};
    std::uint32_t size = 0, kind = 0;
    if (!reader.read(name, buffer, sizeof buffer, size, kind) ||
        (wanted != ANY_KIND && kind != wanted) ||
        !terminateStoredText(buffer, sizeof buffer, size)) {
        return false;
    }
    std::memcpy(out, buffer, sizeof out);
    return true;
}

bool readFlag(SettingsReader& reader, const char* name) {
    std::int32_t value = 0;
    return readExact(reader, name, value) && value != 0;
}

// A rate figure is taken only inside its range (which no NaN is), and only when the figures
// derived from it stay in theirs: a tiny days-per-year in range on its own would make the
// hourly figure astronomical.
void readRateFigure(SettingsReader& reader, const char* name, double limit, Rate& rate,
                    std::uint32_t mode) {
    float value = 0.0f;
    if (readExact(reader, name, value) && inRateRange(static_cast<double>(value), limit)) {
        admitRateFigure(rate, mode, static_cast<double>(value));
    }
}

// A figure that is not finite at single precision is never stored: the value already there,
// from the last sound save, stays.
void writeFloat(SettingsWriter& writer, const char* name, double value) {
    const float single = toSingle(value);
    if (std::isfinite(single)) {
        writer.write(name, VALUE_BINARY, &single, sizeof single);
    }
}

void writeInt(SettingsWriter& writer, const char* name, std::int32_t value) {
    writer.write(name, VALUE_BINARY, &value, sizeof value);
}

void writeText(SettingsWriter& writer, const char* name, const char* text) {
    writer.write(name, VALUE_TEXT, text, static_cast<std::uint32_t>(std::strlen(text) + 1));
}

}  // namespace

bool terminateStoredText(char* buffer, std::size_t capacity, std::size_t size) {
    if (size > capacity || capacity == 0) {
        return false;
    }
    if (size < capacity) {
        buffer[size] = '\0';
        return true;
    }
    return std::memchr(buffer, '\0', capacity) != nullptr;
}

void loadSettings(SettingsReader* reader, Settings& s, Rate& rate) {
    copyText(s.activitiesFile, DEFAULT_ACTIVITIES_FILE);
    copyText(s.logFile, DEFAULT_LOG_FILE);
    s.logging = false;
    s.currentActivityName[0] = '\0';
    s.placement = Placement{};
    s.topMost = false;
    s.currency = CURRENCY_POUNDS;
    s.digitsBitmapFile[0] = '\0';
    s.decimals = DECIMALS_TWO;
    copyText(s.ledgerFile, DEFAULT_LEDGER_FILE);
    s.ledger = true;
    if (reader == nullptr) {
        return;
    }

    float total = 0.0f;
    // A stored infinity or NaN would stick to the total for good.
    if (readExact(*reader, "Kett", total) && std::isfinite(total)) {
        s.savedTotal = total;
    }
    // Hourly comes last: when it is usable it fixes daily and yearly from itself.
    readRateFigure(*reader, "DaysPerYear", MAX_DAYS_PER_YEAR, rate, RECALC_DAYS_PER_YEAR);
    readRateFigure(*reader, "HoursPerDay", MAX_HOURS_PER_DAY, rate, RECALC_HOURS_PER_DAY);
    readRateFigure(*reader, "Hourly", MAX_HOURLY, rate, RECALC_HOURLY);
    readText(*reader, "ActivitiesFile", s.activitiesFile);
    readText(*reader, "LogFile", s.logFile);
    s.logging = readFlag(*reader, "Logging");
    readText(*reader, "CurrentActivity", s.currentActivityName);
    readExact(*reader, "Placement", s.placement);
    s.topMost = readFlag(*reader, "TopMost");
    readExact(*reader, "Currency", s.currency);
    readText(*reader, "DigitsBitmapFile", s.digitsBitmapFile);
    readExact(*reader, "Decimals", s.decimals);
    // The ledger's own values are taken only of their own kind; an empty name names no file.
    if (!readText(*reader, "LedgerFile", s.ledgerFile, VALUE_TEXT) || s.ledgerFile[0] == '\0') {
        copyText(s.ledgerFile, DEFAULT_LEDGER_FILE);
    }
    std::int32_t ledger = 1;
    s.ledger = !readExact(*reader, "Ledger", ledger) || ledger != 0;
}

void saveSettings(SettingsWriter& writer, const Settings& s, const Rate& rate, double total) {
    writeFloat(writer, "Kett", total);
    writeFloat(writer, "DaysPerYear", rate.daysPerYear);
    writeFloat(writer, "HoursPerDay", rate.hoursPerDay);
    writeFloat(writer, "Hourly", rate.hourly);
    writeText(writer, "ActivitiesFile", s.activitiesFile);
    writeText(writer, "LogFile", s.logFile);
    writeInt(writer, "Logging", s.logging ? 1 : 0);
    writeText(writer, "CurrentActivity", s.currentActivityName);
    Placement placement = s.placement;
    placement.length = sizeof placement;
    writer.write("Placement", VALUE_BINARY, &placement, sizeof placement);
    writeInt(writer, "TopMost", s.topMost ? 1 : 0);
    writeInt(writer, "Currency", s.currency);
    writeText(writer, "DigitsBitmapFile", s.digitsBitmapFile);
    writeInt(writer, "Decimals", s.decimals);
    writeText(writer, "LedgerFile", s.ledgerFile);
    writeInt(writer, "Ledger", s.ledger ? 1 : 0);
}

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

void saveLedgerPending(SettingsWriter& writer, const TextBuffer& rows) {
    if (rows.empty()) {
        writer.remove(LEDGER_PENDING);
        return;
    }
    // The newest rows, whole, when they are more than are kept.
    const char* from =
        rows.data() + (rows.size() > MAX_PENDING_LEDGER ? rows.size() - MAX_PENDING_LEDGER : 0);
    while (from > rows.data() && from < rows.data() + rows.size() && from[-1] != '\n') {
        ++from;
    }
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
