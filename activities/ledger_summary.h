#pragma once

// The summary of what the ledger holds: by day, week and month, and by activity, with the money
// of each currency kept apart.

#include <cstddef>
#include <cstdint>

#include "activities/activities.h"
#include "activities/ledger.h"

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

// As many as the activity list holds, by name, and "None", which a reset starts; a hand-made
// ledger's further names count together in the last, "Others".
constexpr std::size_t SUMMARY_ACTIVITIES = MAX_ACTIVITIES + 2;
// Currencies kept apart, by their code in the ledger; a row of one more is left out.
constexpr std::size_t SUMMARY_CURRENCIES = 6;

// Money of each currency, never added across them.
struct Money {
    struct Part {
        char code[8];
        double amount;
    };
    Part parts[SUMMARY_CURRENCIES];
    std::size_t count = 0;

    // False, with nothing added, when `code` would be a currency too many.
    bool add(const char* code, double amount);
};

struct ActivitySum {
    char name[256];
    std::int64_t seconds;
    Money earned;
};

// The days the summary's chart shows, today the last.
constexpr int SUMMARY_DAYS = 14;

struct DaySum {
    std::int64_t paidSeconds = 0;
    Money earned;
};

struct RangeSum {
    std::int64_t paidSeconds = 0;
    std::int64_t unpaidSeconds = 0;
    Money earned;
    std::size_t activityCount = 0;
    ActivitySum activities[SUMMARY_ACTIVITIES];  // in the order first met
};

// Adds up ledger text for the ranges around `today` (a day: days since 1601-01-01), the weeks
// starting on `firstDayOfWeek` (0 Monday to 6 Sunday, as the locale numbers them). The text comes
// in pieces of any size. A row is read by its first nine fields in the ledger's own column order
// when it parses so, as Cointrel's own rows always do, whatever a spreadsheet added after them;
// otherwise through the last line that named the nine columns, in any order and among others. A
// row that parses neither way is left out alone, and counted; a quote never closed ends at the
// line's end.
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
    // Each of the last SUMMARY_DAYS days, the oldest first, and the first of them.
    DaySum days[SUMMARY_DAYS];
    std::int64_t firstDay() const { return today_ - (SUMMARY_DAYS - 1); }
    // The ledger file was there but could not be read, and why: its rows are left out.
    LedgerRead file = LedgerRead::Whole;
    // Rows read, and rows left out as they could not be (or were of a currency too many).
    std::size_t rowsRead = 0;
    std::size_t rowsLeftOut = 0;
    // Rows read from the working folder's ledger, where rows went while the chosen file could not
    // be written.
    std::size_t fallbackRows = 0;

  private:
    void endField();
    void endRecord();
    bool countRow(const char* const* fields, const int* columns);
    // A line naming the nine columns, among others: where they are, from now on.
    bool takeHeader(const char* const* fields, std::size_t count);
    void count(std::int64_t day, const char* activity, bool paid, std::int64_t seconds,
               double earned, const char* currency);

    static constexpr std::size_t RECORD_SIZE = 2048;
    static constexpr std::size_t MOST_FIELDS = 32;
    static constexpr int COLUMNS = 9;
    std::int64_t today_;
    std::int64_t first_[SUMMARY_RANGES];
    std::int64_t last_[SUMMARY_RANGES];
    // Where the header puts each of the ledger's nine columns; none until a header names them
    // all exactly.
    int headerColumns_[COLUMNS];
    bool headerUsable_ = false;
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

// The currencies' signs as the meter shows them, by CurrencyCode, in the ANSI code page; empty
// for a strip of the user's own, and for a sign the code page lacks.
struct CurrencySigns {
    const char* sign[4];
};

// How the user's locale writes an amount: the separator between groups of digits, the sizes of
// the groups from the point leftwards as the locale gives them ("3;0": threes all the way, "3;2;0":
// a three then twos, "3": one three, "0": none), and the decimal sign.
struct NumberStyle {
    char thousands[4] = ",";
    char grouping[16] = "3;0";
    char decimal[4] = ".";
};
// The amount with two decimals, after `sign`, its digits grouped: "£1,290.39".
ShortText groupedMoney(double amount, const char* sign, const NumberStyle& style);

// The money of one cell: that of the currency `first` (a code), then each other after it as
// " + $6.13"; a currency without a sign shows its code after the amount, a strip of the user's
// own neither.
ShortText moneyText(const Money& money, const char* first, const CurrencySigns& signs,
                    const NumberStyle& style = NumberStyle());
// The meter's tooltip: "Today: £12.34 earned, 3:12 paid".
ShortText todayFigure(const RangeSum& today, const char* first, const CurrencySigns& signs,
                      const NumberStyle& style = NumberStyle());

// What the summary says under its figures, when they leave something out or take rows from the
// ledger where rows go while the one chosen, `ledgerFile`, cannot be written: `fallbackFile`.
struct NoteText {
    char text[640] = "";
};
NoteText summaryNote(const LedgerSummary& summary, const char* ledgerFile,
                     const char* fallbackFile);
