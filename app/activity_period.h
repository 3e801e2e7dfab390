#pragma once

// The activity period: the stretch of time the meter counts for one activity (or for "None"
// after a reset) and the log records from its Started to its Finished. These are the sequences
// every change of activity goes through, free of the window system: the caller gives the clock,
// the tick counter and the writer of log records.

#include <cstdint>

#include "activities/log_fields.h"
#include "activities/log_text.h"
#include "dialogs/callback.h"
#include "meter/accumulation.h"
#include "settings/settings.h"

// Appends a record of `kind` to the log of `log`, when it is switched on.
using LogWriter = Callback<void(const LogFields& log, LogRecordKind kind)>;

struct PeriodServices {
    Callback<LocalTime()> localTime;
    Callback<std::uint32_t()> tickCount;
    LogWriter write;
};

// Start-up's banner, at the local time now.
void logStartUp(LogFields& log, const PeriodServices& services);

// The current period ends: its finish time and its Finished record, and the meter stops on the
// total as of now.
void finishPeriod(Accumulation& meter, LogFields& log, const PeriodServices& services);

// A period named `name` begins: its start time and its Started record, then the tick the meter
// counts from, and the meter running or not.
void startPeriod(Accumulation& meter, LogFields& log, const char* name, bool running,
                 const PeriodServices& services);

// The total starts again from newTotal: the period so far is finished, and one named "None"
// begins with the meter running, paid activity or not, until the next switch.
void resetPeriod(Accumulation& meter, LogFields& log, double newTotal,
                 const PeriodServices& services);

// The switch or the file changed in the middle of the period (from `wasLogging` and `oldFile`):
// its Finished goes to the old file and its Started, with its own name and start time, to the
// new one, as far as each is logged, so that every Started has its Finished.
void handOverLog(const LogFields& log, bool wasLogging, const char* oldFile,
                 const PeriodServices& services);

// The current period as the settings key keeps it, with `now` as the checkpoint's time; false
// when a time is none.
bool openPeriodOf(const LogFields& log, const LocalTime& now, OpenPeriod& period);

// A period that a run left open when it ended unfinished gets its Finished, dated at that run's
// last checkpoint, in the log it was logging to (when it was logging).
void closeLeftOpen(const OpenPeriod& left, bool logging, const char* file,
                   const PeriodServices& services);
