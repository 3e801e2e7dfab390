#pragma once

// What a run keeps in the settings key while it runs, as one value ("Checkpoint"): a process
// ended from outside can stop between two writes of the key, never inside one, so whatever must
// agree (the total, the open period, the time away not yet asked about, the rows on their way to
// the ledger) is written at once. The next start reads it to finish what the run left open.

#include <cstddef>
#include <cstdint>

#include "base/text_buffer.h"
#include "settings/settings.h"

// The most stretches of time away a record keeps: the one asked about, those waiting their turn
// and the one still going on.
constexpr std::size_t MAX_KEPT_STRETCHES = 4;

// A stretch of time away within the record's ledger row, not yet answered: its start and end on
// the local clock, and, from the tick count, where it begins in the row and how long it lasted
// (100 ns), which no change of the clock moves.
struct KeptStretch {
    std::int64_t start = 0;
    std::int64_t end = 0;
    std::int64_t offset = 0;
    std::int64_t length = 0;
};

struct RunRecord {
    double total = 0;  // the meter's total as of the record
    // The open period, when there is one.
    bool open = false;
    char name[SETTINGS_TEXT_SIZE] = "";
    std::int64_t logStart = 0;            // the local time its Started gives
    char logFile[PERIOD_PATH_SIZE] = "";  // whole path; empty when it is not logged
    // The ledger row it is on: a period's row ends where the rate or the currency changes.
    std::int64_t start = 0;     // local
    std::int64_t startUtc = 0;  // UTC
    double startTotal = 0;      // the meter's total as the row began
    double hourly = 0;
    std::int32_t currency = 0;
    bool paid = false;
    // The ledger the row goes to (whole path); empty when there is none.
    char ledgerFile[PERIOD_PATH_SIZE] = "";
    // The checkpoint: when it was (local and UTC) and the row's true length so far (100 ns).
    std::int64_t checkpoint = 0;
    std::int64_t checkpointUtc = 0;
    std::int64_t elapsed = 0;
    std::size_t stretchCount = 0;
    KeptStretch stretches[MAX_KEPT_STRETCHES];
    // Rows handed to a ledger's file that it may not have taken before the run ended, and that
    // file (whole path).
    TextBuffer handed;
    char handedFile[PERIOD_PATH_SIZE] = "";
};

// Writes the record, or (null) takes it out.
void saveRunRecord(SettingsWriter& writer, const RunRecord* record);
// The record a run left, when there is a sound one: false when there is none, or it is not of this
// form. A period whose values cannot be (a length below nothing or of more than
// MAX_OPEN_PERIOD_DAYS, a time outside the calendar, a total that is no number) is dropped, and so
// is a stretch that does not lie within its row.
bool loadRunRecord(SettingsReader& reader, RunRecord& record);

// The ledger's rows still waiting for its file ("LedgerPending"), kept so that neither a crash
// nor an exit loses them: the newest whole rows of at most this many bytes; none (the value
// taken out) once written.
constexpr std::uint32_t MAX_PENDING_LEDGER = 1u << 20;
void saveLedgerPending(SettingsWriter& writer, const TextBuffer& rows);
// Adds the stored rows before those in `rows`, which are newer.
void loadLedgerPending(SettingsReader& reader, TextBuffer& rows);

// The open period as an older build kept it, in values of its own ("PeriodStart" and its
// companions). Times are local wall-clock times in 100-nanosecond units since 1601, as the log
// counts them.
struct OpenPeriod {
    std::int64_t start = 0;
    std::int64_t checkpoint = 0;  // the last checkpoint's time
    // Both also in UTC, from which the period's true length comes; the oldest keys have local
    // times alone (`hasUtc` false).
    std::int64_t startUtc = 0;
    std::int64_t checkpointUtc = 0;
    bool hasUtc = false;
    char name[SETTINGS_TEXT_SIZE] = "";
    // For the ledger's row: whether the meter ran, and its total as the period began. A key
    // without them (or with them unusable) closes the period in the log alone.
    bool paid = false;
    double startTotal = 0;
    bool hasEarnings = false;
    // Where the period's records go, as whole paths; the oldest keys have neither (`hasFiles`
    // false), and their period goes to the files of now.
    char logFile[PERIOD_PATH_SIZE] = "";
    char ledgerFile[PERIOD_PATH_SIZE] = "";
    bool hasFiles = false;
};
// The period such a key left open: false when a value is missing, of the wrong kind or size, or
// its times cannot be (the checkpoint before the start, by UTC when the key has it, else by the
// local clock; or longer than MAX_OPEN_PERIOD_DAYS). Both come from one clock, so a checkpoint
// later than now, of a clock that ran fast, still gives the period its length.
bool loadOpenPeriod(SettingsReader& reader, OpenPeriod& period);

// The same from the values an older build kept (the open period in "PeriodStart" and its
// companions, the question in "AwayStretch" and "AwayActivity"), with the settings as loaded for
// what those values lack; false when they hold nothing open.
bool loadOlderRun(SettingsReader& reader, const Settings& settings, double hourly,
                  RunRecord& record);
// Whether any of those values is there, sound or not; and taking them out.
bool olderRunLeft(SettingsReader& reader);
void removeOlderRun(SettingsWriter& writer);
