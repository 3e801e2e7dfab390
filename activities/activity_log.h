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
