#include "app/main_window_win.h"

#include <commctrl.h>

#include <cstring>

#include "activities/activity_label.h"
#include "app/activity_menus_win.h"
#include "app/main_window_rules.h"
#include "resources/resource.h"
#include "win32/dpi.h"
#include "win32/system_library.h"
#include "win32/timer.h"

const char MAIN_CLASS_NAME[] = "Cointrel";

namespace {

constexpr DWORD MAIN_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

UINT taskbarCreated() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, Workday& day, Ticks& ticks, MainWindowEvents& events)
    : instance_(instance), day_(day), ticks_(ticks), events_(events) {}

bool MainWindow::create() {
    WNDCLASSEXA wc = windowClass(instance_, MAIN_CLASS_NAME, procedure, CS_HREDRAW | CS_VREDRAW);
    wc.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_COINTREL));
    // The icon's own 16-pixel image in full colour, rather than the 32-pixel one shrunk.
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(IDI_COINTREL),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INACTIVEBORDER + 1);
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
    if (!registerWindowClass(wc) ||
        CreateWindowExA(day_.settings().topMost ? WS_EX_TOPMOST : 0, MAIN_CLASS_NAME, "Cointrel",
                        MAIN_STYLE, CW_USEDEFAULT, CW_USEDEFAULT, 450, 120, nullptr, nullptr,
                        instance_, this) == nullptr) {
        return false;
    }
    dpi_ = windowDpi(window());
    KettPanelArgs meter;
    meter.instance = instance_;
    meter.parent = window();
    meter.shown = &day_.meter();
    meter.ticks = &ticks_;
    meter.look = currencyLook();
    meter_.reset(new (std::nothrow) KettPanel(meter));
    if (!meter_) {
        DeleteObject(meter.look.strip);
        DestroyWindow(window());
        return false;
    }
    meter_->createWindow();
    return true;
}

void MainWindow::close() {
    DestroyWindow(window());
}

void MainWindow::onCreate() {
    HMENU bar = GetMenu(window());
    counterMenu_ = GetSubMenu(bar, 0);
    activitiesMenu_ = GetSubMenu(bar, 1);
    systemMenu_ = GetSystemMenu(window(), FALSE);
    AppendMenuA(systemMenu_, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu_, MF_STRING, CMD_NEW_ACTIVITY, "New &activity...");
    AppendMenuA(systemMenu_, MF_SEPARATOR, 0, nullptr);
    // Neither menu has activity items yet, so this only adds them and checks the current one.
    checkedActivity_ = day_.current();
    ::rebuildActivityMenus(day_.activities(), activitiesMenu_, systemMenu_, checkedActivity_);
    CheckMenuItem(counterMenu_, CMD_ALWAYS_ON_TOP,
                  MF_BYCOMMAND | (day_.settings().topMost ? MF_CHECKED : MF_UNCHECKED));
}

void MainWindow::showState() {
    SetWindowTextA(window(),
                   windowTitle(day_.current() >= 0 ? day_.currentActivityName() : nullptr).text);
    if (checkedActivity_ != day_.current()) {
        for (HMENU menu : {activitiesMenu_, systemMenu_}) {
            if (checkedActivity_ >= 0) {
                CheckMenuItem(menu, ACTIVITY_COMMAND_BASE + static_cast<UINT>(checkedActivity_),
                              MF_BYCOMMAND | MF_UNCHECKED);
            }
            CheckMenuItem(menu, ACTIVITY_COMMAND_BASE + static_cast<UINT>(day_.current()),
                          MF_BYCOMMAND | MF_CHECKED);
        }
        checkedActivity_ = day_.current();
    }
    if (const unsigned period = day_.checkpointPeriodMs()) {
        setCoalescedTimer(window(), CHECKPOINT_TIMER_ID, period);
    } else {
        KillTimer(window(), CHECKPOINT_TIMER_ID);
    }
}

