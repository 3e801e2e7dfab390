#pragma once

// The dialogs, each run modally on its template of `instance` and owned by `owner`. The working
// values live in the caller's DialogValues and are set afresh at every opening.

#include <windows.h>

#include <cstddef>

#include "base/callback.h"
#include "dialogs/dialog_values.h"
#include "activities/activities.h"
#include "activities/ledger_summary.h"
#include "meter/rate.h"
#include "settings/settings.h"

// Edit rate: OK makes the working copy `rate`, whose changed flag re-bases the meter once it is
// the live rate; true after OK.
bool runEditRateDialog(HINSTANCE instance, HWND owner, EditRate& working, Rate& rate);

// Reset total: shows `total`; OK with a usable number calls reset with the new total.
void runResetTotalDialog(HINSTANCE instance, HWND owner, ResetTotal& working, double total,
                         Callback<void(double)> reset);

// Currency: 1 when OK wrote the choice into settings (the meter must follow), 0 when cancelled.
int runCurrencyDialog(HINSTANCE instance, HWND owner, CurrencyChoice& working, Settings& settings);

// Logging: OK sets the log file and the switch in the settings.
void runLoggingDialog(HINSTANCE instance, HWND owner, FileChoice& working, Settings& settings);

// Activities file: OK sets only the setting; the list is read from it at the next start.
void runActivitiesFileDialog(HINSTANCE instance, HWND owner, FileChoice& working,
                             Settings& settings);

// New activity: OK appends the line to the activities file named in settings, then calls added
// with the name and the paid flag, for the list and the menus.
void runNewActivityDialog(HINSTANCE instance, HWND owner, NewActivity& working,
                          const Settings& settings,
                          Callback<void(const char* name, bool paid)> added);

// Summary: what the ledger holds, by period and by activity, the money of the currency `first`
// (a code) first in each cell. The "Keep a ledger" box switches the ledger in settings at once;
// "Open ledger" opens its file.
void runSummaryDialog(HINSTANCE instance, HWND owner, const LedgerSummary& summary,
                      const char* first, const CurrencySigns& signs, Settings& settings);

// About: the link buttons hand their URL to open, which is openLink in the program.
void runAboutDialog(HINSTANCE instance, HWND owner, Callback<void(const char*)> open);

// Time away: asks how the stretch of `question` should count; the activity picked (the first
// offered being `first`), or -1 for Keep.
int runTimeAwayDialog(HINSTANCE instance, HWND owner, const char* question,
                      const Activities& activities, int first);

// Options: true after OK, the working values then holding the minutes away asked about and the
// start at sign-in, whose shortcut OK has made or deleted already.
bool runOptionsDialog(HINSTANCE instance, HWND owner, OptionsChoice& working, int storedMinutes);
