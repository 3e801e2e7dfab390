#pragma once

#include <windows.h>

#include "base/text_buffer.h"
#include "settings/settings.h"

extern const char SETTINGS_KEY[];  // under HKEY_CURRENT_USER

// Loads from the per-user settings key; all defaults when it cannot be opened. (Tests name a
// key of their own.)
void loadSettings(Settings& settings, Rate& rate, const char* keyPath = SETTINGS_KEY);

// Saves every value, with the run's total and logging switch and the main window's placement
// (which is also kept in settings; a window that is gone keeps the one last read), and the period
// still open (null: none, it is finished).
// Nothing is saved when the key cannot be opened or created.
void saveSettings(HWND mainWindow, Settings& settings, const Rate& rate, double total,
                  bool loggingEnabled, const OpenPeriod* open, const char* keyPath = SETTINGS_KEY);

// The open period alone, as a period starts; or only its checkpoint's time, while it stands.
void saveOpenPeriod(const OpenPeriod& open, const char* keyPath = SETTINGS_KEY);
void saveCheckpointTime(std::int64_t checkpoint, const char* keyPath = SETTINGS_KEY);

// The ledger's rows still waiting for its file ("LedgerPending"): kept in the key so that a
// crash or an exit does not lose them, and taken out (empty rows) once written.
void saveLedgerPending(const TextBuffer& rows, const char* keyPath = SETTINGS_KEY);
void loadLedgerPending(TextBuffer& rows, const char* keyPath = SETTINGS_KEY);

// The period a run left open in the key, when there is one to close (see OpenPeriod).
bool loadOpenPeriod(std::int64_t now, OpenPeriod& open, const char* keyPath = SETTINGS_KEY);
