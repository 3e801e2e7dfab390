#include "dialogs/reset_total.h"

#include <cstdio>
#include <cstdlib>

#include "meter/single_precision.h"

void ResetTotal::opened(double total) {
    decision = {};
    resetRequested = false;
    std::snprintf(text, sizeof text, "%.2f", total);
    decision.writeFields = true;
}

void ResetTotal::zero() {
    decision = {};
    std::snprintf(text, sizeof text, "0.00");
    decision.writeFields = true;
}

void ResetTotal::ok() {
    decision = {};
    text[RESET_READ_SIZE - 1] = '\0';
    // "%f" scanning: blanks, then the longest number. Text without one yields nothing at all.
    char* end = nullptr;
    const double scanned = std::strtod(text, &end);
    const double value = roundToSingle(scanned);
    resetRequested = end != text && value >= 0.0 && value < RESET_LIMIT;
    newTotal = resetRequested ? value : 0.0;
    decision.endWith(0);
}

void ResetTotal::cancel() {
    decision = {};
    resetRequested = false;
    decision.endWith(0);
}
