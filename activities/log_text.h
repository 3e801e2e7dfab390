#pragma once

#include <cstddef>
#include <cstdint>

#include "activities/log_fields.h"

enum LogRecordKind : int {
    LOG_BANNER = 0,
    LOG_STARTED = 1,
    LOG_FINISHED = 2,
};

// The locale's texts for one moment, as the log prints them.
struct LogMoment {
    char weekday[32] = "";    // "dddd"
    char longDate[64] = "";   // the long date format
    char shortDate[64] = "";  // the short date format
    char time[16] = "";       // hours and minutes: the first five characters of the time text
};

// Keeps only the first five characters of a 24-hour time text ("14:05" of "14:05:33").
void cutToHoursAndMinutes(char* time);

// Whole seconds between two times given in 100-nanosecond units, whichever comes first.
std::int64_t durationSeconds(std::int64_t start100ns, std::int64_t finish100ns);

// The text of one record, large enough for the longest: a start with a name of 255 characters
// and the locale's longest date and time texts.
struct LogRecord {
    char text[512] = "";
};

// The text of one record: a banner or a start from `start`, a finish from `finish` with the
// duration line. Lines end in "\n"; a text-mode file stores them as CR LF.
LogRecord logRecordText(LogRecordKind kind, const char* activityName, const LogMoment& start,
                        const LogMoment& finish, std::int64_t durationSecs);

// Appends text to the log file, which is created when missing; false when it cannot be
// opened, and the record is lost.
bool appendToLog(const char* path, const char* text);

// What the current period needs written when the logging switch or the log file changes in the
// middle of it, so that every Started in every log file has its Finished: the period's Finished
// in the old file, and its Started, with its own name and start time, in the new one.
struct LogHandover {
    bool finishInOld;
    bool startInNew;
};
LogHandover logHandover(bool wasLogging, const char* oldFile, bool nowLogging, const char* newFile);

// The log as whoever keeps the period reaches it: appends the records of `kinds`, in turn, of the
// one period `log` describes, when it says logging is on, as one append, so that a process ended
// between a Started and its Finished cannot leave one without the other. A file that cannot be
// opened loses them.
class LogWriter {
  public:
    virtual void write(const LogFields& log, const LogRecordKind* kinds, std::size_t count) = 0;
    void write(const LogFields& log, LogRecordKind kind) { write(log, &kind, 1); }

  protected:
    ~LogWriter() = default;
};
