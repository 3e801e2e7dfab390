#pragma once

#include <cstddef>

#include "dialogs/dialog_decision.h"
#include "settings/settings.h"

// The name field is read with a capacity of 79: at most 78 characters.
constexpr std::size_t NEW_ACTIVITY_NAME_SIZE = 80;
constexpr std::size_t NEW_ACTIVITY_READ_SIZE = 79;

// The New activity dialog: OK appends the activity's line to the activities file named at the
// opening, after which the caller adds it to the list and the menus.
struct NewActivity {
    enum class Outcome {
        Added,       // the line is written; `name` and `paid` are the activity
        NoName,      // nothing to add: the dialog stays open
        CannotOpen,  // the file cannot be opened: the user is told, the dialog stays open
    };

    char newActivityFile[SETTINGS_TEXT_SIZE] = "";
    char name[NEW_ACTIVITY_NAME_SIZE] = "";  // field 110
    bool paid = true;
    Outcome outcome = Outcome::NoName;  // of the last OK

    DialogDecision opened(const char* activitiesFile);
    DialogDecision ok(bool unpaidChecked);
    DialogDecision cancel();
};

// What the user is told when the activities file cannot be opened.
extern const char* const NEW_ACTIVITY_OPEN_FAILED_TEXT;
extern const char* const NEW_ACTIVITY_OPEN_FAILED_CAPTION;
