#pragma once

// The Options dialog: the minutes away that are asked about (a check box and a number from 1 to
// 720), and the start at sign-in, on working values; OK ends with 1 once the number is one.

#include <cstddef>

#include "dialogs/dialog_decision.h"

constexpr std::size_t OPTIONS_MINUTES_SIZE = 8;  // the field's text, read whole

struct OptionsChoice {
    char minutes[OPTIONS_MINUTES_SIZE] = "";  // field 102
    int awayMinutes = 15;                     // 0: never asked
    bool startAtSignIn = false;

    // Opens on the stored minutes (never: the box cleared, the field at the default) and on
    // whether the start at sign-in is set up.
    DialogDecision opened(int storedMinutes, bool startsAtSignIn);
    // A number outside 1 to 720 keeps the dialog open, the field showing the last good one.
    DialogDecision ok(bool askChecked, bool startChecked);
    DialogDecision cancel();

  private:
    int shown_ = 15;
};

// What the user is told when the Startup folder's shortcut cannot be made or deleted.
extern const char* const OPTIONS_SHORTCUT_FAILED_TEXT;
