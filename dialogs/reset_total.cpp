#include "dialogs/reset_total.h"

#include <cstdio>
#include <cstdlib>

#include "meter/single_precision.h"

namespace {

DialogDecision showText() {
    DialogDecision decision;
    decision.writeFields = true;
    return decision;
}

}  // namespace

DialogDecision ResetTotal::opened(double total) {
    resetRequested = false;
    std::snprintf(text, sizeof text, "%.2f", total);
    return showText();
}

DialogDecision ResetTotal::zero() {
    std::snprintf(text, sizeof text, "0.00");
    return showText();
}

DialogDecision ResetTotal::ok() {
    text[RESET_READ_SIZE - 1] = '\0';
    // "%f" scanning: blanks, then the longest number. Text without one yields nothing at all.
    char* end = nullptr;
    const double scanned = std::strtod(text, &end);
    const double value = roundToSingle(scanned);
    resetRequested = end != text && value >= 0.0 && value < RESET_LIMIT;
    newTotal = resetRequested ? value : 0.0;
    return DialogDecision::ending(0);
}

DialogDecision ResetTotal::cancel() {
    resetRequested = false;
    return DialogDecision::ending(0);
}
