#pragma once

#include <windows.h>

#include "activities/activity_log_win.h"
#include "app/main_window_win.h"
#include "app/system_services_win.h"
#include "app/workday.h"
#include "settings/settings_registry_win.h"

// What is the program's own in the run: the world the workday touches, the workday, the main
// window that shows it, the dialogs it opens and the message loop. It turns what the main
// window passes on into the workday's events. One instance, made by the entry point (tests make
// their own).
class Application final : private MainWindowEvents {
  public:
    explicit Application(HINSTANCE instance, const char* settingsKey = SETTINGS_KEY);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Start-up up to the shown main window. Null when the activity list, the main window or the
    // meter cannot be made, or the window was closed meanwhile: then there is nothing to run.
    HWND start(int showCommand);
    // The message loop, with the accelerators; returns the quit message's code.
    int run();

    Workday& day() { return day_; }
    MainWindow& mainWindow() { return window_; }

  private:
    // The main window's events.
    void command(unsigned id) override;
    void checkpointDue() override;
    void questionDue() override;
    void powerChanged(WPARAM event) override;
    void sessionChanged(WPARAM event) override;
    void placed(const Placement& placement) override { day_.placed(placement); }
    void moveEnded() override { day_.checkpoint(); }  // the placement the user chose
    void closeAsked() override;
    void destroyed() override;
    void sessionEnds() override { day_.sessionEnds(); }

    // Each question about time away in turn, those that come while one is asked too; none while
    // one is being asked already.
    void askAboutTimeAway();
    // The command's own work, once any question about time away the user has just ended is
    // answered.
    void carryOut(unsigned id);

    HINSTANCE programInstance_;
    SystemClock clock_;
    RegistryStore store_;
    LocaleLog log_;
    CsvLedgerFile ledgerFile_;
    WholePaths names_;
    Workday day_;
    MainWindow window_;
    bool asking_ = false;
};
