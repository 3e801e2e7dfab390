#include "activities/activity_log_win.h"

#include "base/text_buffer.h"

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

void writeLogRecords(const LogFields& log, const LogRecordKind* kinds, std::size_t count) {
    if (!log.loggingEnabled) {
        return;
    }
    const LogMoment start = logMomentOf(systemTime(log.startTime));
    const LogMoment finish = logMomentOf(systemTime(log.finishTime));
    std::int64_t from = 0, to = 0, seconds = 0;
    if (wallClockValue(log.startTime, from) && wallClockValue(log.finishTime, to)) {
        seconds = durationSeconds(from, to);
    }
    const char* name = log.logActivityName != nullptr ? log.logActivityName : "";
    TextBuffer text;
    for (std::size_t i = 0; i < count; ++i) {
        text.append(logRecordText(kinds[i], name, start, finish, seconds).text);
    }
    text.append("", 1);  // the terminator
    if (text.whole()) {
        appendToLog(log.logFileName, text.data());
    }
}
