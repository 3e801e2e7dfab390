#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "app/application_win.h"
#include "activities/activity_label.h"
#include "app/main_window.h"
#include "dialogs/dialogs_win.h"
#include "dialogs/link_opener_win.h"
#include "resources/resource.h"
#include "win32/window_procedure.h"

namespace {

// Commands from the menus and the accelerator; the high word of wParam (1 for an accelerator)
// does not matter. Whatever a command changed is saved at once.
void onCommand(Application& app, HWND window, unsigned id) {
    if (isActivityCommand(id, app.activities->count)) {
        app.switchActivity(window, static_cast<int>(id - ACTIVITY_COMMAND_BASE));
        app.checkpoint(window);
        return;
    }
    switch (id) {
        case CMD_EXIT:
            DestroyWindow(window);
            return;  // the window's end saves everything
        case CMD_ALWAYS_ON_TOP:
            app.toggleTopMost(window);
            break;
        case CMD_EDIT_RATE:
            runEditRateDialog(app.programInstance, window, app.dialogs.editRate, app.rate);
            break;
        case CMD_RESET:
            runResetTotalDialog(app.programInstance, window, app.dialogs.resetTotal,
                                app.currentTotal(),
                                [&app](double newTotal) { app.resetTotal(newTotal); });
            break;
        case CMD_LOGGING: {
            const bool wasLogging = app.meter->loggingEnabled;
            char oldFile[sizeof app.meter->logFileName];
            copyText(oldFile, app.meter->logFileName);
            runLoggingDialog(app.programInstance, window, app.dialogs.logging, app.settings,
                             *app.meter);
            if (!app.ended) {
                app.handOverLog(wasLogging, oldFile);
            }
            break;
        }
        case CMD_EDIT_ACTIVITIES:
            runActivitiesFileDialog(app.programInstance, window, app.dialogs.activitiesFile,
                                    app.settings);
            break;
        case CMD_NEW_ACTIVITY:
            runNewActivityDialog(
                app.programInstance, window, app.dialogs.newActivity, app.settings,
                [&app](const char* name, bool paid) { app.addActivity(name, paid); });
            break;
        case CMD_SUMMARY:
            if (const std::unique_ptr<LedgerSummary> summary = app.summary()) {
                runSummaryDialog(app.programInstance, window, *summary, app.meter->currencySign,
                                 app.settings);
            }
            break;
        case CMD_ABOUT:
            runAboutDialog(app.programInstance, window, [](const char* url) { openLink(url); });
            return;  // changes nothing
        case CMD_CURRENCY:
            if (runCurrencyDialog(app.programInstance, window, app.dialogs.currency,
                                  app.settings) == 1 &&
                !app.ended) {
                app.applyCurrency(window);
            }
            break;
        default:
            return;  // anything else is not ours
    }
    // A dialog's loop may have seen the window closed and everything saved: then this does not.
    app.checkpoint(window);
}

}  // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return windowProcedure<Application>(window, message, wParam, lParam);
}

LRESULT Application::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            buildMenus(window);
            return 0;
        case WM_SYSCOMMAND: {
            // The system menu's own additions arrive here; they act as the menu bar's do.
            const unsigned id = LOWORD(wParam);
            if (id == CMD_NEW_ACTIVITY || isActivityCommand(id, activities->count)) {
                onCommand(*this, window, id);
                return 0;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        }
        case WM_COMMAND:
            onCommand(*this, window, LOWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            auto* request = reinterpret_cast<NMTTDISPINFOA*>(lParam);
            if (request->hdr.code == TTN_GETDISPINFOA) {
                lstrcpynA(request->szText, todayText().text, sizeof request->szText);
            }
            return 0;
        }
        case WM_TIMER:
            if (wParam == CHECKPOINT_TIMER_ID) {
                checkpointDue(window);
            }
            return 0;
        case WM_DPICHANGED:
            changeDpi(window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_WINDOWPOSCHANGED: {
            // Minimised, restored, hidden or shown: the meter ticks only while it can be seen.
            const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
            if (meter) {
                meter->schedule();
            }
            return result;
        }
        case WM_WTSSESSION_CHANGE:
            if (meter) {
                meter->sessionAway = wParam == WTS_SESSION_LOCK ||
                                     wParam == WTS_CONSOLE_DISCONNECT ||
                                     wParam == WTS_REMOTE_DISCONNECT;
                meter->schedule();
            }
            return 0;
        case WM_EXITSIZEMOVE:
            checkpoint(window);  // the placement the user chose
            return 0;
        case WM_DESTROY:
            detachTip();
            unwatchSession(window);
            finishAndSave(window);
            ended = true;
            PostQuitMessage(0);
            return 0;
        case WM_ENDSESSION:
            // The window stays; Windows ends the process after this.
            if (wParam != FALSE) {
                finishAndSave(window);
            }
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}
