#pragma once

#include <windows.h>

#include "base/local_time.h"
#include "meter/accumulation.h"
#include "meter/odometer.h"
#include "win32/handles.h"
#include "win32/window_procedure.h"

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

// What a meter is made from, by name.
struct KettPanelArgs {
    HINSTANCE instance = nullptr;
    HWND parent = nullptr;
    // Where it lies in the parent's client area.
    int x = 0;
    int y = 0;
    // Cells for digits, and whether an extra half cell widens it.
    int digitCount = 8;
    bool halfCell = true;
    // The total it shows, which it only reads, at ticks of `ticks`, the clock of whoever
    // changes it.
    const Accumulation* shown = nullptr;
    Ticks* ticks = nullptr;
    MeterLook look{};
};

// The meter: a child window that shows an accumulation's total as an odometer drawn from a
// digits strip, repainting on a timer as often as its picture changes and only while the total
// runs and the meter can be seen. It watches the accumulation, so a start, a stop or a new rate
// retimes it without anybody asking.
class KettPanel : public BaseWindow<KettPanel>, private AccumulationWatcher {
  public:
    // Creates no window: createWindow does.
    explicit KettPanel(const KettPanelArgs& args);
    ~KettPanel();

    // Sizes the panel from the digits strip and creates its (hidden) window and back buffer.
    void createWindow();
    // Draws from now on with `look`: a new strip rebuilds the window around it, shown.
    void setLook(const MeterLook& look);
    // Shows the total as of now, and runs the timer as the meter now needs it: at the pace of its
    // picture while it runs and can be seen, not at all otherwise. After whatever may have
    // changed that: the window minimised, hidden or shown, the session locked or unlocked.
    void schedule();
    // The session is locked or its screen elsewhere: the meter cannot be seen.
    void setSessionAway(bool away);
    // Whether the meter can be seen: its window shown, not minimised, in a session on screen.
    bool seen() const;

    // Its size in pixels, and that of one cell of the strip.
    int width() const { return width_; }
    int height() const { return height_; }
    int cellWidth() const { return cellWidth_; }
    int cellHeight() const { return cellHeight_; }
    int decimalsMode() const { return decimalsMode_; }
    // What it draws with, for whoever checks its pixels: the strip and its background colour,
    // the memory contexts holding the strip and the picture, and the paints so far.
    HBITMAP strip() const { return digitsBitmap_.get(); }
    COLORREF background() const { return backgroundColour_; }
    HDC stripDC() const { return digitsDC_.get(); }
    HDC pictureDC() const { return backDC_.get(); }
    unsigned paints() const { return paints_; }
    // The timer's ticks so far, for whoever checks that it wakes only when it must.
    unsigned ticks() const { return timerTicks_; }

    // The window's one switch (see BaseWindow).
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void paceChanged() override { schedule(); }
    void changeBitmap(HBITMAP bitmap);
    void onCreate();
    void onTimer();
    double totalNow() const;
    // The total as of now, its text, and a paint of what changed in the picture.
    void showNow();
    // Starts, re-paces or stops the timer for the meter as it now stands.
    void retime();
    // Sets the window text to `total` when it reads otherwise now, and tells accessibility clients.
    void updateReadableTotal(double total);
    void onPaint();

    HINSTANCE instance_;
    HWND parent_;
    int x_, y_;
    int digitCount_;
    bool halfCell_;
    const Accumulation& shown_;
    Ticks& clock_;
    UniqueBitmap digitsBitmap_;
    UniqueBitmap backBitmap_;
    UniqueBrush backgroundBrush_;
    COLORREF backgroundColour_ = RGB(255, 255, 255);
    int width_ = 0;
    int height_ = 0;
    int cellWidth_ = 0;
    int cellHeight_ = 0;
    int decimalsMode_ = 0;
    // Declared after the bitmaps so that they are deleted first, releasing their selections.
    UniqueMemoryDC digitsDC_;
    UniqueMemoryDC backDC_;
    // Width of the strip in pixels, so that copies never read past its right edge.
    int stripWidth_ = 0;
    // The window text: the total as shown, for screen readers and other programs to read.
    char currencySign_[4] = "";
    char readable_[READABLE_TOTAL_SIZE] = "";
    // The picture on screen: a tick asks for a paint only when the total would look different.
    OdometerLayout shownLayout_;
    bool shownValid_ = false;
    unsigned paints_ = 0;
    unsigned timerTicks_ = 0;
    // The timer as it was last set: whether it runs, and its period.
    bool ticking_ = false;
    UINT tickPeriod_ = 0;
    bool sessionAway_ = false;
};
