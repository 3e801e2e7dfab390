#pragma once

#include <cstddef>

#include "dialogs/dialog_decision.h"

// The field's text is read with a capacity of 30: at most 29 characters are scanned.
constexpr std::size_t RESET_READ_SIZE = 30;
// Large enough for "%.2f" of any double, so the opening text of any total is shown whole.
constexpr std::size_t RESET_TEXT_SIZE = 330;
constexpr double RESET_LIMIT = 1000000.0;  // a new total must be below this

// The Reset total dialog's reactions. OK with a number from 0 up to (not including) a million,
// taken at single precision, asks for the reset; anything else closes without change.
struct ResetTotal {
    char text[RESET_TEXT_SIZE] = "";  // field 110
    bool resetRequested = false;
    double newTotal = 0.0;

    DialogDecision opened(double total);
    DialogDecision zero();
    DialogDecision ok();
    DialogDecision cancel();
};
