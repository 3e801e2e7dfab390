#pragma once

#include <windows.h>

#include <memory>

#include "app/meter_tip_win.h"
#include "app/notification_icon_win.h"
#include "app/workday.h"
#include "meter/kett_panel_win.h"
#include "win32/window_procedure.h"

extern const char MAIN_CLASS_NAME[];

constexpr UINT_PTR CHECKPOINT_TIMER_ID = 1;
// Posted to the main window when time away may have to be asked about: the question is asked
// from the message loop, never from within the notification that ended the stretch.
constexpr UINT ASK_ABOUT_TIME_AWAY = WM_APP + 2;

// What the main window passes on to whoever runs the program: each message that is not about
// the window itself.
class MainWindowEvents {
  public:
    // A command of the menus, the accelerators or the system menu's additions.
    virtual void command(unsigned id) = 0;
    // The checkpoint is due.
    virtual void checkpointDue() = 0;
    // A question about time away may be waiting.
    virtual void questionDue() = 0;
    // WM_POWERBROADCAST's and WM_WTSSESSION_CHANGE's events.
    virtual void powerChanged(WPARAM event) = 0;
    virtual void sessionChanged(WPARAM event) = 0;
    // The window moved or changed state; the user finished moving it.
    virtual void placed(const Placement& placement) = 0;
    virtual void moveEnded() = 0;
    // The close box, Alt+F4 or another program's WM_CLOSE; the window is gone; Windows ends the
    // session.
    virtual void closeAsked() = 0;
    virtual void destroyed() = 0;
    virtual void sessionEnds() = 0;

  protected:
    ~MainWindowEvents() = default;
};

// Distances between the main window's outer rectangle and its client area, in pixels.
struct FrameInsets {
    int top = 0;
    int left = 0;
    int right = 0;
    int bottom = 0;
};

// The main window: its handle, its menus, its frame and the resolution it is drawn at, where it
// is shown, the meter it holds and the meter's tooltip. It draws from the workday's state, and
// passes the user's events on.
class MainWindow : public BaseWindow<MainWindow> {
  public:
    // Shows `day`, whose clock `ticks` is.
    MainWindow(HINSTANCE instance, Workday& day, Ticks& ticks, MainWindowEvents& events);

    // Creates the window, its menus and the meter, all hidden; false when the window or the
    // meter cannot be made.
    bool create();
    // Shows it around the meter, where it was left when a placement was saved, else with
    // `showCommand`; and from then on watches the session's lock.
    void show(int showCommand);
    void close();

    // After an event of the workday's: the title, the check marks and the checkpoint timer as it
    // is now.
    void showState();
    // The activity items of both menus, after one was added.
    void rebuildActivityMenus();
    void applyTopMost();
    // The meter drawn as the currency settings say (or, when their strip cannot be loaded, as
    // the built-in pounds with two decimals), and the window fitted around it.
    void applyCurrency();
    // A question about time away asked from the message loop, once what is being handled now is.
    void askLater();
    // The icon in the notification area shown, or not, as the settings say.
    void applyNotificationIcon();
    // The icon's menu: the activities, the current one checked, then Summary, Options and Exit,
    // which send the window's own commands.
    UniqueMenu iconMenu() const;

    HMENU counterMenu() const { return counterMenu_; }
    HMENU activitiesMenu() const { return activitiesMenu_; }
    HMENU systemMenu() const { return systemMenu_; }
    KettPanel& meter() { return *meter_; }

    // The window's one switch (see BaseWindow).
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void onCreate();
    // The window moved to a screen of another resolution: it takes the rectangle the system
    // suggests, and the meter is drawn again for the new DPI, its physical size kept.
    void changeDpi(UINT newDpi, const RECT& suggested);
    void onPlaced();
    MeterLook currencyLook();
    // Distances between the outer rectangle and the client area as they are now, with the menu
    // bar inside the top inset.
    void measureFrameInsets();
    // The outer size that gives the meter the whole client area.
    SIZE sizeAroundMeter() const;
    void fitAroundMeter(UINT flags, int left, int top);
    // The session's lock and unlock notifications (WM_WTSSESSION_CHANGE) tell the meter when it
    // cannot be seen; asked for as the window shows, and no longer as it goes.
    void watchSession(bool watch);
    // The notification area's icon: its events, its tip, and the window brought back by it.
    void onIconEvent(WPARAM wParam, LPARAM lParam);
    ShortText iconTip() const;
    HICON smallIcon() const;
    void restore();

    HINSTANCE instance_;
    Workday& day_;
    Ticks& ticks_;
    MainWindowEvents& events_;
    std::unique_ptr<KettPanel> meter_;
    HMENU counterMenu_ = nullptr;
    HMENU activitiesMenu_ = nullptr;
    HMENU systemMenu_ = nullptr;
    // The activity whose items carry the check marks.
    int checkedActivity_ = -1;
    FrameInsets frameInsets_;
    // The resolution the meter is drawn at.
    UINT dpi_ = 96;
    MeterTip tip_;
    NotificationIcon icon_;
};
