#include "app/away_cut.h"

#include <algorithm>

#include "base/local_time.h"

namespace {

constexpr double UNITS_PER_HOUR = 3600.0 * UNITS_PER_SECOND;

// The piece `from` (true time) into the span `of`.
LedgerPeriod piece(const LedgerPeriod& of, std::int64_t from, std::int64_t start,
                   std::int64_t finish, std::int64_t elapsed, double earned) {
    LedgerPeriod p = of;
    p.start = start;
    p.finish = finish;
    p.elapsed = elapsed;
    p.startUtc = of.startUtc > 0 ? of.startUtc + from : 0;
    p.earned = earned;
    return p;
}

}  // namespace

bool hasTime(const LedgerPeriod& piece) {
    return piece.elapsed >= UNITS_PER_SECOND / 2 || piece.earned >= 0.005;
}

AwayCut cutAround(const LedgerPeriod& span, std::int64_t logStart, const KeptStretch& stretch,
                  const char* picked, bool pickedPaid, bool goesOn) {
    AwayCut cut;
    const std::int64_t afterLength =
        std::max<std::int64_t>(span.elapsed - stretch.offset - stretch.length, 0);
    // The stretch earned at the period's rate; never more than the whole span did.
    const double earned = std::max(span.earned, 0.0);
    const double during =
        std::min(earned, span.hourly * static_cast<double>(stretch.length) / UNITS_PER_HOUR);
    const double rest = earned - during;
    // The rest, before and after the stretch, in proportion to their true lengths.
    const std::int64_t around = stretch.offset + afterLength;
    const double before =
        around > 0 ? rest * static_cast<double>(stretch.offset) / static_cast<double>(around) : 0;
    const LedgerPeriod first = piece(span, 0, span.start, stretch.start, stretch.offset, before);
    LedgerPeriod away = piece(span, stretch.offset, stretch.start, stretch.end, stretch.length,
                              pickedPaid ? during : 0.0);
    away.activity = picked;
    away.paid = pickedPaid;
    cut.after = piece(span, stretch.offset + stretch.length, stretch.end, span.finish, afterLength,
                      rest - before);
    cut.deduction = pickedPaid ? 0.0 : during;

    const bool restarted = goesOn || hasTime(cut.after);
    const CutRecord records[] = {
        {LOG_FINISHED, span.activity, logStart, stretch.start},
        {LOG_STARTED, picked, stretch.start, stretch.start},
        {LOG_FINISHED, picked, stretch.start, stretch.end},
        {LOG_STARTED, span.activity, stretch.end, stretch.end},
        {LOG_FINISHED, span.activity, stretch.end, span.finish},
    };
    const std::size_t count = goesOn ? 4 : restarted ? 5 : 3;
    for (std::size_t i = 0; i < count; ++i) {
        cut.records[cut.recordCount++] = records[i];
    }
    const LedgerPeriod* const pieces[] = {&first, &away, goesOn ? nullptr : &cut.after};
    for (const LedgerPeriod* row : pieces) {
        if (row != nullptr && hasTime(*row)) {
            cut.rows[cut.rowCount++] = *row;
        }
    }
    return cut;
}
