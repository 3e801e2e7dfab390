#include "base/local_time.h"

namespace {

constexpr std::int64_t DAYS_FROM_1601_TO_1970 = 134774;
constexpr int FIRST_YEAR = 1601;
constexpr int LAST_YEAR = 30827;

int daysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

// Days from 1970-01-01 to a date of the Gregorian calendar, and back (the eras of 400 years
// that the calendar repeats in make both exact).
std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

void civilFromDays(std::int64_t days, LocalTime& out) {
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(z - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shifted = (5 * dayOfYear + 2) / 153;
    const unsigned month = shifted < 10 ? shifted + 3 : shifted - 9;
    out.year = static_cast<std::uint16_t>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    out.month = static_cast<std::uint16_t>(month);
    out.day = static_cast<std::uint16_t>(dayOfYear - (153 * shifted + 2) / 5 + 1);
}

}  // namespace

bool wallClockValue(const LocalTime& t, std::int64_t& out) {
    if (t.year < FIRST_YEAR || t.year > LAST_YEAR || t.month < 1 || t.month > 12 || t.day < 1 ||
        t.day > daysInMonth(t.year, t.month) || t.hour > 23 || t.minute > 59 || t.second > 59 ||
        t.milliseconds > 999) {
        return false;
    }
    const std::int64_t days = daysFromCivil(t.year, t.month, t.day) + DAYS_FROM_1601_TO_1970;
    const std::int64_t seconds = (t.hour * 60 + t.minute) * 60 + t.second;
    out = days * UNITS_PER_DAY + seconds * UNITS_PER_SECOND + t.milliseconds * 10000;
    return true;
}

bool localTimeOf(std::int64_t value, LocalTime& out) {
    const std::int64_t end =
        (daysFromCivil(LAST_YEAR + 1, 1, 1) + DAYS_FROM_1601_TO_1970) * UNITS_PER_DAY;
    if (value < 0 || value >= end) {
        return false;
    }
    const std::int64_t days = value / UNITS_PER_DAY;
    const std::int64_t ms = value % UNITS_PER_DAY / 10000;
    civilFromDays(days - DAYS_FROM_1601_TO_1970, out);
    out.dayOfWeek = static_cast<std::uint16_t>((days + 1) % 7);  // 1601 began on a Monday
    out.hour = static_cast<std::uint16_t>(ms / 3600000);
    out.minute = static_cast<std::uint16_t>(ms / 60000 % 60);
    out.second = static_cast<std::uint16_t>(ms / 1000 % 60);
    out.milliseconds = static_cast<std::uint16_t>(ms % 1000);
    return true;
}
