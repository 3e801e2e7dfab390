#pragma once

#include <windows.h>

#include "activities/log_text.h"

class KettPanel;

// The locale's weekday, long date, short date and 24-hour "hh:mm" texts for a local time; a
// text the locale cannot produce within its bound is left empty.
LogMoment logMomentOf(const SYSTEMTIME& time);

// Appends a record for the meter's current activity to its log file, when logging is on. A
// file that cannot be opened loses the record, silently.
void writeLogRecord(const KettPanel& panel, LogRecordKind kind);

// Appends a record of a period to `file`, whatever the meter's switch: a period of another run,
// or the current one handed from one log file to another.
void writeLogRecordTo(const char* file, LogRecordKind kind, const char* activityName,
                      const SYSTEMTIME& startTime, const SYSTEMTIME& finishTime);

// A local wall-clock time in 100 ns units since 1601, with no time-zone conversion, and back;
// false for a time the platform cannot convert.
bool hundredNanoseconds(const SYSTEMTIME& time, std::int64_t& out);
bool wallClockTime(std::int64_t hundredNs, SYSTEMTIME& out);
