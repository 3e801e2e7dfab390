// Any times and locale texts: durations are whole, non-negative and the same either way round,
// and every record is its fixed shape around the texts given.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "activities/log_text.h"

namespace {

void fill(char* out, std::size_t capacity, const std::uint8_t*& p, const std::uint8_t* end) {
    std::size_t n = 0;
    while (p < end && n + 1 < capacity && *p != 0) {
        out[n++] = static_cast<char>(*p++);
    }
    out[n] = '\0';
    if (p < end) {
        ++p;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 16) {
        return 0;
    }
    std::int64_t start, finish;
    std::memcpy(&start, data, 8);
    std::memcpy(&finish, data + 8, 8);
    const std::int64_t seconds = durationSeconds(start, finish);
    if (seconds < 0 || seconds != durationSeconds(finish, start)) {
        std::abort();
    }
    const std::uint8_t* p = data + 16;
    const std::uint8_t* end = data + size;
    LogMoment moment;
    fill(moment.weekday, sizeof moment.weekday, p, end);
    fill(moment.longDate, sizeof moment.longDate, p, end);
    fill(moment.shortDate, sizeof moment.shortDate, p, end);
    fill(moment.time, sizeof moment.time, p, end);
    cutToHoursAndMinutes(moment.time);
    char name[256];
    fill(name, sizeof name, p, end);
    const std::string finished = logRecordText(LOG_FINISHED, name, moment, moment, seconds).text;
    const std::string started = logRecordText(LOG_STARTED, name, moment, moment, seconds).text;
    if (std::strlen(moment.time) > 5 || finished.compare(0, 4, "    ") != 0 ||
        finished.back() != '\n' || started.compare(0, 2, "  ") != 0 ||
        started.compare(2, std::strlen(name) + 1, std::string(name) + "\n") != 0) {
        std::abort();
    }
    return 0;
}
