#include "activities/log_text.h"

#include <cinttypes>
#include <cstdio>

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
    return static_cast<std::int64_t>(span / 10000000u);
}

std::string logRecordText(LogRecordKind kind, const char* activityName, const LogMoment& start,
                          const LogMoment& finish, std::int64_t durationSecs) {
    const std::string blank2 = "  ", blank4 = "    ";
    switch (kind) {
        case LOG_BANNER:
            return "\n" + std::string(start.weekday) + " " + start.longDate +
                   " - Cointrel started\n";
        case LOG_STARTED:
            return blank2 + activityName + "\n" + blank4 + start.shortDate + ", " + start.time +
                   ", Started\n";
        case LOG_FINISHED: {
            std::string text =
                blank4 + finish.shortDate + ", " + finish.time + ", Finished\n" + blank4;
            const std::int64_t hours = durationSecs / 3600;
            const std::int64_t minutes = durationSecs % 3600 / 60;
            if (hours == 0 && minutes == 0) {
                return text + "Duration: less than 1 minute\n";
            }
            char duration[48];
            std::snprintf(duration, sizeof duration, "Duration: %02" PRId64 ":%02" PRId64 "\n",
                          hours, minutes);
            return text + duration;
        }
    }
    return {};
}

bool appendToLog(const char* path, const std::string& text) {
    std::FILE* file = std::fopen(path, "a+");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fputs(text.c_str(), file) >= 0;
    return std::fclose(file) == 0 && written;
}
