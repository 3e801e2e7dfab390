#pragma once

#include <cstddef>

#include "dialogs/dialog_decision.h"
#include "settings/settings.h"

// The Logging and Activities-file dialogs: one layout, a read-only file name that only Browse
// changes, and a button that opens the file in the desktop's application for it.
struct FileChoice {
    // Where Browse starts and what View or Edit opens; replaced by Browse, set at every opening.
    char browseFileName[SETTINGS_TEXT_SIZE] = "";
    // Field 102, read back whole at OK: a name cut by one character would name another file.
    char field[SETTINGS_TEXT_SIZE] = "";

    DialogDecision opened(const char* fileName);
    // The Logging dialog also shows the switch.
    DialogDecision opened(const char* fileName, bool loggingEnabled);
    DialogDecision browseClicked();
    DialogDecision filePicked(const char* path);
    DialogDecision openClicked();  // View or Edit
    // Stores the name shown into the setting.
    DialogDecision ok(char (&fileName)[SETTINGS_TEXT_SIZE]);
    DialogDecision cancel();

    // The Logging dialog's OK: the log file shown and the switch, into the settings.
    DialogDecision okLogging(Settings& settings, bool boxChecked);
};
