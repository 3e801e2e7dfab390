#include "app/system_services_win.h"

#include "activities/activity_log_win.h"

namespace {

std::int64_t valueOf(const FILETIME& time) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(time.dwHighDateTime) << 32 |
                                     time.dwLowDateTime);
}

}  // namespace

LocalTime SystemClock::localTime() {
    return localTimeNow();
}

std::uint64_t SystemClock::awakeMs() {
    ULONGLONG awake = 0;  // in 100 ns
    return QueryUnbiasedInterruptTime(&awake) ? awake / 10000 : GetTickCount64();
}

std::uint32_t SystemClock::lastInputTick() {
    LASTINPUTINFO last{sizeof last, 0};
    return GetLastInputInfo(&last) ? last.dwTime : GetTickCount();
}

std::int64_t SystemClock::utcTime() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return valueOf(now);
}

std::int64_t SystemClock::localOf(std::int64_t utc) {
    // By the time zone's rules for that date, whatever the summer time is now.
    const auto value = static_cast<std::uint64_t>(utc);
    const FILETIME given{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
    SYSTEMTIME universal{}, local{};
    FILETIME out{};
    if (!FileTimeToSystemTime(&given, &universal) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local) ||
        !SystemTimeToFileTime(&local, &out)) {
        return utc;
    }
    return valueOf(out);
}

void WholePaths::wholePath(const char* name, char* out, std::size_t size) {
    const DWORD length = GetFullPathNameA(name, static_cast<DWORD>(size), out, nullptr);
    if (length == 0 || length >= size) {
        lstrcpynA(out, name, static_cast<int>(size));
    }
}
