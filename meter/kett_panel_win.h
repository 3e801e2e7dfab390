#pragma once

#include <windows.h>

#include "win32/handles.h"
#include "meter/accumulation.h"
#include "meter/odometer.h"

constexpr UINT_PTR PANEL_TIMER_ID = 4;
extern const char PANEL_CLASS_NAME[];

// Sent to the panel's window, by a measuring tool in this or another process, it answers with
// the number of paints the window has had.
UINT paintCountMessage();

// How the meter draws its total: the digits strip (the meter takes it over), the decimals
// shown, and the currency's sign in the window's text (none for a strip of the user's own).
struct MeterLook {
    HBITMAP strip;
    int decimalsMode;
    char sign[4];
};

// The meter: a child window that shows an accumulation's total as an odometer drawn from a
// digits strip, and advances it on a timer, as often as its picture changes and only while it
// runs and can be seen. It watches the accumulation, so a start, a stop or a new rate retimes
// it without anybody asking.
class KettPanel : private AccumulationWatcher {
  public:
    // Shows `meter`, which outlives it; takes over digitsBitmap. Creates no window:
    // createWindow does.
    KettPanel(Accumulation& meter, HWND parentWindow, int originX, int originY, int digitCount,
              bool halfCell, HBITMAP digitsBitmap, HINSTANCE instance);
    ~KettPanel();
    KettPanel(const KettPanel&) = delete;
    KettPanel& operator=(const KettPanel&) = delete;

    // Sizes the panel from the digits strip and creates its (hidden) window and back buffer.
    void createWindow();
    // Rebuilds the window around a new strip, takes it over and shows the window.
    void changeBitmap(HBITMAP bitmap);
    // Draws from now on with `look`: a new strip rebuilds the window, as changeBitmap does.
    void setLook(const MeterLook& look);
    // Shows the total as of now, and runs the timer as the meter now needs it: at the pace of its
    // picture while it runs and can be seen, not at all otherwise. After whatever may have
    // changed that: a start or stop, a new rate or strip, the window minimised, hidden or shown,
    // the session locked or unlocked.
    void schedule();
    // Whether the meter can be seen: its window shown, not minimised, in a session on screen.
    bool seen() const;

    Accumulation& meter;
    UniqueBitmap digitsBitmap;
    UniqueBitmap backBitmap;
    UniqueBrush backgroundBrush;
    LOGBRUSH backgroundLogBrush{};
    int originX;
    int originY;
    int digitCount;
    int width = 0;
    int height = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int decimalsMode = 0;
    bool halfCell;
    HWND parentWindow;
    HWND window = nullptr;
    HINSTANCE instance;
    // Declared after the bitmaps so that they are deleted first, releasing their selections.
    UniqueMemoryDC digitsDC;
    UniqueMemoryDC backDC;
    // Width of the strip in pixels, so that copies never read past its right edge.
    int stripWidth = 0;
    // The window text: the total as shown, for screen readers and other programs to read.
    char currencySign[4] = "";
    char readable[READABLE_TOTAL_SIZE] = "";
    // The picture on screen: a tick asks for a paint only when the total would look different.
    OdometerLayout shown;
    bool shownValid = false;
    unsigned paints = 0;
    unsigned ticks = 0;
    // The timer as it was last set: whether it runs, and its period.
    bool ticking = false;
    UINT tickPeriod = 0;
    // The session is locked or its screen elsewhere (set from the session's notifications).
    bool sessionAway = false;

    // The window's one switch (see windowProcedure).
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void paceChanged() override { schedule(); }
    void onCreate();
    void onTimer();
    // The total as of now, its text, and a paint of what changed in the picture.
    void showNow();
    // Starts, re-paces or stops the timer for the meter as it now stands.
    void retime();
    // Sets the window text when the total shown has changed, and tells accessibility clients.
    void updateReadableTotal();
    void onPaint();
};

LRESULT CALLBACK panelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
