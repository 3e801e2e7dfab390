#pragma once

// The dialogs, each run modally on its template of `instance` and owned by `owner`. The working
// values live in the caller's DialogValues and are set afresh at every opening.

#include <windows.h>

#include <functional>

#include "dialogs/dialog_values.h"
#include "meter/rate.h"
#include "settings/settings.h"

// Edit rate: OK makes the working copy the live rate, whose changed flag re-bases the meter.
void runEditRateDialog(HINSTANCE instance, HWND owner, EditRate& working, Rate& live);

// Reset total: shows `total`; OK with a usable number calls reset with the new total.
void runResetTotalDialog(HINSTANCE instance, HWND owner, ResetTotal& working, double total,
                         const std::function<void(double)>& reset);

// Currency: 1 when OK wrote the choice into settings (the meter must follow), 0 when cancelled.
int runCurrencyDialog(HINSTANCE instance, HWND owner, CurrencyChoice& working, Settings& settings);

// Carries out the parts of a decision that every dialog shares: the check states, then the end.
void carryOut(HWND dialog, const DialogDecision& decision);
