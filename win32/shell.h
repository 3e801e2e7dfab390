#pragma once

// The shell and the common dialogs, loaded when first used rather than at start-up: they and
// the COM libraries they pull in would more than double the memory of a program that mostly
// just counts.

#include <windows.h>

#include <commdlg.h>

// ShellExecuteA with the "open" verb, no parameters and no folder; its result (above 32 for
// success; 0 when the shell cannot be loaded).
INT_PTR shellOpen(HWND owner, const char* file, int show);

// GetOpenFileNameA; FALSE when the common dialogs cannot be loaded.
BOOL getOpenFileName(OPENFILENAMEA* request);

// The shortcut in the user's Startup folder that starts this program at sign-in, in the folder
// that is current now (where its activities file, log and ledger are): whether it is there; and
// making it, or deleting it, false when that cannot be done.
bool startupShortcutExists();
bool setStartupShortcut(bool wanted);
