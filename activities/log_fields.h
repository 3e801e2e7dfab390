#pragma once

#include <cstdint>

#include "base/local_time.h"

// What the activity log writes a record from: its switch and file, and the period's name and
// times. Put together for each record by whoever keeps them.
struct LogFields {
    bool loggingEnabled = false;
    char logFileName[260] = {};
    // The name the next Started record gives: an entry of the activity list, or "None".
    const char* logActivityName = nullptr;
    LocalTime startTime{};
    LocalTime finishTime{};
};
