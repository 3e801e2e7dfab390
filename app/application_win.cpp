#include "app/application_win.h"

#include "app/activity_menus_win.h"
#include "app/main_window.h"
#include "meter/currency.h"
#include "meter/digits_bitmap_win.h"
#include "resources/resource.h"
#include "win32/dpi.h"
#include "win32/system_library.h"
#include "win32/timer.h"

const char MAIN_CLASS_NAME[] = "Cointrel";

namespace {

constexpr DWORD MAIN_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

void registerMainClass(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_COINTREL));
    // The icon's own 16-pixel image in full colour, rather than the 32-pixel one shrunk.
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_COINTREL), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INACTIVEBORDER + 1);
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
    wc.lpszClassName = MAIN_CLASS_NAME;
    RegisterClassExA(&wc);  // fails harmlessly when already registered in this process
}

// The saved top-left corner, moved the least distance that puts the window, at its size now,
// wholly inside the work area of the monitor it is most on (or the nearest, when that is gone):
// a window saved in a corner at 100 % comes back larger at 200 %.
POINT visibleCorner(const Placement& placement, SIZE size) {
    RECT saved{placement.normalLeft, placement.normalTop, placement.normalLeft + size.cx,
               placement.normalTop + size.cy};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&saved, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return {saved.left, saved.top};
    }
    const RECT& w = monitor.rcWork;
    const Rect moved = moveOnto({saved.left, saved.top, saved.right, saved.bottom},
                                {w.left, w.top, w.right, w.bottom});
    return {moved.left, moved.top};
}

}  // namespace

std::int64_t SystemClock::localOf(std::int64_t utc) {
    // By the time zone's rules for that date, whatever the summer time is now.
    const auto value = static_cast<std::uint64_t>(utc);
    const FILETIME given{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
    SYSTEMTIME universal{}, local{};
    FILETIME out{};
    if (!FileTimeToSystemTime(&given, &universal) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local) ||
        !SystemTimeToFileTime(&local, &out)) {
        return utc;
    }
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(out.dwHighDateTime) << 32 |
                                     out.dwLowDateTime);
}

void WholePaths::wholePath(const char* name, char* out, std::size_t size) {
    const DWORD length = GetFullPathNameA(name, static_cast<DWORD>(size), out, nullptr);
    if (length == 0 || length >= size) {
        lstrcpynA(out, name, static_cast<int>(size));
    }
}

Application::Application(HINSTANCE instance, const char* settingsKey)
    : programInstance_(instance),
      store_(settingsKey),
      day_(WorkdayServices{clock_, store_, log_, ledgerFile_, names_}) {}

HWND Application::start(int showCommand) {
    registerMainClass(programInstance_);
    if (!day_.load()) {
        return nullptr;
    }
    const Settings& settings = day_.settings();
    HWND window = CreateWindowExA(settings.topMost ? WS_EX_TOPMOST : 0, MAIN_CLASS_NAME, "Cointrel",
                                  MAIN_STYLE, CW_USEDEFAULT, CW_USEDEFAULT, 450, 120, nullptr,
                                  nullptr, programInstance_, this);
    if (window == nullptr) {
        return nullptr;
    }
    dpi_ = windowDpi(window);
    const MeterLook look = currencyLook();
    meter_.reset(new (std::nothrow)
                     KettPanel(day_.meter(), window, 0, 0, 8, true, look.strip, programInstance_));
    if (!meter_) {
        DeleteObject(look.strip);
        DestroyWindow(window);
        return nullptr;
    }
    meter_->setLook(look);
    meter_->createWindow();
    // A question a crashed run left open is answered before its period is closed.
    askAboutTimeAway(window);
    if (day_.ended()) {
        return nullptr;  // closed meanwhile
    }
    day_.begin();
    if (meter_->window != nullptr) {
        ShowWindow(meter_->window, SW_SHOWNORMAL);
    }
    showState(window);
    // Measured at the creation size, where the menu bar fits on one line.
    measureFrameInsets(window);
    if (settings.placement.length != 0) {
        const POINT corner = visibleCorner(settings.placement, sizeAroundMeter());
        fitAroundMeter(window, 0, corner.x, corner.y);
        ShowWindow(window, startShowCommand(settings.placement.showCmd));
    } else {
        fitAroundMeter(window, SWP_NOMOVE, 0, 0);
        ShowWindow(window, showCommand);
    }
    UpdateWindow(window);
    watchSession(window, true);
    tip_.attach(programInstance_, window, meter_->window);
    return window;
}

