#pragma once

// The dialogs, each run modally on its template of `instance` and owned by `owner`. Each takes
// what it shows as it opens, works on values of its own, and gives back what the user accepted:
// nothing when the dialog was cancelled (Cancel, Escape or the close box).

#include <windows.h>

#include <memory>
#include <optional>

#include "activities/activities.h"
#include "activities/ledger_summary.h"
#include "base/callback.h"
#include "dialogs/new_activity.h"
#include "dialogs/options.h"
#include "meter/rate.h"
#include "settings/settings.h"

// Edit rate: the rate accepted.
std::optional<Rate> runEditRateDialog(HINSTANCE instance, HWND owner, const Rate& rate);

// Reset total, showing `total`: the new total, a number of the range accepted.
std::optional<double> runResetTotalDialog(HINSTANCE instance, HWND owner, double total);

// Currency: the look chosen, for the meter to follow.
struct CurrencyLook {
    int currency;
    int decimals;
    char digitsBitmapFile[SETTINGS_TEXT_SIZE];
};
std::optional<CurrencyLook> runCurrencyDialog(HINSTANCE instance, HWND owner,
                                              const Settings& settings);

// Logging: the switch and the log file.
struct LoggingChoice {
    bool logging;
    char logFile[SETTINGS_TEXT_SIZE];
};
std::optional<LoggingChoice> runLoggingDialog(HINSTANCE instance, HWND owner,
                                              const Settings& settings);

// Activities file: the file the list is read from at the next start.
struct FileName {
    char name[SETTINGS_TEXT_SIZE];
};
std::optional<FileName> runActivitiesFileDialog(HINSTANCE instance, HWND owner,
                                                const Settings& settings);

// New activity: the activity whose line OK appended to the activities file named in settings,
// for the list and the menus.
struct AddedActivity {
    char name[NEW_ACTIVITY_NAME_SIZE];
    bool paid;
};
std::optional<AddedActivity> runNewActivityDialog(HINSTANCE instance, HWND owner,
                                                  const Settings& settings);

// What the Summary shows: the sums, the money of the currency `first` (a code) first in each
// cell with the currencies' signs and the locale's way of writing amounts, and the sums of any one
// day, for a bar picked in its chart (null when memory runs out).
struct SummaryView {
    const LedgerSummary& summary;
    const char* first;
    const CurrencySigns& signs;
    NumberStyle style;
    Callback<std::unique_ptr<LedgerSummary>(std::int64_t day)> dayOf;
};
// Summary: what the ledger holds, by period and by activity, and the chart of the last days.
// "Open ledger" opens its file; the "Keep a ledger" box gives back the switch, when it was
// changed.
std::optional<bool> runSummaryDialog(HINSTANCE instance, HWND owner, const SummaryView& view,
                                     const Settings& settings);

// About: the link buttons hand their URL to open, which is openLink in the program.
void runAboutDialog(HINSTANCE instance, HWND owner, Callback<void(const char*)> open);

// Time away: how the stretch of `question` counts: the activity picked (the first offered being
// `first`); nothing for Keep, which `keep` says what it does.
std::optional<int> runTimeAwayDialog(HINSTANCE instance, HWND owner, const char* question,
                                     const char* keep, const Activities& activities, int first);

// Options: the minutes away asked about and the notification area's icon, shown from `stored`.
// The start at sign-in is set up, or no longer, by OK itself.
std::optional<OptionsValues> runOptionsDialog(HINSTANCE instance, HWND owner,
                                              const OptionsValues& stored);
