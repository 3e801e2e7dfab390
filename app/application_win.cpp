#include "app/application_win.h"

#include <cstring>
#include <new>

#include "activities/activity_log_win.h"
#include "app/activity_menus_win.h"
#include "app/activity_period.h"
#include "app/main_window.h"
#include "meter/currency.h"
#include "meter/digits_bitmap_win.h"
#include "resources/resource.h"
#include "win32/dpi.h"

#include <commctrl.h>

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

// The saved top-left corner, moved onto the nearest monitor when the one it was on is gone.
POINT visibleCorner(const Placement& placement, int width, int height) {
    RECT saved{placement.normalLeft, placement.normalTop, placement.normalLeft + width,
               placement.normalTop + height};
    if (MonitorFromRect(&saved, MONITOR_DEFAULTTONULL) != nullptr) {
        return {saved.left, saved.top};
    }
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

// The whole path of a file name as this run resolves it; the name itself when that is too long.
template <std::size_t N>
void wholePath(const char* name, char (&out)[N]) {
    const DWORD length = GetFullPathNameA(name, N, out, nullptr);
    if (length == 0 || length >= N) {
        copyText(out, name);
    }
}

// The clock, the tick counter and the log file as the activity periods use them.
const auto readLocalTime = [] { return localTimeNow(); };
const auto readTickCount = [] { return static_cast<std::uint32_t>(GetTickCount()); };
const auto writeRecord = [](const LogFields& log, LogRecordKind kind) {
    writeLogRecord(log, kind);
};
}  // namespace

Application::Application(HINSTANCE instance, const char* key)
    : programInstance(instance),
      settingsKey(key),
      services{readLocalTime, readTickCount, writeRecord, recorder} {}

void Application::Recorder::operator()(LedgerPeriod& period) const {
    period.currency = app->settings.currency;
    if (app->settings.ledger) {
        appendLedgerRows(period, app->ledger.pending);
        app->flushLedger();
    }
}

namespace {

// The locale's first day of the week: 0 Monday to 6 Sunday.
int firstDayOfWeek() {
    char text[4] = "";
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, text, sizeof text) > 0 &&
                   text[0] >= '0' && text[0] <= '6'
               ? text[0] - '0'
               : 0;
}

}  // namespace

std::unique_ptr<LedgerSummary> Application::summary() {
    currentTotal();  // the open period earns up to now, not to the last tick
    std::int64_t now = 0;
    wallClockValue(localTimeNow(), now);
    TextBuffer extra;
    extra.append(ledger.pending);
    LedgerPeriod open;
    if (periodSoFar(*meter, *meter, now, open)) {
        open.currency = settings.currency;
        appendLedgerRows(open, extra);
    }
    std::unique_ptr<LedgerSummary> result(new (std::nothrow)
                                              LedgerSummary(dayOf(now), firstDayOfWeek()));
    if (result) {
        summarizeLedgerFile(settings.ledgerFile, extra, *result);
    }
    return result;
}

ShortText Application::todayText() {
    const std::unique_ptr<LedgerSummary> all = summary();
    return all ? todayFigure(all->ranges[TODAY], meter->currencySign) : ShortText{};
}

void Application::attachTip(HWND mainWindow) {
    if (tip == nullptr) {
        // Owned by no window: a tooltip owned by the main window keeps Wine from making that
        // window always on top. It goes with the main window (WM_DESTROY).
        tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                              WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, programInstance,
                              nullptr);
    }
    if (tip == nullptr || meter->window == nullptr) {
        return;
    }
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = mainWindow;
    if (tippedWindow != nullptr) {
        tool.uId = reinterpret_cast<UINT_PTR>(tippedWindow);
        SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    // Its text asked for as it shows (TTN_GETDISPINFO), never on the tick.
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.uId = reinterpret_cast<UINT_PTR>(meter->window);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    tippedWindow = meter->window;
}

void Application::flushLedger() {
    const bool hadPending = !ledger.pending.empty();
    if (ledger.flush(settings.ledgerFile)) {
        if (hadPending) {
            saveLedgerPending(TextBuffer(), settingsKey);
        }
    } else {
        saveLedgerPending(ledger.pending, settingsKey);  // not lost to a crash either
    }
}

