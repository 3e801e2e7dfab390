#pragma once

// The ledger: one CSV row (RFC 4180) for every finished activity period, for any spreadsheet to
// add up; and the summary of what it holds, by day, week and month, and by activity.

#include <cstddef>
#include <cstdint>

#include "base/text_buffer.h"

constexpr const char* LEDGER_HEADER =
    "date,start,end,activity,paid,seconds,hourly,earned,currency\r\n";

// A finished period as the ledger records it. Times are local wall-clock times in 100 ns units
// since 1601-01-01, as the log counts them.
struct LedgerPeriod {
    std::int64_t start = 0;
    std::int64_t finish = 0;
    const char* activity = "";
    bool paid = false;
    double hourly = 0;
    double earned = 0;  // what the meter added during the period; 0 when unpaid
    int currency = 0;   // a CurrencyCode
};

// Appends the period's rows, CR LF ended: one a day, split at local midnight with the earnings
// in proportion to the time, so that every day adds up on its own. None for a period that ends
// before it starts.
void appendLedgerRows(const LedgerPeriod& period, TextBuffer& rows);

class LedgerSummary;

// The ledger's file, as whoever keeps the rows reaches it. It is only ever appended to.
class LedgerFile {
  public:
    // Appends the rows: the header first when the file is new or empty, a line end first when its
    // last line has none. False when it cannot take them now (a spreadsheet holds it locked, say):
    // the rows then wait, and go first next time.
    virtual bool append(const char* path, const TextBuffer& rows) = 0;
    // Adds what the file holds to the summary (its last 16 MB at most: older rows fall outside
    // every range), and ends its text; false when it is there but cannot be read.
    virtual bool read(const char* path, LedgerSummary& summary) = 0;

  protected:
    ~LedgerFile() = default;
};

// The file itself, through the C library.
class CsvLedgerFile final : public LedgerFile {
  public:
    bool append(const char* path, const TextBuffer& rows) override;
    bool read(const char* path, LedgerSummary& summary) override;
};

// The summary's periods, in the order the dialog lists them.
enum SummaryRange : int {
    TODAY,
    YESTERDAY,
    THIS_WEEK,
    LAST_WEEK,
    THIS_MONTH,
    LAST_MONTH,
    SUMMARY_RANGES
};
extern const char* const SUMMARY_RANGE_NAMES[SUMMARY_RANGES];

constexpr std::size_t SUMMARY_ACTIVITIES = 64;  // by name; any more count together

struct ActivitySum {
    char name[256];
    std::int64_t seconds;
    double earned;
};

struct RangeSum {
    std::int64_t paidSeconds = 0;
    std::int64_t unpaidSeconds = 0;
    double earned = 0;
    std::size_t activityCount = 0;
    ActivitySum activities[SUMMARY_ACTIVITIES];  // in the order first met
};

// Adds up ledger text for the ranges around `today` (a day: days since 1601-01-01), the weeks
// starting on `firstDayOfWeek` (0 Monday to 6 Sunday, as the locale numbers them). The text comes
// in pieces of any size. Rows are found by the header's column names, or in the ledger's own
// order when there is no header; a row that does not parse whole is skipped.
class LedgerSummary {
  public:
    LedgerSummary(std::int64_t today, int firstDayOfWeek);
    void add(const char* text, std::size_t size);
    // Ends the text: a last row without its line end counts too.
    void finish();
    // Rows of another source, whole: those waiting for the file and the period still open.
    void addRows(const TextBuffer& rows) {
        add(rows.data(), rows.size());
        finish();
    }
    RangeSum ranges[SUMMARY_RANGES];

  private:
    void endField();
    void endRecord();
    void count(std::int64_t day, const char* activity, bool paid, std::int64_t seconds,
               double earned);

    static constexpr std::size_t RECORD_SIZE = 2048;
    static constexpr std::size_t MOST_FIELDS = 32;
    std::int64_t first_[SUMMARY_RANGES];
    std::int64_t last_[SUMMARY_RANGES];
    int columns_[5];  // date, activity, paid, seconds, earned; -1 for one the header lacks
    bool headerSeen_ = false;
    int markSeen_ = 0;  // bytes of a byte-order mark met at the start; 3 once past it
    int quote_ = 0;     // 0 outside quotes, 1 inside, 2 just after a quote inside
    bool overlong_ = false;
    // The record so far: its fields one after another, each ended by a zero byte.
    char record_[RECORD_SIZE];
    std::size_t recordSize_ = 0;
    std::size_t fields_[MOST_FIELDS];  // where each ended field starts
    std::size_t fieldCount_ = 0;
    std::size_t fieldStart_ = 0;
};

// The day of a local wall-clock time (100 ns units since 1601): days since 1601-01-01.
std::int64_t dayOf(std::int64_t wallClock);

// A short text the summary shows.
struct ShortText {
    char text[96] = "";
};
// "h:mm", hours as many as there are.
ShortText hoursAndMinutes(std::int64_t seconds);
// The amount with two decimals after the sign (empty for a digits bitmap of the user's own),
// with a point whatever the locale, and never "-0.00".
ShortText moneyText(double amount, const char* sign);
// The meter's tooltip: "Today: £12.34 earned, 3:12 paid".
ShortText todayFigure(const RangeSum& today, const char* sign);
