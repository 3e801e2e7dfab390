#pragma once

#include <windows.h>

#include <cstring>

#include "activities/log_fields.h"
#include "activities/log_text.h"

static_assert(sizeof(LocalTime) == sizeof(SYSTEMTIME), "LocalTime is laid out as SYSTEMTIME");

inline SYSTEMTIME systemTime(const LocalTime& time) {
    SYSTEMTIME out;
    std::memcpy(&out, &time, sizeof out);
    return out;
}
inline LocalTime localTime(const SYSTEMTIME& time) {
    LocalTime out;
    std::memcpy(&out, &time, sizeof out);
    return out;
}
// The local time now.
LocalTime localTimeNow();

// The locale's weekday, long date, short date and 24-hour "hh:mm" texts for a local time; a
// text the locale cannot produce within its bound is left empty.
LogMoment logMomentOf(const SYSTEMTIME& time);

// Appends a record of the period the fields describe to their log file, when logging is on. A
// file that cannot be opened loses the record, silently.
void writeLogRecord(const LogFields& log, LogRecordKind kind);

// The log as the program writes it: in the user's locale, to the file the fields name.
class LocaleLog final : public LogWriter {
  public:
    void write(const LogFields& log, LogRecordKind kind) override { writeLogRecord(log, kind); }
};
