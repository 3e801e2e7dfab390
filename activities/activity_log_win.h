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

// Appends records of the period the fields describe to their log file, in one append, when
// logging is on. A file that cannot be opened loses them, silently.
void writeLogRecords(const LogFields& log, const LogRecordKind* kinds, std::size_t count);
inline void writeLogRecord(const LogFields& log, LogRecordKind kind) {
    writeLogRecords(log, &kind, 1);
}

// The log as the program writes it: in the user's locale, to the file the fields name.
class LocaleLog final : public LogWriter {
  public:
    using LogWriter::write;
    void write(const LogFields& log, const LogRecordKind* kinds, std::size_t count) override {
        writeLogRecords(log, kinds, count);
    }
};
