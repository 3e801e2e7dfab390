#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <memory>

#include "activities/activity_label.h"
#include "app/activity_menus_win.h"
#include "app/application_win.h"
#include "dialogs/dialogs_win.h"
#include "dialogs/link_opener_win.h"
#include "resources/resource.h"
#include "win32/window_procedure.h"

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return windowProcedure<Application>(window, message, wParam, lParam);
}

// Commands from the menus and the accelerator; the high word of wParam (1 for an accelerator)
// does not matter. Each is an event of the workday's, which saves what it changed at once. A
// dialog's loop may see the window closed and the run ended: what follows it then does nothing.
void Application::onCommand(HWND window, unsigned id) {
    // Time away the user has just ended is asked about first: the command may end the period
    // the answer would cut.
    if (day_.noticeReturn()) {
        askAboutTimeAway(window);
    }
    if (day_.ended()) {
        return;
    }
    if (isActivityCommand(id, day_.activities().count)) {
        day_.switchTo(static_cast<int>(id - ACTIVITY_COMMAND_BASE));
        showState(window);
        return;
    }
    Settings chosen = day_.settings();
    switch (id) {
        case CMD_EXIT:
            DestroyWindow(window);
            return;  // the window's end saves everything
        case CMD_ALWAYS_ON_TOP:
            day_.toggleTopMost();
            CheckMenuItem(counterMenu_, CMD_ALWAYS_ON_TOP,
                          MF_BYCOMMAND | (day_.settings().topMost ? MF_CHECKED : MF_UNCHECKED));
            SetWindowPos(window, day_.settings().topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0,
                         0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            break;
        case CMD_EDIT_RATE: {
            Rate rate = day_.rate();
            if (runEditRateDialog(programInstance_, window, dialogs_.editRate, rate)) {
                day_.rateChosen(rate);
            }
            break;
        }
        case CMD_RESET:
            runResetTotalDialog(programInstance_, window, dialogs_.resetTotal, day_.currentTotal(),
                                [this](double newTotal) { day_.resetTotal(newTotal); });
            break;
        case CMD_LOGGING:
            runLoggingDialog(programInstance_, window, dialogs_.logging, chosen);
            day_.loggingChosen(chosen.logging, chosen.logFile);
            break;
        case CMD_EDIT_ACTIVITIES:
            runActivitiesFileDialog(programInstance_, window, dialogs_.activitiesFile, chosen);
            day_.activitiesFileChosen(chosen.activitiesFile);
            break;
        case CMD_NEW_ACTIVITY:
            runNewActivityDialog(programInstance_, window, dialogs_.newActivity, chosen,
                                 [this](const char* name, bool paid) {
                                     if (day_.addActivity(name, paid)) {
                                         rebuildActivityMenus(day_.activities(), activitiesMenu_,
                                                              systemMenu_, day_.current());
                                     }
                                 });
            break;
        case CMD_SUMMARY:
            if (const std::unique_ptr<LedgerSummary> summary = day_.summary(firstDayOfWeek())) {
                runSummaryDialog(programInstance_, window, *summary, currencyCode(chosen.currency),
                                 currencySigns(), chosen);
                day_.ledgerKept(chosen.ledger);
            }
            break;
        case CMD_OPTIONS:
            if (runOptionsDialog(programInstance_, window, dialogs_.options, chosen.awayMinutes)) {
                day_.awayMinutesChosen(dialogs_.options.awayMinutes);
            }
            break;
        case CMD_ABOUT:
            runAboutDialog(programInstance_, window, [](const char* url) { openLink(url); });
            return;  // changes nothing
        case CMD_CURRENCY:
            if (runCurrencyDialog(programInstance_, window, dialogs_.currency, chosen) == 1 &&
                !day_.ended()) {
                day_.currencyChosen(chosen.currency, chosen.decimals, chosen.digitsBitmapFile);
                applyCurrency(window);
            }
            break;
        default:
            return;  // anything else is not ours
    }
    if (!day_.ended()) {
        showState(window);
    }
}

LRESULT Application::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            onCreate(window);
            return 0;
        case WM_SYSCOMMAND: {
            // The system menu's own additions arrive here; they act as the menu bar's do.
            const unsigned id = LOWORD(wParam);
            if (id == CMD_NEW_ACTIVITY || isActivityCommand(id, day_.activities().count)) {
                onCommand(window, id);
                return 0;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        }
        case WM_COMMAND:
            onCommand(window, LOWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            auto* request = reinterpret_cast<NMTTDISPINFOA*>(lParam);
            if (request->hdr.code == TTN_GETDISPINFOA) {
                lstrcpynA(request->szText, MeterTip::text(day_).text, sizeof request->szText);
            }
            return 0;
        }
        case WM_TIMER:
            if (wParam == CHECKPOINT_TIMER_ID) {
                day_.checkpoint();
                askAboutTimeAway(window);
            }
            return 0;
        case ASK_ABOUT_TIME_AWAY:
            askAboutTimeAway(window);
            return 0;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMSUSPEND) {
                day_.powerSuspended();
            } else if (wParam == PBT_APMRESUMESUSPEND || wParam == PBT_APMRESUMEAUTOMATIC) {
                day_.powerResumed();
                askLater(window);
            }
            return TRUE;
        case WM_DPICHANGED:
            changeDpi(window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_WINDOWPOSCHANGED: {
            // Minimised, restored, hidden or shown: the meter ticks only while it can be seen.
            const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
            WINDOWPLACEMENT shown{};
            shown.length = sizeof shown;
            if (GetWindowPlacement(window, &shown)) {
                Placement placement;
                static_assert(sizeof placement == sizeof shown, "laid out as WINDOWPLACEMENT");
                std::memcpy(&placement, &shown, sizeof placement);
                day_.placed(placement);
            }
            if (meter_) {
                meter_->schedule();
            }
            return result;
        }
        case WM_WTSSESSION_CHANGE:
            if (meter_) {
                meter_->sessionAway = wParam == WTS_SESSION_LOCK ||
                                      wParam == WTS_CONSOLE_DISCONNECT ||
                                      wParam == WTS_REMOTE_DISCONNECT;
                meter_->schedule();
            }
            if (wParam == WTS_SESSION_LOCK || wParam == WTS_SESSION_UNLOCK) {
                day_.sessionLocked(wParam == WTS_SESSION_LOCK);
                askLater(window);
            }
            return 0;
        case WM_CLOSE:
            if (day_.noticeReturn()) {
                askAboutTimeAway(window);
            }
            if (IsWindow(window)) {
                DestroyWindow(window);
            }
            return 0;
        case WM_EXITSIZEMOVE:
            day_.checkpoint();  // the placement the user chose
            return 0;
        case WM_DESTROY:
            tip_.detach();
            watchSession(window, false);
            KillTimer(window, CHECKPOINT_TIMER_ID);
            day_.exit();
            PostQuitMessage(0);
            return 0;
        case WM_ENDSESSION:
            // The window stays; Windows ends the process after this.
            if (wParam != FALSE) {
                day_.sessionEnds();
            }
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}
