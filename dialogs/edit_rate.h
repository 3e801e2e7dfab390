#pragma once

#include <array>
#include <cstddef>

#include "dialogs/dialog_decision.h"
#include "meter/rate.h"

// A numeric field's buffer: 31 characters and the terminator.
constexpr std::size_t RATE_TEXT_SIZE = 32;

// One of the five linked fields: its control, the figure it edits, how it is shown, and the
// recalculation that follows an accepted entry.
struct RateField {
    int id;
    double Rate::*figure;
    const char* format;
    double limit;
    RecalcMode mode;
};

// In the order in which every refresh writes them: hourly, daily, yearly, hours per day, days
// per year.
extern const std::array<RateField, 5> RATE_FIELDS;

// The Edit rate dialog's working values and reactions. Every field left is checked at once,
// stored into the working copy and the others recalculated, so the five always agree; OK makes
// the working copy the live rate.
struct EditRate {
    Rate workingRate;
    // The field whose text changed since the fields were last applied or refreshed; 0: none.
    int lastEditedId = 0;
    // The fields' texts, in the order of RATE_FIELDS: read from the controls before a reaction,
    // written back after one that decides writeFields.
    std::array<std::array<char, RATE_TEXT_SIZE>, 5> texts{};

    DialogDecision opened(const Rate& live);
    DialogDecision textChanged(int id);
    DialogDecision fieldLeft(int id);
    DialogDecision ok(Rate& live);
    DialogDecision cancel();

    // The text of a field by control id; null for an id that is not one of the five.
    char* text(int id);

  private:
    // Takes the field's text at single precision; true when the whole rate took it.
    bool apply(int id);
    // Shows the working rate in all five fields again.
    DialogDecision refresh();
};
