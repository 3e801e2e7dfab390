#include "activities/ledger_summary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "base/local_time.h"

namespace {

// The whole of `text` as a number of the kind asked for; false for anything more or less.
bool wholeInteger(const char* text, std::size_t length, std::int64_t& out) {
    if (length == 0 || length > 9) {
        return false;
    }
    out = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        out = out * 10 + (text[i] - '0');
    }
    return true;
}

bool wholeAmount(const char* text, double& out) {
    const std::size_t length = std::strlen(text);
    if (length == 0 || length > 32 || std::strpbrk(text, " \t") != nullptr) {
        return false;
    }
    char* end = nullptr;
    out = std::strtod(text, &end);
    return *end == '\0' && std::isfinite(out) && std::fabs(out) <= 1e9;
}

// A calendar date as a day since 1601-01-01; false for a date that is none.
bool calendarDay(std::int64_t year, std::int64_t month, std::int64_t day, std::int64_t& out) {
    LocalTime t{};
    t.year = static_cast<std::uint16_t>(year);
    t.month = static_cast<std::uint16_t>(month);
    t.day = static_cast<std::uint16_t>(day);
    std::int64_t value = 0;
    if (!wallClockValue(t, value)) {
        return false;
    }
    out = dayOf(value);
    return true;
}

// "YYYY-MM-DD" as a day since 1601-01-01.
bool dateDay(const char* text, std::int64_t& day) {
    std::int64_t y = 0, m = 0, d = 0;
    return std::strlen(text) == 10 && text[4] == '-' && text[7] == '-' &&
           wholeInteger(text, 4, y) && wholeInteger(text + 5, 2, m) &&
           wholeInteger(text + 8, 2, d) && calendarDay(y, m, d, day);
}

// "HH:MM:SS", as the ledger writes a time of day.
bool timeOfDay(const char* text) {
    std::int64_t h = 0, m = 0, sec = 0;
    return std::strlen(text) == 8 && text[2] == ':' && text[5] == ':' && wholeInteger(text, 2, h) &&
           wholeInteger(text + 3, 2, m) && wholeInteger(text + 6, 2, sec) && h < 24 && m < 60 &&
           sec < 60;
}

// A currency code as the ledger writes one: a few letters or digits.
bool currencyText(const char* text) {
    const std::size_t length = std::strlen(text);
    if (length == 0 || length >= sizeof Money::Part::code) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        const char c = text[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) {
            return false;
        }
    }
    return true;
}

const char* const COLUMN_NAMES[] = {"date",    "start",  "end",    "activity", "paid",
                                    "seconds", "hourly", "earned", "currency"};
constexpr int OWN_ORDER[] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
// The longest a row of one local day can hold: 25 hours, on the day the clocks go back.
constexpr std::int64_t MOST_SECONDS_A_DAY = 25 * 3600;

}  // namespace

const char* const SUMMARY_RANGE_NAMES[SUMMARY_RANGES] = {"Today",     "Yesterday",  "This week",
                                                         "Last week", "This month", "Last month"};

LedgerSummary::LedgerSummary(std::int64_t today, int firstDayOfWeek)
    : today_(today), headerColumns_{} {
    const int weekday = static_cast<int>(today % 7);  // 0 Monday: 1601 began on one
    const std::int64_t weekStart = today - (weekday - firstDayOfWeek + 14) % 7;
    LocalTime now{};
    localTimeOf(today * UNITS_PER_DAY, now);
    const auto firstOf = [](int year, int month) {
        std::int64_t day = 0;
        calendarDay(year, month, 1, day);
        return day;
    };
    const std::int64_t monthStart = firstOf(now.year, now.month);
    const std::int64_t lastMonthStart =
        now.month == 1 ? firstOf(now.year - 1, 12) : firstOf(now.year, now.month - 1);
    const std::int64_t bounds[SUMMARY_RANGES][2] = {
        {today, today},      {today - 1, today - 1},
        {weekStart, today},  {weekStart - 7, weekStart - 1},
        {monthStart, today}, {lastMonthStart, monthStart - 1}};
    for (int r = 0; r < SUMMARY_RANGES; ++r) {
        first_[r] = bounds[r][0];
        last_[r] = bounds[r][1];
    }
}

void LedgerSummary::add(const char* text, std::size_t size) {
    static const char MARK[] = "\xEF\xBB\xBF";
    for (std::size_t i = 0; i < size; ++i) {
        const char c = text[i];
        if (markSeen_ < 3) {
            if (c == MARK[markSeen_] && recordSize_ == 0 && fieldCount_ == 0) {
                ++markSeen_;
                continue;
            }
            markSeen_ = 3;  // no mark, or text that began like one
        }
        bool literal = false;
        if (quote_ == 1) {
            if (c == '"') {
                quote_ = 2;
                continue;
            }
            // A quote never closed (a line torn by a power cut) ends at its line's end, so that
            // the rows after it are read as they are.
            // A carriage return within quotes is the cell's own (a name may begin with one).
            literal = c != '\n';
            quote_ = literal ? 1 : 0;
        } else if (quote_ == 2) {
            literal = c == '"';  // a doubled quote; anything else follows the closing one
            quote_ = literal ? 1 : 0;
        }
        if (!literal) {
            if (c == '"' && recordSize_ == fieldStart_) {
                quote_ = 1;
                continue;
            }
            if (c == ',' || c == '\n') {
                endField();
                if (c == '\n') {
                    endRecord();
                }
                continue;
            }
            if (c == '\r') {
                continue;
            }
        }
        if (recordSize_ + 1 < RECORD_SIZE) {
            record_[recordSize_++] = c;
        } else {
            overlong_ = true;
        }
    }
}