int Application::run(HWND mainWindow) {
    HACCEL accelerators = LoadAcceleratorsA(programInstance_, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (accelerators != nullptr && TranslateAcceleratorA(mainWindow, accelerators, &msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void Application::onCreate(HWND mainWindow) {
    HMENU bar = GetMenu(mainWindow);
    counterMenu_ = GetSubMenu(bar, 0);
    activitiesMenu_ = GetSubMenu(bar, 1);
    systemMenu_ = GetSystemMenu(mainWindow, FALSE);
    AppendMenuA(systemMenu_, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu_, MF_STRING, CMD_NEW_ACTIVITY, "New &activity...");
    AppendMenuA(systemMenu_, MF_SEPARATOR, 0, nullptr);
    // Neither menu has activity items yet, so this only adds them and checks the current one.
    checkedActivity_ = day_.current();
    rebuildActivityMenus(day_.activities(), activitiesMenu_, systemMenu_, checkedActivity_);
    CheckMenuItem(counterMenu_, CMD_ALWAYS_ON_TOP,
                  MF_BYCOMMAND | (day_.settings().topMost ? MF_CHECKED : MF_UNCHECKED));
}

void Application::showState(HWND mainWindow) {
    SetWindowTextA(mainWindow,
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
        setCoalescedTimer(mainWindow, CHECKPOINT_TIMER_ID, period);
    } else {
        KillTimer(mainWindow, CHECKPOINT_TIMER_ID);
    }
}

void Application::measureFrameInsets(HWND mainWindow) {
    RECT outer{}, client{};
    GetWindowRect(mainWindow, &outer);
    GetClientRect(mainWindow, &client);
    POINT topLeft{client.left, client.top}, bottomRight{client.right, client.bottom};
    ClientToScreen(mainWindow, &topLeft);
    ClientToScreen(mainWindow, &bottomRight);
    frameInsets_ = {topLeft.y - outer.top, topLeft.x - outer.left, outer.right - bottomRight.x,
                    outer.bottom - bottomRight.y};
}

SIZE Application::sizeAroundMeter() const {
    return {meter_->width + frameInsets_.left + frameInsets_.right,
            meter_->height + frameInsets_.top + frameInsets_.bottom};
}

void Application::fitAroundMeter(HWND mainWindow, UINT flags, int left, int top) {
    const SIZE size = sizeAroundMeter();
    SetWindowPos(mainWindow, HWND_TOP, left, top, size.cx, size.cy, flags);
}

MeterLook Application::currencyLook() {
    const Settings& settings = day_.settings();
    HBITMAP strip =
        loadDigitsBitmap(programInstance_, settings.currency, settings.digitsBitmapFile, dpi_);
    if (strip == nullptr) {
        day_.currencyFellBack();
        strip = loadDigitsBitmap(programInstance_, CURRENCY_POUNDS, "", dpi_);
    }
    MeterLook look{strip, settings.decimals, ""};
    currencySignText(settings.currency, look.sign);
    return look;
}

void Application::applyCurrency(HWND mainWindow) {
    meter_->setLook(currencyLook());
    fitAroundMeter(mainWindow, SWP_NOMOVE | SWP_NOZORDER, 0, 0);
    tip_.attach(programInstance_, mainWindow, meter_->window);
}

void Application::changeDpi(HWND mainWindow, UINT newDpi, const RECT& suggested) {
    dpi_ = newDpi;
    // The frame and the menu bar are drawn for the new DPI at the suggested size, which is the
    // old one scaled: there they are measured again, and the window fitted around the meter.
    SetWindowPos(mainWindow, nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    measureFrameInsets(mainWindow);
    meter_->setLook(currencyLook());
    fitAroundMeter(mainWindow, SWP_NOZORDER | SWP_NOACTIVATE, suggested.left, suggested.top);
    tip_.attach(programInstance_, mainWindow, meter_->window);
}

void Application::watchSession(HWND mainWindow, bool watch) {
    // Asked of wtsapi32, loaded when first needed (Windows lists it among the libraries of every
    // program that links it, whether it asks or not).
    if (watch) {
        using Register = BOOL WINAPI(HWND, DWORD);
        if (auto* on = systemFunction<Register>("wtsapi32.dll", "WTSRegisterSessionNotification")) {
            on(mainWindow, 0);  // NOTIFY_FOR_THIS_SESSION
        }
    } else {
        using Unregister = BOOL WINAPI(HWND);
        if (auto* off =
                systemFunction<Unregister>("wtsapi32.dll", "WTSUnRegisterSessionNotification")) {
            off(mainWindow);
        }
    }
}
