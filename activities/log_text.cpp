#include "activities/log_text.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "base/unique_file.h"

void cutToHoursAndMinutes(char* time) {
    for (int i = 0; i < 5; ++i) {
        if (time[i] == '\0') {
            return;
        }
    }
    time[5] = '\0';
}

std::int64_t durationSeconds(std::int64_t start100ns, std::int64_t finish100ns) {
    // Unsigned arithmetic: the magnitude of any difference of two such counts fits.
    const std::uint64_t a = static_cast<std::uint64_t>(start100ns);
    const std::uint64_t b = static_cast<std::uint64_t>(finish100ns);
    const std::uint64_t span = finish100ns >= start100ns ? b - a : a - b;
    return static_cast<std::int64_t>(span / static_cast<std::uint64_t>(UNITS_PER_SECOND));
}

LogRecord logRecordText(LogRecordKind kind, const char* activityName, const LogMoment& start,
                        const LogMoment& finish, std::int64_t durationSecs) {
    LogRecord record;
    char* out = record.text;
    const std::size_t size = sizeof record.text;
    switch (kind) {
        case LOG_BANNER:
            // A long date that names the weekday already ("dddd, MMMM d, yyyy") says it once.
            if (start.weekday[0] != '\0' && std::strstr(start.longDate, start.weekday) != nullptr) {
                std::snprintf(out, size, "\n%s - Cointrel started\n", start.longDate);
            } else {
                std::snprintf(out, size, "\n%s %s - Cointrel started\n", start.weekday,
                              start.longDate);
            }
            break;
        case LOG_STARTED:
            std::snprintf(out, size, "  %s\n    %s, %s, Started\n", activityName, start.shortDate,
                          start.time);
            break;
        case LOG_FINISHED: {
            const std::int64_t hours = durationSecs / 3600;
            const std::int64_t minutes = durationSecs % 3600 / 60;
            if (hours == 0 && minutes == 0) {
                std::snprintf(out, size, "    %s, %s, Finished\n    Duration: less than 1 minute\n",
                              finish.shortDate, finish.time);
            } else {
                std::snprintf(out, size,
                              "    %s, %s, Finished\n    Duration: %02" PRId64 ":%02" PRId64 "\n",
                              finish.shortDate, finish.time, hours, minutes);
            }
            break;
        }
    }
    return record;
}

bool appendToLog(const char* path, const char* text) {
    UniqueFile file(path, "a+");
    const bool written = file && std::fputs(text, file.get()) >= 0;
    return file.close() && written;
}

LogHandover logHandover(bool wasLogging, const char* oldFile, bool nowLogging,
                        const char* newFile) {
    const bool sameFile = std::strcmp(oldFile, newFile) == 0;
    return {wasLogging && (!nowLogging || !sameFile), nowLogging && (!wasLogging || !sameFile)};
}
