#include "activities/ledger.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

}  // namespace

LedgerSummary::LedgerSummary(std::int64_t today, int firstDayOfWeek) : columns_{0, 3, 4, 5, 7} {
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
            literal = true;
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
    quote_ = 0;
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
    if (!usable || fields == 0 || (fields == 1 && record_[fields_[0]] == '\0')) {
        return;  // garbage, or a blank line
    }
    const auto at = [&](std::size_t k) { return record_ + fields_[k]; };
    if (!headerSeen_) {
        headerSeen_ = true;
        const char* const names[] = {"date", "activity", "paid", "seconds", "earned"};
        bool header = false;
        for (std::size_t k = 0; k < fields; ++k) {
            header = header || std::strcmp(at(k), "date") == 0;
        }
        if (header) {
            for (int n = 0; n < 5; ++n) {
                columns_[n] = -1;
                for (std::size_t k = 0; k < fields; ++k) {
                    columns_[n] =
                        std::strcmp(at(k), names[n]) == 0 ? static_cast<int>(k) : columns_[n];
                }
            }
            return;
        }
    }
    const auto field = [&](int n) -> const char* {
        const int c = columns_[n];
        return c >= 0 && static_cast<std::size_t>(c) < fields ? at(static_cast<std::size_t>(c))
                                                              : nullptr;
    };
    const char* date = field(0);
    const char* paid = field(2);
    const char* seconds = field(3);
    const char* earned = field(4);
    std::int64_t day = 0, secondsValue = 0;
    double earnedValue = 0;
    if (date == nullptr || paid == nullptr || seconds == nullptr || earned == nullptr ||
        !dateDay(date, day) || (std::strcmp(paid, "1") != 0 && std::strcmp(paid, "0") != 0) ||
        !wholeInteger(seconds, std::strlen(seconds), secondsValue) || secondsValue > 86400 ||
        !wholeAmount(earned, earnedValue)) {
        return;
    }
    const char* activity = field(1);
    count(day, activity != nullptr ? activity : "", paid[0] == '1', secondsValue, earnedValue);
}

void LedgerSummary::count(std::int64_t day, const char* activity, bool paid, std::int64_t seconds,
                          double earned) {
    for (int r = 0; r < SUMMARY_RANGES; ++r) {
        if (day < first_[r] || day > last_[r]) {
            continue;
        }
        RangeSum& range = ranges[r];
        (paid ? range.paidSeconds : range.unpaidSeconds) += seconds;
        range.earned += earned;
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
                added.earned = 0;
            }
        }
        range.activities[a].seconds += seconds;
        range.activities[a].earned += earned;
    }
}
