#pragma once

// The Options dialog: the minutes away that are asked about (a check box and a number from 1 to
// 720), the start at sign-in, and the icon in the notification area, on working values; OK ends
// with 1 once the number is one.

#include <cstddef>

#include "dialogs/dialog_decision.h"

constexpr std::size_t OPTIONS_MINUTES_SIZE = 8;  // the field's text, read whole

// What OK accepted. The minutes are negative while the question is switched off, so that the
// number comes back when it is switched on again.
struct OptionsValues {
    int awayMinutes = 15;
    bool notificationIcon = true;
    bool hideWhenMinimised = false;
};

struct OptionsChoice {
    char minutes[OPTIONS_MINUTES_SIZE] = "";  // field 102
    char unit[8] = "minutes";                 // after it: "minute" for 1
    char refusal[64] = "";                    // why a number was refused; empty otherwise
    OptionsValues values;
    bool startAtSignIn = false;

    // Opens on the stored values (the question off: the box cleared, the field at the number
    // kept, or the default) and on whether the start at sign-in is set up.
    DialogDecision opened(const OptionsValues& stored, bool startsAtSignIn);
    // The field's text changed: the unit follows the number.
    DialogDecision minutesChanged();
    // A number outside 1 to 720 keeps the dialog open, the field showing the last good one and
    // the reason beside it.
    DialogDecision ok(bool askChecked, bool startChecked, bool iconChecked, bool hideChecked);
    DialogDecision cancel();

  private:
    int shown_ = 15;
};

// What the user is told of a number refused, and when the Startup folder's shortcut cannot be
// made or deleted.
extern const char* const OPTIONS_MINUTES_REFUSED_TEXT;
extern const char* const OPTIONS_SHORTCUT_FAILED_TEXT;
