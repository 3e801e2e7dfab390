#pragma once

#include <cstdint>

#include "base/local_time.h"

// What the activity log writes from: its switch and file, and the current period's name and
// times. The meter carries these fields; whoever starts and finishes periods sets them.
struct LogFields {
    bool loggingEnabled = false;
    char logFileName[260] = {};
    // The name the next Started record gives: an entry of the activity list, or "None".
    const char* logActivityName = nullptr;
    LocalTime startTime{};
    LocalTime finishTime{};
    // For the ledger: whether a period is open (its row not yet written), and the meter's total
    // as it began, from which its earnings are counted.
    bool periodOpen = false;
    double startTotal = 0;
};