HBITMAP Application::loadCurrencyBitmap() {
    HBITMAP bitmap =
        loadDigitsBitmap(programInstance, settings.currency, settings.digitsBitmapFile, dpi);
    if (bitmap == nullptr) {
        settings.currency = CURRENCY_POUNDS;
        settings.decimals = DECIMALS_TWO;
        bitmap = loadDigitsBitmap(programInstance, CURRENCY_POUNDS, "", dpi);
    }
    return bitmap;
}

HWND Application::start(int showCommand) {
    registerMainClass(programInstance);
    loadSettings(settings, rate, settingsKey);
    activities.reset(new (std::nothrow) Activities(settings.activitiesFile));
    if (!activities) {
        return nullptr;
    }
    currentActivityIndex = resolveCurrentActivity(*activities, settings.currentActivityName);
    if (currentActivityIndex >= 0) {
        copyText(settings.currentActivityName, activities->name(currentActivityIndex));
    }

    HWND window = CreateWindowExA(settings.topMost ? WS_EX_TOPMOST : 0, MAIN_CLASS_NAME, "Cointrel",
                                  MAIN_STYLE, CW_USEDEFAULT, CW_USEDEFAULT, 450, 120, nullptr,
                                  nullptr, programInstance, this);
    if (window == nullptr) {
        return nullptr;
    }
    dpi = windowDpi(window);

    HBITMAP bitmap = loadCurrencyBitmap();
    meter.reset(new (std::nothrow) KettPanel(static_cast<double>(settings.savedTotal), rate, window,
                                             0, 0, 8, true, bitmap, programInstance));
    if (!meter) {
        DestroyWindow(window);
        return nullptr;
    }
    meter->decimalsMode = settings.decimals;
    meter->setCurrency(settings.currency);
    meter->createWindow();
    meter->loggingEnabled = settings.logging;
    copyText(meter->logFileName, settings.logFile);
    loadLedgerPending(ledger.pending, settingsKey);
    closeCrashedPeriod();
    if (!ledger.pending.empty()) {
        flushLedger();
    }
    logStartUp(*meter, services);
    startActivity(currentActivityIndex);
    if (meter->window != nullptr) {
        ShowWindow(meter->window, SW_SHOWNORMAL);
    }
    setTitle(window);

    // Measured at the creation size, where the menu bar fits on one line.
    measureFrameInsets(window);

    const Placement& saved = settings.placement;
    if (saved.length != 0) {
        const SIZE size = sizeAroundMeter();
        const POINT corner = visibleCorner(saved, size.cx, size.cy);
        fitAroundMeter(window, 0, corner.x, corner.y);
        ShowWindow(window, startShowCommand(saved.showCmd));
    } else {
        fitAroundMeter(window, SWP_NOMOVE, 0, 0);
        ShowWindow(window, showCommand);
    }
    UpdateWindow(window);
    meter->schedule();
    SetTimer(window, CHECKPOINT_TIMER_ID, meter->running ? CHECKPOINT_MS : STANDING_CHECKPOINT_MS,
             nullptr);
    watchSession(window);
    attachTip(window);
    return window;
}

void Application::measureFrameInsets(HWND mainWindow) {
    RECT outer{}, client{};
    GetWindowRect(mainWindow, &outer);
    GetClientRect(mainWindow, &client);
    POINT topLeft{client.left, client.top}, bottomRight{client.right, client.bottom};
    ClientToScreen(mainWindow, &topLeft);
    ClientToScreen(mainWindow, &bottomRight);
    frameInsets = {topLeft.y - outer.top, topLeft.x - outer.left, outer.right - bottomRight.x,
                   outer.bottom - bottomRight.y};
}

