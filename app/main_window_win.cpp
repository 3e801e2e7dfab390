#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "app/application_win.h"
#include "activities/activity_label.h"
#include "app/main_window.h"
#include "dialogs/dialogs_win.h"
#include "dialogs/link_opener_win.h"
#include "resources/resource.h"

namespace {

Application* applicationOf(HWND window) {
    return reinterpret_cast<Application*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

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
    Application* app = applicationOf(window);
    if (app == nullptr && message != WM_NCCREATE) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_NCCREATE: {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            return DefWindowProcA(window, message, wParam, lParam);
        }
        case WM_CREATE:
            app->buildMenus(window);
            return 0;
        case WM_SYSCOMMAND: {
            // The system menu's own additions arrive here; they act as the menu bar's do.
            const unsigned id = LOWORD(wParam);
            if (id == CMD_NEW_ACTIVITY || isActivityCommand(id, app->activities->count)) {
                onCommand(*app, window, id);
                return 0;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        }
        case WM_COMMAND:
            onCommand(*app, window, LOWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            auto* request = reinterpret_cast<NMTTDISPINFOA*>(lParam);
            if (request->hdr.code == TTN_GETDISPINFOA) {
                lstrcpynA(request->szText, app->todayText().text, sizeof request->szText);
            }
            return 0;
        }
        case WM_TIMER:
            if (wParam == CHECKPOINT_TIMER_ID) {
                app->checkpointDue(window);
            }
            return 0;
        case WM_DPICHANGED:
            app->changeDpi(window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_WINDOWPOSCHANGED: {
            // Minimised, restored, hidden or shown: the meter ticks only while it can be seen.
            const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
            if (app->meter) {
                app->meter->schedule();
            }
            return result;
        }
        case WM_WTSSESSION_CHANGE:
            if (app->meter) {
                app->meter->sessionAway = wParam == WTS_SESSION_LOCK ||
                                          wParam == WTS_CONSOLE_DISCONNECT ||
                                          wParam == WTS_REMOTE_DISCONNECT;
                app->meter->schedule();
            }
            return 0;
        case WM_EXITSIZEMOVE:
            app->checkpoint(window);  // the placement the user chose
            return 0;
        case WM_DESTROY:
            app->detachTip();
            app->unwatchSession(window);
            app->finishAndSave(window);
            app->ended = true;
            PostQuitMessage(0);
            return 0;
        case WM_ENDSESSION:
            // The window stays; Windows ends the process after this.
            if (wParam != FALSE) {
                app->finishAndSave(window);
            }
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            return DefWindowProcA(window, message, wParam, lParam);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}
