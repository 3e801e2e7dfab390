#pragma once

// The activity period: the stretch of time the meter counts for one activity (or for "None"
// after a reset) and the log records from its Started to its Finished. These are the sequences
// every change of activity goes through, free of the window system: the caller gives the clock,
// the tick counter and the writer of log records.

#include <cstdint>

#include "activities/ledger.h"
#include "activities/log_fields.h"
#include "activities/log_text.h"
#include "base/callback.h"
#include "meter/accumulation.h"
#include "settings/settings.h"

// Appends a record of `kind` to the log of `log`, when it is switched on.
using LogWriter = Callback<void(const LogFields& log, LogRecordKind kind)>;

struct PeriodServices {
    Callback<LocalTime()> localTime;
    Callback<std::uint32_t()> tickCount;
    LogWriter write;
    // Takes a finished period for the ledger (the caller adds the currency).
    Callback<void(LedgerPeriod&)> record;
};

// Start-up's banner, at the local time now.
void logStartUp(LogFields& log, const PeriodServices& services);

// The open period as the ledger would take it if it finished at `finish` (wall-clock seconds),
// earning what the meter's total, as last stepped, stands above the period's start; false when
// no period is open or its start is no time.
bool periodSoFar(const Accumulation& meter, const LogFields& log, std::int64_t finish,
                 LedgerPeriod& period);

// The current period ends: its finish time and its Finished record, the meter stops on the
// total as of now, and the period goes to the ledger (once: a second finish of the same period,
// as at the end of the session and then at exit, logs again but records nothing).
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

// The current period as the settings key keeps it, with `now` as the checkpoint's time and
// `paid` whether the meter runs (the files it goes to are the caller's to fill); false when it is
// finished or a time is none.
bool openPeriodOf(const LogFields& log, bool paid, const LocalTime& now, OpenPeriod& period);

// A period that a run left open when it ended unfinished gets its Finished, dated at that run's
// last checkpoint, in the log it was logging to (when it was logging); and its ledger row, its
// earnings what the meter had then (`savedTotal`) over its total as the period began.
void closeLeftOpen(const OpenPeriod& left, bool logging, const char* file, double savedTotal,
                   double hourly, const PeriodServices& services);
