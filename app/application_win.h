#pragma once

#include <windows.h>

#include <memory>

#include "activities/activities.h"
#include "activities/ledger.h"
#include "app/activity_period.h"
#include "dialogs/dialog_values.h"
#include "meter/kett_panel_win.h"
#include "meter/rate.h"
#include "settings/settings.h"
#include "settings/settings_registry_win.h"

extern const char MAIN_CLASS_NAME[];

// While the total grows it is saved at least this often, so that a process ended from outside
// (a crash, End task, a power cut) loses no more than that of the earnings.
constexpr UINT_PTR CHECKPOINT_TIMER_ID = 1;
constexpr UINT CHECKPOINT_MS = 10000;
// While it stands, only the checkpoint's time is recorded, this often: a period left open by a
// crash then ends within a minute of it, with no tick and one registry write.
constexpr UINT STANDING_CHECKPOINT_MS = 60000;

// Distances between the main window's outer rectangle and its client area, in pixels.
struct FrameInsets {
    int top = 0;
    int left = 0;
    int right = 0;
    int bottom = 0;
};

// Everything that lives for the whole run: the live rate, the settings, the activity list and
// the current activity, the meter, the menus. One instance, made by the entry point (tests make
// their own); the main window reaches it through its user data.
class Application {
  public:
    explicit Application(HINSTANCE instance, const char* settingsKey = SETTINGS_KEY);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Start-up up to the shown main window. Null when the activity list or the main window
    // cannot be made: then there is nothing to run.
    HWND start(int showCommand);
    // The message loop, with the accelerators; returns the quit message's code.
    int run(HWND mainWindow);

    // Make the activity at index current for the meter and the log (-1: none).
    void startActivity(int index);
    // Start a period of the log under `name` with the meter running or not: the second half of
    // every activity switch and of a reset.
    void startPeriod(const char* name, bool running);
    // End the current activity: log it as finished and stop the meter.
    void finishActivity();
    // The user picked activity `index` from a menu.
    void switchActivity(HWND mainWindow, int index);
    void toggleTopMost(HWND mainWindow);
    // The total starts again from newTotal: the period so far is finished, and a period named
    // "None" begins with the meter running, paid activity or not, until the next switch.
    void resetTotal(double newTotal);
    // A new activity at the end of the list and of both menus, the check mark kept. A full
    // list takes no more: its line is in the file, for the next start to read.
    void addActivity(const char* name, bool paid);
    // Rebuild the meter from the currency settings (the built-in pounds strip with two
    // decimals when the chosen one cannot be loaded) and fit the window around it.
    void applyCurrency(HWND mainWindow);
    // The window moved to a screen of another resolution: it takes the rectangle the system
    // suggests, and the meter is drawn again for the new DPI, its physical size kept.
    void changeDpi(HWND mainWindow, UINT newDpi, const RECT& suggested);
    // The total as of now, however long ago the meter last ticked.
    double currentTotal();
    // Asks for the session's lock and unlock notifications (WM_WTSSESSION_CHANGE), which tell
    // the meter when it cannot be seen; and stops asking, as the window goes.
    void watchSession(HWND mainWindow);
    void unwatchSession(HWND mainWindow);
    // Finish the activity and save every setting (at exit and at the end of the session).
    void finishAndSave(HWND mainWindow);
    // Save every value and the open period now, after a change of the user's or while the total
    // grows; and keep doing so every CHECKPOINT_MS while it grows. Nothing once the run has ended.
    void checkpoint(HWND mainWindow);
    // The checkpoint timer: every value while the total grows; the checkpoint's time alone while
    // it stands.
    void checkpointDue(HWND mainWindow);
    // The main window is gone and everything saved: whatever still comes (a dialog that was open
    // returning, say) changes nothing.
    bool ended = false;
    // After the logging switch or the log file changed mid-period: the period's Finished in the
    // old file and its Started in the new one, as needed to keep every Started paired.
    void handOverLog(bool wasLogging, const char* oldFile);
    void buildMenus(HWND mainWindow);
    // The main window's one switch (see windowProcedure).
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE programInstance;
    const char* settingsKey;
    Rate rate;
    Settings settings;
    std::unique_ptr<Activities> activities;
    int currentActivityIndex = -1;
    std::unique_ptr<KettPanel> meter;
    HMENU counterMenu = nullptr;
    HMENU activitiesMenu = nullptr;
    HMENU systemMenu = nullptr;
    FrameInsets frameInsets;
    DialogValues dialogs;
    // The main window's resolution, at which the meter is drawn.
    UINT dpi = 96;
    // The rows of finished periods on their way to the ledger file.
    Ledger ledger;

    // What the summary shows: the ledger, the rows waiting for it and the period still open, up
    // to now.
    std::unique_ptr<LedgerSummary> summary();
    // The meter's tooltip: today's figure, from the ledger.
    ShortText todayText();
    // The tooltip follows the meter's window, which a new strip replaces; it goes before the
    // main window.
    void attachTip(HWND mainWindow);
    void detachTip();
    // Writes the rows waiting for the ledger, and keeps in the key those it still cannot.
    void flushLedger();

  private:
    // Gives a finished period the currency and hands it to the ledger, when one is kept.
    struct Recorder {
        Application* app;
        void operator()(LedgerPeriod& period) const;
    };
    Recorder recorder{this};
    PeriodServices services;
    HWND tip = nullptr;
    HWND tippedWindow = nullptr;

    HBITMAP loadCurrencyBitmap();
    // The period a crashed run left open gets its Finished, dated at that run's last checkpoint.
    void closeCrashedPeriod();
    // The period just started, kept in the key as open.
    void keepPeriodOpen();
    // The period now open as the key keeps it, with the whole paths of its log and ledger; false
    // when there is none.
    bool openPeriodNow(OpenPeriod& period);
    void setTitle(HWND mainWindow);
    // Distances between the outer rectangle and the client area as they are now, with the menu
    // bar inside the top inset.
    void measureFrameInsets(HWND mainWindow);
    // The main window's outer size that gives the meter the whole client area.
    SIZE sizeAroundMeter() const;
    void fitAroundMeter(HWND mainWindow, UINT flags, int left, int top);
};

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
