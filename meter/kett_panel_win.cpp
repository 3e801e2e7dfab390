#include "meter/kett_panel_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "meter/currency.h"
#include "meter/odometer.h"
#include "win32/timer.h"

const char PANEL_CLASS_NAME[] = "KettPanel Class";

UINT paintCountMessage() {
    static const UINT message = RegisterWindowMessageA("Cointrel.PaintCount");
    return message;
}

KettPanel::KettPanel(const KettPanelArgs& args)
    : instance_(args.instance),
      parent_(args.parent),
      x_(args.x),
      y_(args.y),
      digitCount_(args.digitCount),
      halfCell_(args.halfCell),
      shown_(*args.shown),
      clock_(*args.ticks),
      digitsBitmap_(args.look.strip),
      decimalsMode_(args.look.decimalsMode) {
    std::memcpy(currencySign_, args.look.sign, sizeof currencySign_);
    currencySign_[sizeof currencySign_ - 1] = '\0';
    WNDCLASSEXA wc = windowClass(instance_, PANEL_CLASS_NAME, procedure, CS_HREDRAW | CS_VREDRAW);
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INACTIVEBORDER + 1);
    registerWindowClass(wc);  // a failure shows as no window, at createWindow
    InitCommonControls();
    shown_.watchedBy(this);
}

KettPanel::~KettPanel() {
    shown_.watchedBy(nullptr);
    if (HWND gone = window()) {
        release();
        DestroyWindow(gone);
    }
}

void KettPanel::createWindow() {
    if (parent_ == nullptr) {
        return;
    }
    BITMAP info{};
    if (digitsBitmap_ && GetObjectA(digitsBitmap_.get(), sizeof info, &info) != 0) {
        const PanelGeometry g = panelGeometry(info.bmWidth, info.bmHeight, digitCount_, halfCell_);
        stripWidth_ = info.bmWidth;
        cellWidth_ = g.cellWidth;
        cellHeight_ = g.cellHeight;
        width_ = g.width;
        height_ = g.height;
    }
    if (CreateWindowExA(0, PANEL_CLASS_NAME, "KettPanel", WS_CHILD, x_, y_, width_, height_,
                        parent_, nullptr, instance_, this) == nullptr) {
        return;
    }
    readable_[0] = '\0';  // a new window: its text is set afresh, its picture painted afresh
    shownValid_ = false;
    updateReadableTotal(totalNow());
    WindowDC screen(window());
    backDC_.reset(CreateCompatibleDC(screen.get()));
    // The old buffer may still be selected into the old context; that context is gone now.
    backBitmap_.reset(CreateCompatibleBitmap(screen.get(), width_, height_));
    if (backDC_ && backBitmap_) {
        SelectObject(backDC_.get(), backBitmap_.get());
    }
}

void KettPanel::changeBitmap(HBITMAP bitmap) {
    if (window() != nullptr) {
        SendMessageA(window(), WM_CLOSE, 0, 0);
    }
    UniqueBitmap previous(digitsBitmap_.release());
    digitsBitmap_.reset(bitmap);
    createWindow();
    if (window() == nullptr) {
        // No new window took the strip over, so the old one is still selected: let it go.
        digitsDC_.reset();
    }
    if (previous.get() == bitmap) {
        previous.release();
    }
    previous.reset();
    if (window() != nullptr) {
        ShowWindow(window(), SW_SHOWNORMAL);
    }
    schedule();
}

void KettPanel::onCreate() {
    {
        WindowDC screen(window());
        digitsDC_.reset(CreateCompatibleDC(screen.get()));
    }
    COLORREF background = CLR_INVALID;
    if (digitsDC_ && digitsBitmap_) {
        SelectObject(digitsDC_.get(), digitsBitmap_.get());
        if (cellWidth_ > 0) {
            background = GetPixel(digitsDC_.get(), 0, 0);
        }
    }
    // Without a usable strip there are no glyphs to draw; show a plain white panel.
    backgroundColour_ = background == CLR_INVALID ? RGB(255, 255, 255) : background;
    LOGBRUSH brush{BS_SOLID, backgroundColour_, 0};
    backgroundBrush_.reset(CreateBrushIndirect(&brush));
    ticking_ = false;  // a new window has no timer yet: schedule starts one
}

bool KettPanel::seen() const {
    return !sessionAway_ && window() != nullptr && IsWindowVisible(window()) &&
           (parent_ == nullptr || !IsIconic(parent_));
}

void KettPanel::setSessionAway(bool away) {
    sessionAway_ = away;
    schedule();
}

void KettPanel::schedule() {
    showNow();
    retime();
}

