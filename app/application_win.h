#pragma once

#include <windows.h>

#include <memory>

#include "activities/activity_log_win.h"
#include "app/meter_tip_win.h"
#include "app/workday.h"
#include "dialogs/dialog_values.h"
#include "meter/kett_panel_win.h"
#include "settings/settings_registry_win.h"

extern const char MAIN_CLASS_NAME[];

constexpr UINT_PTR CHECKPOINT_TIMER_ID = 1;
// Posted to the main window when time away may have to be asked about: the question is asked
// from the message loop, never from within the notification that ended the stretch.
constexpr UINT ASK_ABOUT_TIME_AWAY = WM_APP + 1;

// Distances between the main window's outer rectangle and its client area, in pixels.
struct FrameInsets {
    int top = 0;
    int left = 0;
    int right = 0;
    int bottom = 0;
};

// The platform's clocks, as the workday reads them.
class SystemClock final : public Clock {
  public:
    LocalTime localTime() override { return localTimeNow(); }
    std::uint32_t tickCount() override { return GetTickCount(); }
    std::uint64_t awakeMs() override {
        ULONGLONG awake = 0;  // in 100 ns
        return QueryUnbiasedInterruptTime(&awake) ? awake / 10000 : GetTickCount64();
    }
    std::uint32_t lastInputTick() override {
        LASTINPUTINFO last{sizeof last, 0};
        return GetLastInputInfo(&last) ? last.dwTime : GetTickCount();
    }
    std::int64_t utcTime() override {
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        return static_cast<std::int64_t>(static_cast<std::uint64_t>(now.dwHighDateTime) << 32 |
                                         now.dwLowDateTime);
    }
    std::int64_t localOf(std::int64_t utc) override;
};

class WholePaths final : public FileNames {
  public:
    void wholePath(const char* name, char* out, std::size_t size) override;
};

// What is a window's in the run: the main window, its menus, the meter drawn for the screen's
// resolution, the tooltip, the timers and the session's notifications. It turns messages into
// the workday's events and draws from the workday's state. One instance, made by the entry point
// (tests make their own); the main window reaches it through its user data.
class Application {
  public:
    explicit Application(HINSTANCE instance, const char* settingsKey = SETTINGS_KEY);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Start-up up to the shown main window. Null when the activity list, the main window or the
    // meter cannot be made: then there is nothing to run.
    HWND start(int showCommand);
    // The message loop, with the accelerators; returns the quit message's code.
    int run(HWND mainWindow);
    // The main window's one switch (see windowProcedure).
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The meter drawn as the currency settings say (or, when their strip cannot be loaded, as
    // the built-in pounds with two decimals), and the window fitted around it.
    void applyCurrency(HWND mainWindow);

    Workday& day() { return day_; }
    KettPanel& meter() { return *meter_; }
    HMENU counterMenu() const { return counterMenu_; }
    HMENU activitiesMenu() const { return activitiesMenu_; }
    HMENU systemMenu() const { return systemMenu_; }

  private:
    void onCreate(HWND mainWindow);
    void onCommand(HWND mainWindow, unsigned id);
    // The question about time away, when the workday has one and none is being asked; or, from
    // a notification, that question asked once the notification has been answered.
    void askAboutTimeAway(HWND mainWindow);
    void askLater(HWND mainWindow);
    // After a command: the title, the check marks and the checkpoint timer as the workday is now.
    void showState(HWND mainWindow);
    // The window moved to a screen of another resolution: it takes the rectangle the system
    // suggests, and the meter is drawn again for the new DPI, its physical size kept.
    void changeDpi(HWND mainWindow, UINT newDpi, const RECT& suggested);
    MeterLook currencyLook();
    // Distances between the outer rectangle and the client area as they are now, with the menu
    // bar inside the top inset.
    void measureFrameInsets(HWND mainWindow);
    // The main window's outer size that gives the meter the whole client area.
    SIZE sizeAroundMeter() const;
    void fitAroundMeter(HWND mainWindow, UINT flags, int left, int top);
    // The session's lock and unlock notifications (WM_WTSSESSION_CHANGE) tell the meter when it
    // cannot be seen; asked for as the window shows, and no longer as it goes.
    void watchSession(HWND mainWindow, bool watch);

    HINSTANCE programInstance_;
    SystemClock clock_;
    RegistryStore store_;
    LocaleLog log_;
    CsvLedgerFile ledgerFile_;
    WholePaths names_;
    Workday day_;
    std::unique_ptr<KettPanel> meter_;
    HMENU counterMenu_ = nullptr;
    HMENU activitiesMenu_ = nullptr;
    HMENU systemMenu_ = nullptr;
    // The activity whose items carry the check marks.
    int checkedActivity_ = -1;
    FrameInsets frameInsets_;
    // The main window's resolution, at which the meter is drawn.
    UINT dpi_ = 96;
    DialogValues dialogs_;
    MeterTip tip_;
    bool asking_ = false;
};

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
