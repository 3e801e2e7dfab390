#pragma once

// The ledger: one CSV row (RFC 4180) for every finished activity period, for any spreadsheet to
// add up; and the summary of what it holds, by day, week and month, and by activity.

#include <cstddef>
#include <cstdint>

#include "base/local_time.h"
#include "base/text_buffer.h"

constexpr const char* LEDGER_HEADER =
    "date,start,end,activity,paid,seconds,hourly,earned,currency\r\n";

// A finished period as the ledger records it. Its start and finish are local wall-clock times in
// 100 ns units since 1601-01-01, as the log counts them, and give a row its date and times; its
// length comes from a clock that does not jump (the tick count, or UTC), which a change of the
// local clock (summer time, another time zone) does not touch. A negative length is unknown (a
// period an older build left open): then the local times' difference stands for it. Its start
// in UTC places it on the time that passed; 0 when that is not known.
struct LedgerPeriod {
    std::int64_t start = 0;
    std::int64_t finish = 0;
    std::int64_t elapsed = -1;
    std::int64_t startUtc = 0;
    const char* activity = "";
    bool paid = false;
    double hourly = 0;
    double earned = 0;  // what the meter added during the period; 0 when unpaid
    int currency = 0;   // a CurrencyCode
};

// Appends the period's rows, CR LF ended: one a day, split at local midnight, so that every day
// adds up on its own; the seconds add up to the period's length. The seconds and the earnings are
// shared as the time that passed: at the instant each midnight came by `zone`'s rules, where the
// period's start in UTC is known, so that a clock change near midnight moves nothing from one day
// to the other; as the local time is, otherwise. A period whose local clock went back so far
// that it ends before it starts is one row, on the day it started.
void appendLedgerRows(const LedgerPeriod& period, TextBuffer& rows, LocalZone* zone = nullptr);

// The ledger's currency column for a CurrencyCode: "GBP", "USD", "EUR", or "custom" for a strip of
// the user's own.
const char* currencyCode(int currency);

// The rows waiting for the file are kept to this many bytes, the newest: `rows` loses whole rows
// from its front until it fits.
void keepNewestRows(TextBuffer& rows, std::size_t most);

// What an append came to: the rows are in the file; the file cannot take them now (another
// program holds it) and they wait; or the file can never be written where it is named (its folder
// is missing, or the name is a folder's).
enum class LedgerWrite { Written, Busy, Unusable };
// What a read came to: the file is read (or not there, which holds nothing); another program
// holds it; or its name is a folder's.
enum class LedgerRead { Whole, Held, Folder };

class LedgerSummary;

// The ledger's file, as whoever keeps the rows reaches it. It is only ever appended to.
class LedgerFile {
  public:
    // Appends the rows: the header first when the file is new or empty, a line end first when its
    // last line has none. Rows that cannot go now wait, and go first next time.
    virtual LedgerWrite append(const char* path, const TextBuffer& rows) = 0;
    // Adds what the file holds to the summary (its last 16 MB at most: older rows fall outside
    // every range), and ends its text.
    virtual LedgerRead read(const char* path, LedgerSummary& summary) = 0;
    // Whether the file ends with these rows already, as it does when a run that appended them
    // ended before its key could say so.
    virtual bool holds(const char* path, const TextBuffer& rows) = 0;

  protected:
    ~LedgerFile() = default;
};

// The file itself, through the C library.
class CsvLedgerFile final : public LedgerFile {
  public:
    LedgerWrite append(const char* path, const TextBuffer& rows) override;
    LedgerRead read(const char* path, LedgerSummary& summary) override;
    bool holds(const char* path, const TextBuffer& rows) override;
};

// The day of a local wall-clock time (100 ns units since 1601): days since 1601-01-01.
std::int64_t dayOf(std::int64_t wallClock);

// A short text the summary shows.
struct ShortText {
    char text[128] = "";
};
// "h:mm", hours as many as there are.
ShortText hoursAndMinutes(std::int64_t seconds);
// The amount with two decimals after the sign (empty for a digits bitmap of the user's own),
// with a point whatever the locale, and never "-0.00".
ShortText moneyText(double amount, const char* sign);

// An activity's name as a cell of the ledger: one a spreadsheet would run as a formula (beginning
// with =, +, -, @, a tab or a carriage return) has an apostrophe before it, as does one that
// already begins with an apostrophe and one of those, so that reading it back takes exactly one
// away.
void appendNameCell(const char* name, TextBuffer& out);
const char* nameOfCell(const char* cell);