void MainWindow::rebuildActivityMenus() {
    ::rebuildActivityMenus(day_.activities(), activitiesMenu_, systemMenu_, day_.current());
}

void MainWindow::applyTopMost() {
    const bool topMost = day_.settings().topMost;
    CheckMenuItem(counterMenu_, CMD_ALWAYS_ON_TOP,
                  MF_BYCOMMAND | (topMost ? MF_CHECKED : MF_UNCHECKED));
    SetWindowPos(window(), topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::askLater() {
    // Posted, not asked here: a notification the system sends waits for its answer.
    AwayQuestion question{};
    if (day_.awayQuestion(question)) {
        PostMessageA(window(), ASK_ABOUT_TIME_AWAY, 0, 0);
    }
}

void MainWindow::watchSession(bool watch) {
    // Asked of wtsapi32, loaded when first needed (Windows lists it among the libraries of every
    // program that links it, whether it asks or not).
    if (watch) {
        using Register = BOOL WINAPI(HWND, DWORD);
        if (auto* on = systemFunction<Register>("wtsapi32.dll", "WTSRegisterSessionNotification")) {
            on(window(), 0);  // NOTIFY_FOR_THIS_SESSION
        }
    } else {
        using Unregister = BOOL WINAPI(HWND);
        if (auto* off =
                systemFunction<Unregister>("wtsapi32.dll", "WTSUnRegisterSessionNotification")) {
            off(window());
        }
    }
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            onCreate();
            return 0;
        case WM_SYSCOMMAND: {
            // The system menu's own additions arrive here; they act as the menu bar's do.
            const unsigned id = LOWORD(wParam);
            if (id == CMD_NEW_ACTIVITY || isActivityCommand(id, day_.activities().count)) {
                events_.command(id);
                return 0;
            }
            return passOn(message, wParam, lParam);
        }
        case WM_COMMAND:
            // The high word (1 for an accelerator) does not matter.
            events_.command(LOWORD(wParam));
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
                events_.checkpointDue();
            }
            return 0;
        case ASK_ABOUT_TIME_AWAY:
            events_.questionDue();
            return 0;
        case WM_POWERBROADCAST:
            events_.powerChanged(wParam);
            return TRUE;
        case WM_DPICHANGED:
            changeDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_WINDOWPOSCHANGED: {
            const LRESULT result = passOn(message, wParam, lParam);
            onPlaced();
            return result;
        }
        case WM_WTSSESSION_CHANGE:
            if (meter_) {
                meter_->setSessionAway(wParam == WTS_SESSION_LOCK ||
                                       wParam == WTS_CONSOLE_DISCONNECT ||
                                       wParam == WTS_REMOTE_DISCONNECT);
            }
            events_.sessionChanged(wParam);
            return 0;
        case WM_CLOSE:
            events_.closeAsked();
            return 0;
        case WM_EXITSIZEMOVE:
            events_.moveEnded();
            return 0;
        case NOTIFICATION_ICON_MESSAGE:
            onIconEvent(wParam, lParam);
            return 0;
        case WM_SIZE:
            // Minimised, and hidden behind the icon when so chosen: off the taskbar.
            if (wParam == SIZE_MINIMIZED && day_.settings().hideWhenMinimised && icon_.shown()) {
                ShowWindow(window(), SW_HIDE);
            }
            return passOn(message, wParam, lParam);
        case WM_DESTROY:
            tip_.detach();
            watchSession(false);
            KillTimer(window(), CHECKPOINT_TIMER_ID);
            events_.destroyed();
            // Last: everything is saved by now, however long the shell takes to let go of it.
            icon_.hide();
            return 0;
        case WM_ENDSESSION:
            // The window stays; Windows ends the process after this.
            if (wParam != FALSE) {
                events_.sessionEnds();
            }
            return 0;
        default:
            if (message == taskbarCreated()) {
                applyNotificationIcon();  // Explorer started again, and forgot the icon
                return 0;
            }
            return passOn(message, wParam, lParam);
    }
}