void Application::changeDpi(HWND mainWindow, UINT newDpi, const RECT& suggested) {
    dpi = newDpi;
    // The frame and the menu bar are drawn for the new DPI at the suggested size, which is the
    // old one scaled: there they are measured again, and the window fitted around the meter.
    SetWindowPos(mainWindow, nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    measureFrameInsets(mainWindow);
    meter->changeBitmap(loadCurrencyBitmap());
    fitAroundMeter(mainWindow, SWP_NOZORDER | SWP_NOACTIVATE, suggested.left, suggested.top);
    attachTip(mainWindow);
}

void Application::closeCrashedPeriod() {
    std::int64_t now = 0;
    OpenPeriod left;
    if (!wallClockValue(localTimeNow(), now) || !loadOpenPeriod(now, left, settingsKey)) {
        return;
    }
    // Its records go where its Started and its run's ledger went, whatever folder this is.
    const auto recordLeft = [&](LedgerPeriod& period) {
        char here[PERIOD_PATH_SIZE];
        wholePath(settings.ledgerFile, here);
        if (!left.hasFiles || (settings.ledger && lstrcmpiA(here, left.ledgerFile) == 0)) {
            recorder(period);
        } else if (left.ledgerFile[0] != '\0') {
            period.currency = settings.currency;
            Ledger theirs;
            appendLedgerRows(period, theirs.pending);
            if (!theirs.flush(left.ledgerFile)) {
                ledger.pending.append(theirs.pending);  // kept, in this run's ledger then
            }
        }
    };
    const PeriodServices leftServices{services.localTime, services.tickCount, services.write,
                                      recordLeft};
    closeLeftOpen(left, left.hasFiles ? left.logFile[0] != '\0' : settings.logging,
                  left.hasFiles ? left.logFile : settings.logFile,
                  static_cast<double>(settings.savedTotal), rate.hourly, leftServices);
}

int Application::run(HWND mainWindow) {
    HACCEL accelerators = LoadAcceleratorsA(programInstance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
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

SIZE Application::sizeAroundMeter() const {
    return {meter->width + frameInsets.left + frameInsets.right,
            meter->height + frameInsets.top + frameInsets.bottom};
}

void Application::fitAroundMeter(HWND mainWindow, UINT flags, int left, int top) {
    const SIZE size = sizeAroundMeter();
    SetWindowPos(mainWindow, HWND_TOP, left, top, size.cx, size.cy, flags);
}

void Application::setTitle(HWND mainWindow) {
    SetWindowTextA(
        mainWindow,
        windowTitle(currentActivityIndex >= 0 ? settings.currentActivityName : nullptr).text);
}

void Application::startActivity(int index) {
    const bool paid = index >= 0 && activities->paid[static_cast<std::size_t>(index)] != 0;
    startPeriod(index >= 0 ? activities->name(index) : "None", paid);
}

void Application::startPeriod(const char* name, bool running) {
    ::startPeriod(*meter, *meter, name, running, services);
    keepPeriodOpen();
    meter->schedule();
}

void Application::keepPeriodOpen() {
    // In the key from the period's start on, so that a crash cannot leave its Started unpaired.
    OpenPeriod period;
    if (openPeriodNow(period)) {
        saveOpenPeriod(period, settingsKey);
    }
}

bool Application::openPeriodNow(OpenPeriod& period) {
    if (!openPeriodOf(*meter, meter->running, localTimeNow(), period)) {
        return false;
    }
    wholePath(meter->loggingEnabled ? meter->logFileName : "", period.logFile);
    wholePath(settings.ledger ? settings.ledgerFile : "", period.ledgerFile);
    return true;
}

void Application::resetTotal(double newTotal) {
    resetPeriod(*meter, *meter, newTotal, services);
    keepPeriodOpen();
    meter->schedule();
}

void Application::finishActivity() {
    finishPeriod(*meter, *meter, services);
    meter->schedule();
}

double Application::currentTotal() {
    meter->step(GetTickCount());
    return meter->total;
}

void Application::switchActivity(HWND mainWindow, int index) {
    copyText(settings.currentActivityName, activities->name(index));
    finishActivity();
    startActivity(index);
    const int previous = currentActivityIndex;
    currentActivityIndex = index;
    setTitle(mainWindow);
    for (HMENU menu : {activitiesMenu, systemMenu}) {
        if (previous >= 0) {
            CheckMenuItem(menu, ACTIVITY_COMMAND_BASE + static_cast<UINT>(previous),
                          MF_BYCOMMAND | MF_UNCHECKED);
        }
        CheckMenuItem(menu, ACTIVITY_COMMAND_BASE + static_cast<UINT>(index),
                      MF_BYCOMMAND | MF_CHECKED);
    }
}

void Application::toggleTopMost(HWND mainWindow) {
    settings.topMost = !settings.topMost;
    CheckMenuItem(counterMenu, CMD_ALWAYS_ON_TOP,
                  MF_BYCOMMAND | (settings.topMost ? MF_CHECKED : MF_UNCHECKED));
    SetWindowPos(mainWindow, settings.topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Application::applyCurrency(HWND mainWindow) {
    HBITMAP bitmap = loadCurrencyBitmap();  // which may fall back to pounds with two decimals
    meter->decimalsMode = settings.decimals;
    meter->setCurrency(settings.currency);
    meter->changeBitmap(bitmap);  // the new window is painted with them
    fitAroundMeter(mainWindow, SWP_NOMOVE | SWP_NOZORDER, 0, 0);
    attachTip(mainWindow);
}

void Application::addActivity(const char* name, bool paid) {
    if (activities->add(name, paid)) {
        rebuildActivityMenus(*activities, activitiesMenu, systemMenu, currentActivityIndex);
    }
}

namespace {

// The session notifications are asked of wtsapi32, loaded when first needed (Windows lists it
// among the libraries of every program that links it, whether it asks or not).
template <typename Function>
Function sessionFunction(const char* name) {
    static const HMODULE library = LoadLibraryA("wtsapi32.dll");
    return library == nullptr
               ? nullptr
               : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

void Application::watchSession(HWND mainWindow) {
    using Register = BOOL(WINAPI*)(HWND, DWORD);
    if (const auto watch = sessionFunction<Register>("WTSRegisterSessionNotification")) {
        watch(mainWindow, 0);  // NOTIFY_FOR_THIS_SESSION
    }
}

void Application::detachTip() {
    if (tip != nullptr) {
        DestroyWindow(tip);
        tip = nullptr;
        tippedWindow = nullptr;
    }
}

void Application::unwatchSession(HWND mainWindow) {
    using Unregister = BOOL(WINAPI*)(HWND);
    if (const auto unwatch = sessionFunction<Unregister>("WTSUnRegisterSessionNotification")) {
        unwatch(mainWindow);
    }
}

void Application::finishAndSave(HWND mainWindow) {
    finishActivity();
    KillTimer(mainWindow, CHECKPOINT_TIMER_ID);
    saveSettings(mainWindow, settings, rate, meter->total, meter->loggingEnabled, nullptr,
                 settingsKey);
}

void Application::checkpoint(HWND mainWindow) {
    if (ended) {
        return;
    }
    meter->schedule();  // the total as of now, not of the last tick; the pace of a new rate
    OpenPeriod period;
    const bool open = openPeriodNow(period);
    saveSettings(mainWindow, settings, rate, meter->total, meter->loggingEnabled,
                 open ? &period : nullptr, settingsKey);
    if (!ledger.pending.empty()) {
        flushLedger();  // a file that a spreadsheet held may be free again
    }
    SetTimer(mainWindow, CHECKPOINT_TIMER_ID,
             meter->running ? CHECKPOINT_MS : STANDING_CHECKPOINT_MS, nullptr);
}

void Application::checkpointDue(HWND mainWindow) {
    if (meter->running) {
        checkpoint(mainWindow);
        return;
    }
    std::int64_t now = 0;
    if (!ended && meter->periodOpen && wallClockValue(localTimeNow(), now)) {
        saveCheckpointTime(now, settingsKey);
    }
}

void Application::handOverLog(bool wasLogging, const char* oldFile) {
    ::handOverLog(*meter, wasLogging, oldFile, services);
}

void Application::buildMenus(HWND mainWindow) {
    HMENU bar = GetMenu(mainWindow);
    counterMenu = GetSubMenu(bar, 0);
    activitiesMenu = GetSubMenu(bar, 1);
    systemMenu = GetSystemMenu(mainWindow, FALSE);
    CheckMenuItem(counterMenu, CMD_ALWAYS_ON_TOP,
                  MF_BYCOMMAND | (settings.topMost ? MF_CHECKED : MF_UNCHECKED));
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu, MF_STRING, CMD_NEW_ACTIVITY, "New &activity...");
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    // Neither menu has activity items yet, so this only adds them and checks the current one.
    rebuildActivityMenus(*activities, activitiesMenu, systemMenu, currentActivityIndex);
}
