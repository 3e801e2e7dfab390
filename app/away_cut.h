#pragma once

// Cutting a period around a stretch of time away, as the user's answer has it. The one way for a
// question answered while the period goes on and for one a crashed run left.

#include <cstddef>
#include <cstdint>

#include "activities/ledger.h"
#include "activities/log_text.h"
#include "settings/run_record.h"

// A log record of the cut: its kind, the activity it names and its local times (a Finished
// counts its duration from `start`).
struct CutRecord {
    LogRecordKind kind;
    const char* activity;
    std::int64_t start;
    std::int64_t finish;
};

struct AwayCut {
    // In time order: the period finished where the stretch began, the picked activity started
    // and finished, and the period started again where the stretch ended; and, for a span that
    // ends there, finished at its end. No period is started again only to be finished at once.
    CutRecord records[5];
    std::size_t recordCount = 0;
    // The rows of the period before the stretch, of the stretch as the picked activity's and,
    // for a span that ends, of the period after it. A piece of no time has none.
    LedgerPeriod rows[3];
    std::size_t rowCount = 0;
    // The period after the stretch, to the span's end: what goes on when the span does.
    LedgerPeriod after;
    // What comes off the total: the stretch's earnings, when the picked activity is unpaid.
    double deduction = 0;
};

// `span` is the period's ledger row (paid, with its earnings and true length) up to now or to
// the end it had; its Started gave `logStart`. The stretch lies within it, and counts as `picked`.
// `goesOn` when the period goes on after the span (an answer while it runs, or a stretch with
// another after it): then the piece after the stretch is neither finished nor recorded.
AwayCut cutAround(const LedgerPeriod& span, std::int64_t logStart, const KeptStretch& stretch,
                  const char* picked, bool pickedPaid, bool goesOn);

// Whether a piece has any time in the ledger's terms: a second, or a cent.
bool hasTime(const LedgerPeriod& piece);
