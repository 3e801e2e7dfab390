#pragma once

// What a dialog's context-help button (or F1) shows: the help text of the control asked about,
// in a small popup beside it, gone at the next click or key.

#include <windows.h>

// Shows the help text of the control asked about in dialog `templateId` (string
// templateId * 1000 + control id, or 1000 + control id for one every dialog has). Controls
// without one, such as labels and frames, show nothing: false.
bool showContextHelp(HWND dialog, int templateId, const HELPINFO& request);

// The popup's window class, for finding it.
constexpr char HELP_POPUP_CLASS[] = "Cointrel.HelpPopup";