void LedgerSummary::finish() {
    if (recordSize_ > fieldStart_ || fieldCount_ > 0) {
        endField();
        endRecord();
    }
    // What follows is another text, of its own mark and header.
    quote_ = 0;
    markSeen_ = 0;
    headerUsable_ = false;
}

void LedgerSummary::endField() {
    if (fieldCount_ < MOST_FIELDS && recordSize_ + 1 < RECORD_SIZE) {
        record_[recordSize_++] = '\0';
        fields_[fieldCount_++] = fieldStart_;
    } else {
        overlong_ = true;
    }
    fieldStart_ = recordSize_;
}

void LedgerSummary::endRecord() {
    const std::size_t fields = fieldCount_;
    const bool usable = !overlong_;
    recordSize_ = fieldStart_ = fieldCount_ = 0;
    overlong_ = false;
    const char* values[MOST_FIELDS];
    bool blank = usable;
    for (std::size_t k = 0; k < MOST_FIELDS; ++k) {
        values[k] = k < fields ? record_ + fields_[k] : "";
        blank = blank && values[k][0] == '\0';
    }
    if (fields == 0 || blank) {
        return;  // a blank line, or one a spreadsheet made of empty cells
    }
    if (usable &&
        ((fields >= COLUMNS && countRow(values, OWN_ORDER)) ||
         (headerUsable_ && countRow(values, headerColumns_)) || takeHeader(values, fields))) {
        return;
    }
    ++rowsLeftOut;
}

bool LedgerSummary::takeHeader(const char* const* values, std::size_t count) {
    int columns[COLUMNS];
    for (int n = 0; n < COLUMNS; ++n) {
        columns[n] = -1;
        for (std::size_t k = 0; k < count; ++k) {
            if (std::strcmp(values[k], COLUMN_NAMES[n]) == 0) {
                if (columns[n] >= 0) {
                    return false;  // named twice: which is meant cannot be told
                }
                columns[n] = static_cast<int>(k);
            }
        }
        if (columns[n] < 0) {
            return false;
        }
    }
    std::memcpy(headerColumns_, columns, sizeof columns);
    headerUsable_ = true;
    return true;
}

bool LedgerSummary::countRow(const char* const* values, const int* columns) {
    const auto at = [&](int n) { return values[columns[n]]; };
    std::int64_t day = 0, seconds = 0;
    double hourly = 0, earned = 0;
    const char* paid = at(4);
    if (!dateDay(at(0), day) || !timeOfDay(at(1)) || !timeOfDay(at(2)) ||
        (std::strcmp(paid, "1") != 0 && std::strcmp(paid, "0") != 0) ||
        !wholeInteger(at(5), std::strlen(at(5)), seconds) || seconds > MOST_SECONDS_A_DAY ||
        !wholeAmount(at(6), hourly) || !wholeAmount(at(7), earned) || !currencyText(at(8))) {
        return false;
    }
    count(day, nameOfCell(at(3)), paid[0] == '1', seconds, earned, at(8));
    ++rowsRead;
    return true;
}

void LedgerSummary::count(std::int64_t day, const char* activity, bool paid, std::int64_t seconds,
                          double earned, const char* currency) {
    bool leftOut = false;
    if (day >= firstDay() && day <= today_) {
        DaySum& sum = days[day - firstDay()];
        leftOut = !sum.earned.add(currency, earned);
        sum.paidSeconds += paid && !leftOut ? seconds : 0;
    }
    for (int r = 0; r < SUMMARY_RANGES; ++r) {
        if (day < first_[r] || day > last_[r]) {
            continue;
        }
        RangeSum& range = ranges[r];
        if (!range.earned.add(currency, earned)) {
            leftOut = true;  // a currency too many: left out of the range whole
            continue;
        }
        (paid ? range.paidSeconds : range.unpaidSeconds) += seconds;
        std::size_t a = 0;
        while (a < range.activityCount && std::strcmp(range.activities[a].name, activity) != 0) {
            ++a;
        }
        if (a == range.activityCount) {
            // A hand-made ledger of endless names keeps a bounded list: the rest count as one.
            if (a == SUMMARY_ACTIVITIES) {
                a = SUMMARY_ACTIVITIES - 1;
                std::snprintf(range.activities[a].name, sizeof range.activities[a].name, "Others");
            } else {
                ActivitySum& added = range.activities[range.activityCount++];
                std::snprintf(added.name, sizeof added.name, "%s", activity);
                added.seconds = 0;
                added.earned.count = 0;
            }
        }
        range.activities[a].seconds += seconds;
        range.activities[a].earned.add(currency, earned);
    }
    rowsLeftOut += leftOut ? 1 : 0;
}
