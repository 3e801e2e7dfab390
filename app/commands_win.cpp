// The commands of the menus, the accelerators and the system menu: each an event of the
// workday's, which saves what it changed at once.

#include <memory>

#include "activities/activity_label.h"
#include "app/application_win.h"
#include "dialogs/dialogs_win.h"
#include "dialogs/link_opener_win.h"
#include "meter/currency.h"
#include "resources/resource.h"

void Application::command(unsigned id) {
    // Time away the user has just ended is asked about first: the command may end the period
    // the answer would cut.
    if (day_.noticeReturn()) {
        askAboutTimeAway();
    }
    // A dialog's loop may see the window closed and the run ended: nothing follows it then.
    if (!day_.ended()) {
        carryOut(id);
    }
    if (!day_.ended()) {
        window_.showState();
    }
}

// Each dialog gives back what the user accepted, which goes to the workday as its event;
// nothing, when it was cancelled.
void Application::carryOut(unsigned id) {
    HWND owner = window_.window();
    if (isActivityCommand(id, day_.activities().count)) {
        day_.switchTo(static_cast<int>(id - ACTIVITY_COMMAND_BASE));
        return;
    }
    const Settings& settings = day_.settings();
    switch (id) {
        case CMD_EXIT:
            window_.close();  // the window's end saves everything
            return;
        case CMD_ALWAYS_ON_TOP:
            day_.toggleTopMost();
            window_.applyTopMost();
            return;
        case CMD_EDIT_RATE:
            if (const auto rate = runEditRateDialog(programInstance_, owner, day_.rate())) {
                day_.rateChosen(*rate);
            }
            return;
        case CMD_RESET:
            if (const auto total =
                    runResetTotalDialog(programInstance_, owner, day_.currentTotal())) {
                day_.resetTotal(*total);
            }
            return;
        case CMD_LOGGING:
            if (const auto logging = runLoggingDialog(programInstance_, owner, settings)) {
                day_.loggingChosen(logging->logging, logging->logFile);
            }
            return;
        case CMD_EDIT_ACTIVITIES:
            if (const auto file = runActivitiesFileDialog(programInstance_, owner, settings)) {
                day_.activitiesFileChosen(file->name);
            }
            return;
        case CMD_NEW_ACTIVITY:
            if (const auto added = runNewActivityDialog(programInstance_, owner, settings)) {
                if (day_.addActivity(added->name, added->paid)) {
                    window_.rebuildActivityMenus();
                }
            }
            return;
        case CMD_SUMMARY:
            if (const std::unique_ptr<LedgerSummary> summary = day_.summary(firstDayOfWeek())) {
                const auto dayOf = [this](std::int64_t day) {
                    return day_.summary(firstDayOfWeek(), day);
                };
                const SummaryView view{*summary, currencyCode(settings.currency), currencySigns(),
                                       localeNumberStyle(), dayOf};
                if (const auto keep = runSummaryDialog(programInstance_, owner, view, settings)) {
                    day_.ledgerKept(*keep);
                }
            }
            return;
        case CMD_OPTIONS:
            if (const auto options =
                    runOptionsDialog(programInstance_, owner,
                                     {settings.awayMinutes, settings.notificationIcon,
                                      settings.hideWhenMinimised})) {
                day_.optionsChosen(options->awayMinutes, options->notificationIcon,
                                   options->hideWhenMinimised);
                window_.applyNotificationIcon();
            }
            return;
        case CMD_ABOUT:
            runAboutDialog(programInstance_, owner, [](const char* url) { openLink(url); });
            return;
        case CMD_CURRENCY:
            if (const auto look = runCurrencyDialog(programInstance_, owner, settings)) {
                day_.currencyChosen(look->currency, look->decimals, look->digitsBitmapFile);
                window_.applyCurrency();
            }
            return;
        default:
            return;  // anything else is not ours
    }
}
