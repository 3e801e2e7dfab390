#include "activities/activity_log_win.h"

namespace {

void dateText(const SYSTEMTIME& time, DWORD flags, const char* picture, char* out, int size) {
    if (GetDateFormatA(LOCALE_USER_DEFAULT, flags, &time, picture, out, size) == 0) {
        out[0] = '\0';
    }
}

}  // namespace

LocalTime localTimeNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return localTime(now);
}

bool hundredNanoseconds(const LocalTime& time, std::int64_t& out) {
    const SYSTEMTIME system = systemTime(time);
    FILETIME ft;
    if (!SystemTimeToFileTime(&system, &ft)) {
        return false;
    }
    out = static_cast<std::int64_t>((static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) |
                                    ft.dwLowDateTime);
    return true;
}

bool wallClockTime(std::int64_t hundredNs, LocalTime& out) {
    const auto value = static_cast<std::uint64_t>(hundredNs);
    const FILETIME ft{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
    SYSTEMTIME system{};
    if (hundredNs < 0 || !FileTimeToSystemTime(&ft, &system)) {
        return false;
    }
    out = localTime(system);
    return true;
}

LogMoment logMomentOf(const SYSTEMTIME& time) {
    LogMoment m;
    dateText(time, 0, "dddd", m.weekday, sizeof m.weekday);
    dateText(time, DATE_LONGDATE, nullptr, m.longDate, sizeof m.longDate);
    dateText(time, DATE_SHORTDATE, nullptr, m.shortDate, sizeof m.shortDate);
    // Hours and minutes alone: cutting a full time text after five characters would leave
    // "9:12:" of a locale that does not pad the hour, and an AM/PM marker means nothing here.
    const DWORD hoursMinutes = TIME_FORCE24HOURFORMAT | TIME_NOSECONDS | TIME_NOTIMEMARKER;
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, hoursMinutes, &time, nullptr, m.time, sizeof m.time) ==
        0) {
        m.time[0] = '\0';
    }
    cutToHoursAndMinutes(m.time);
    return m;
}

void writeLogRecordTo(const char* file, LogRecordKind kind, const char* activityName,
                      const LocalTime& startTime, const LocalTime& finishTime) {
    LogMoment start, finish;
    std::int64_t seconds = 0;
    if (kind == LOG_FINISHED) {
        finish = logMomentOf(systemTime(finishTime));
        std::int64_t from = 0, to = 0;
        if (hundredNanoseconds(startTime, from) && hundredNanoseconds(finishTime, to)) {
            seconds = durationSeconds(from, to);
        }
    } else {
        start = logMomentOf(systemTime(startTime));
    }
    appendToLog(file, logRecordText(kind, activityName, start, finish, seconds).text);
}

void writeLogRecord(const LogFields& log, LogRecordKind kind) {
    if (log.loggingEnabled) {
        writeLogRecordTo(log.logFileName, kind,
                         log.logActivityName != nullptr ? log.logActivityName : "", log.startTime,
                         log.finishTime);
    }
}
