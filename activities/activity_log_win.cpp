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

void writeLogRecord(const LogFields& log, LogRecordKind kind) {
    if (!log.loggingEnabled) {
        return;
    }
    LogMoment start, finish;
    std::int64_t seconds = 0;
    if (kind == LOG_FINISHED) {
        finish = logMomentOf(systemTime(log.finishTime));
        std::int64_t from = 0, to = 0;
        if (wallClockValue(log.startTime, from) && wallClockValue(log.finishTime, to)) {
            seconds = durationSeconds(from, to);
        }
    } else {
        start = logMomentOf(systemTime(log.startTime));
    }
    const char* name = log.logActivityName != nullptr ? log.logActivityName : "";
    appendToLog(log.logFileName, logRecordText(kind, name, start, finish, seconds).text);
}