void KettPanel::retime() {
    if (window() == nullptr) {
        return;
    }
    if (shown_.running() && seen()) {
        const UINT period = tickPeriodMs(shown_.hourly(), decimalsMode_, cellHeight_);
        if (!ticking_ || period != tickPeriod_) {
            setCoalescedTimer(window(), PANEL_TIMER_ID, period);
            ticking_ = true;
            tickPeriod_ = period;
        }
    } else if (ticking_) {
        KillTimer(window(), PANEL_TIMER_ID);
        ticking_ = false;
    }
}

void KettPanel::setLook(const MeterLook& look) {
    decimalsMode_ = look.decimalsMode;
    std::memcpy(currencySign_, look.sign, sizeof currencySign_);
    currencySign_[sizeof currencySign_ - 1] = '\0';
    if (look.strip != digitsBitmap_.get()) {
        if (window() != nullptr) {
            changeBitmap(look.strip);  // the new window is painted with the rest of the look
            return;
        }
        digitsBitmap_.reset(look.strip);
    }
    shownValid_ = false;
    schedule();
}

double KettPanel::totalNow() const {
    return shown_.totalAt(clock_.tickCount());
}

void KettPanel::updateReadableTotal(double total) {
    char now[READABLE_TOTAL_SIZE];
    readableTotal(total, decimalsMode_, currencySign_, now);
    if (window() == nullptr || std::strcmp(now, readable_) == 0) {
        return;
    }
    std::memcpy(readable_, now, sizeof readable_);
    SetWindowTextA(window(), readable_);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window(), OBJID_WINDOW, CHILDID_SELF);
}

void KettPanel::onTimer() {
    ++timerTicks_;
    showNow();
    if (!shown_.running() || !seen()) {
        retime();  // a meter that stands or is unseen needs no timer
    }
}

void KettPanel::showNow() {
    // One reading for the text and the picture, so that both show the same moment.
    const double total = totalNow();
    updateReadableTotal(total);
    if (window() == nullptr) {
        return;
    }
    if (!shownValid_) {
        InvalidateRect(window(), nullptr, FALSE);
        return;
    }
    // Most ticks of a slow rate, and all of a standing meter, leave the picture as it is; most
    // of the others change the last wheel alone, and only that much is copied to the screen.
    const PanelArea changed = changedArea(
        shownLayout_, layoutOdometer(total, decimalsMode_, cellWidth_, cellHeight_, width_), width_,
        height_);
    if (changed.right > changed.left && changed.bottom > changed.top) {
        const RECT area{changed.left, changed.top, changed.right, changed.bottom};
        InvalidateRect(window(), &area, FALSE);
    }
}

void KettPanel::onPaint() {
    const OdometerLayout layout =
        layoutOdometer(totalNow(), decimalsMode_, cellWidth_, cellHeight_, width_);
    PaintScope paint(window());
    if (!backDC_) {
        return;
    }
    // Outside the area to paint, the back buffer already holds the picture: a tick asks for the
    // area where it changed, the system for what was uncovered, a new window for all of it.
    const RECT& area = paint.area();
    {
        SelectionScope brush(backDC_.get(), backgroundBrush_.get());
        PatBlt(backDC_.get(), area.left, area.top, area.right - area.left, area.bottom - area.top,
               PATCOPY);
    }
    if (digitsBitmap_ && digitsDC_ && cellWidth_ > 0) {
        for (std::size_t i = 0; i < layout.count; ++i) {
            const GlyphCopy& c = layout.copies[i];
            // The wheel after a turning currency glyph lies past the strip; leave background.
            const int w = std::min(c.width, stripWidth_ - c.sourceX);
            const bool inArea = c.x < area.right && c.x + w > area.left && c.y < area.bottom &&
                                c.y + c.height > area.top;
            if (w > 0 && inArea) {
                BitBlt(backDC_.get(), c.x, c.y, w, c.height, digitsDC_.get(), c.sourceX, 0,
                       SRCCOPY);
            }
        }
    }
    BitBlt(paint.get(), area.left, area.top, area.right - area.left, area.bottom - area.top,
           backDC_.get(), area.left, area.top, SRCCOPY);
    shownLayout_ = layout;
    shownValid_ = true;
    ++paints_;
}

LRESULT KettPanel::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            onCreate();
            return 0;
        case WM_DESTROY:
            backgroundBrush_.reset();
            return 0;
        case WM_TIMER:
            onTimer();
            return 0;
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
            // Read by another program or a screen reader, however long since the last tick.
            updateReadableTotal(totalNow());
            return passOn(message, wParam, lParam);
        case WM_PAINT:
            onPaint();
            return 0;
        default:
            if (message == paintCountMessage()) {
                return static_cast<LRESULT>(paints_);
            }
            return passOn(message, wParam, lParam);
    }
}
