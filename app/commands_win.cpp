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

void Application::carryOut(unsigned id) {
    HWND owner = window_.window();
    if (isActivityCommand(id, day_.activities().count)) {
        day_.switchTo(static_cast<int>(id - ACTIVITY_COMMAND_BASE));
        return;
    }
    Settings chosen = day_.settings();
    switch (id) {
        case CMD_EXIT:
            window_.close();  // the window's end saves everything
            return;
        case CMD_ALWAYS_ON_TOP:
            day_.toggleTopMost();
            window_.applyTopMost();
            return;
        case CMD_EDIT_RATE: {
            Rate rate = day_.rate();
            if (runEditRateDialog(programInstance_, owner, dialogs_.editRate, rate)) {
                day_.rateChosen(rate);
            }
            return;
        }
        case CMD_RESET:
            runResetTotalDialog(programInstance_, owner, dialogs_.resetTotal, day_.currentTotal(),
                                [this](double newTotal) { day_.resetTotal(newTotal); });
            return;
        case CMD_LOGGING:
            runLoggingDialog(programInstance_, owner, dialogs_.logging, chosen);
            day_.loggingChosen(chosen.logging, chosen.logFile);
            return;
        case CMD_EDIT_ACTIVITIES:
            runActivitiesFileDialog(programInstance_, owner, dialogs_.activitiesFile, chosen);
            day_.activitiesFileChosen(chosen.activitiesFile);
            return;
        case CMD_NEW_ACTIVITY:
            runNewActivityDialog(programInstance_, owner, dialogs_.newActivity, chosen,
                                 [this](const char* name, bool paid) {
                                     if (day_.addActivity(name, paid)) {
                                         window_.rebuildActivityMenus();
                                     }
                                 });
            return;
        case CMD_SUMMARY:
            if (const std::unique_ptr<LedgerSummary> summary = day_.summary(firstDayOfWeek())) {
                runSummaryDialog(programInstance_, owner, *summary, currencyCode(chosen.currency),
                                 currencySigns(), chosen);
                day_.ledgerKept(chosen.ledger);
            }
            return;
        case CMD_OPTIONS:
            if (runOptionsDialog(programInstance_, owner, dialogs_.options, chosen.awayMinutes)) {
                day_.awayMinutesChosen(dialogs_.options.awayMinutes);
            }
            return;
        case CMD_ABOUT:
            runAboutDialog(programInstance_, owner, [](const char* url) { openLink(url); });
            return;
        case CMD_CURRENCY:
            if (runCurrencyDialog(programInstance_, owner, dialogs_.currency, chosen) == 1 &&
                !day_.ended()) {
                day_.currencyChosen(chosen.currency, chosen.decimals, chosen.digitsBitmapFile);
                window_.applyCurrency();
            }
            return;
        default:
            return;  // anything else is not ours
    }
}
