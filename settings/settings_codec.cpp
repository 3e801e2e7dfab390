#include "settings/settings.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "base/local_time.h"
#include "meter/currency.h"
#include "meter/single_precision.h"
#include "settings/stored_values.h"

using stored::readExact;
using stored::readText;
using stored::writeInt;
using stored::writeText;

namespace {

bool readFlag(SettingsReader& reader, const char* name) {
    std::int32_t value = 0;
    return readExact(reader, name, value) && value != 0;
}

// A switch beyond the thirteen: on when nonzero, and its default when it is missing, of another
// kind or of another size.
bool readSwitch(SettingsReader& reader, const char* name, bool byDefault) {
    std::int32_t value = 0;
    return readExact(reader, name, value, VALUE_BINARY) ? value != 0 : byDefault;
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
    s.awayMinutes = DEFAULT_AWAY_MINUTES;
    s.notificationIcon = true;
    s.hideWhenMinimised = false;
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
    if (!readExact(*reader, "AwayMinutes", s.awayMinutes, VALUE_BINARY) ||
        s.awayMinutes < -MAX_AWAY_MINUTES || s.awayMinutes > MAX_AWAY_MINUTES) {
        s.awayMinutes = DEFAULT_AWAY_MINUTES;
    }
    s.notificationIcon = readSwitch(*reader, "NotificationIcon", true);
    s.hideWhenMinimised = readSwitch(*reader, "HideWhenMinimised", false);
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
    writeInt(writer, "AwayMinutes", s.awayMinutes);
    writeInt(writer, "NotificationIcon", s.notificationIcon ? 1 : 0);
    writeInt(writer, "HideWhenMinimised", s.hideWhenMinimised ? 1 : 0);
}
