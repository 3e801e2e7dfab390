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
    DialogDecision decision;

    void opened(const char* fileName);
    // The Logging dialog also shows the switch.
    void opened(const char* fileName, bool loggingEnabled);
    void browseClicked();
    void filePicked(const char* path);
    void openClicked();  // View or Edit
    // Stores the name shown into the setting.
    void ok(char (&fileName)[SETTINGS_TEXT_SIZE]);
    void cancel();

    // The Logging dialog's OK: the setting, and the meter's own copy and switch, from which the
    // next record on is written.
    template <std::size_t N>
    void okLogging(char (&logFile)[SETTINGS_TEXT_SIZE], char (&meterLogFileName)[N],
                   bool& loggingEnabled, bool boxChecked) {
        ok(logFile);
        copyText(meterLogFileName, logFile);
        loggingEnabled = boxChecked;
    }
};
