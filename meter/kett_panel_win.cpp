#include "meter/kett_panel_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "meter/currency.h"
#include "meter/odometer.h"
#include "win32/timer.h"
#include "win32/window_procedure.h"

const char PANEL_CLASS_NAME[] = "KettPanel Class";

namespace {

bool classRegistered = false;

void registerPanelClass(HINSTANCE instance) {
    if (classRegistered) {
        return;
    }
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = panelWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INACTIVEBORDER + 1);
    wc.lpszClassName = PANEL_CLASS_NAME;
    // A failure is tried again at the next construction.
    classRegistered = RegisterClassExA(&wc) != 0;
}

}  // namespace

UINT paintCountMessage() {
    static const UINT message = RegisterWindowMessageA("Cointrel.PaintCount");
    return message;
}

KettPanel::KettPanel(Accumulation& shown, HWND parent, int x, int y, int cells,
                     bool widenByHalfCell, HBITMAP bitmap, HINSTANCE programInstance)
    : meter(shown),
      digitsBitmap(bitmap),
      originX(x),
      originY(y),
      digitCount(cells),
      halfCell(widenByHalfCell),
      parentWindow(parent),
      instance(programInstance) {
    registerPanelClass(instance);
    InitCommonControls();
    meter.watcher = this;
}

KettPanel::~KettPanel() {
    meter.watcher = nullptr;
    if (window != nullptr) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
}

void KettPanel::createWindow() {
    if (parentWindow == nullptr) {
        return;
    }
    BITMAP info{};
    if (digitsBitmap && GetObjectA(digitsBitmap.get(), sizeof info, &info) != 0) {
        const PanelGeometry g = panelGeometry(info.bmWidth, info.bmHeight, digitCount, halfCell);
        stripWidth = info.bmWidth;
        cellWidth = g.cellWidth;
        cellHeight = g.cellHeight;
        width = g.width;
        height = g.height;
    }
    window = CreateWindowExA(0, PANEL_CLASS_NAME, "KettPanel", WS_CHILD, originX, originY, width,
                             height, parentWindow, nullptr, instance, this);
    if (window == nullptr) {
        return;
    }
    readable[0] = '\0';  // a new window: its text is set afresh, its picture painted afresh
    shownValid = false;
    updateReadableTotal();
    WindowDC screen(window);
    backDC.reset(CreateCompatibleDC(screen.get()));
    // The old buffer may still be selected into the old context; that context is gone now.
    backBitmap.reset(CreateCompatibleBitmap(screen.get(), width, height));
    if (backDC && backBitmap) {
        SelectObject(backDC.get(), backBitmap.get());
    }
}

void KettPanel::changeBitmap(HBITMAP bitmap) {
    if (window != nullptr) {
        SendMessageA(window, WM_CLOSE, 0, 0);
    }
    UniqueBitmap previous(digitsBitmap.release());
    digitsBitmap.reset(bitmap);
    createWindow();
    if (window == nullptr) {
        // No new window took the strip over, so the old one is still selected: let it go.
        digitsDC.reset();
    }
    if (previous.get() == bitmap) {
        previous.release();
    }
    previous.reset();
    if (window != nullptr) {
        ShowWindow(window, SW_SHOWNORMAL);
    }
    schedule();
}

void KettPanel::onCreate() {
    {
        WindowDC screen(window);
        digitsDC.reset(CreateCompatibleDC(screen.get()));
    }
    COLORREF background = CLR_INVALID;
    if (digitsDC && digitsBitmap) {
        SelectObject(digitsDC.get(), digitsBitmap.get());
        if (cellWidth > 0) {
            background = GetPixel(digitsDC.get(), 0, 0);
        }
    }
    // Without a usable strip there are no glyphs to draw; show a plain white panel.
    backgroundLogBrush.lbStyle = BS_SOLID;
    backgroundLogBrush.lbColor = background == CLR_INVALID ? RGB(255, 255, 255) : background;
    backgroundLogBrush.lbHatch = 0;
    backgroundBrush.reset(CreateBrushIndirect(&backgroundLogBrush));
    ticking = false;  // a new window has no timer yet: schedule starts one
}

bool KettPanel::seen() const {
    return !sessionAway && window != nullptr && IsWindowVisible(window) &&
           (parentWindow == nullptr || !IsIconic(parentWindow));
}

void KettPanel::schedule() {
    showNow();
    retime();
}

void KettPanel::retime() {
    if (window == nullptr) {
        return;
    }
    if (meter.running && seen()) {
        const UINT period = tickPeriodMs(meter.rate.hourly, decimalsMode, cellHeight);
        if (!ticking || period != tickPeriod) {
            setCoalescedTimer(window, PANEL_TIMER_ID, period);
            ticking = true;
            tickPeriod = period;
        }
    } else if (ticking) {
        KillTimer(window, PANEL_TIMER_ID);
        ticking = false;
    }
}

void KettPanel::setLook(const MeterLook& look) {
    decimalsMode = look.decimalsMode;
    std::memcpy(currencySign, look.sign, sizeof currencySign);
    currencySign[sizeof currencySign - 1] = '\0';
    if (look.strip != digitsBitmap.get()) {
        if (window != nullptr) {
            changeBitmap(look.strip);  // the new window is painted with the rest of the look
            return;
        }
        digitsBitmap.reset(look.strip);
    }
    shownValid = false;
    schedule();
}

void KettPanel::updateReadableTotal() {
    char now[READABLE_TOTAL_SIZE];
    readableTotal(meter.total, decimalsMode, currencySign, now);
    if (window == nullptr || std::strcmp(now, readable) == 0) {
        return;
    }
    std::memcpy(readable, now, sizeof readable);
    SetWindowTextA(window, readable);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_WINDOW, CHILDID_SELF);
}

void KettPanel::onTimer() {
    ++ticks;
    const bool rateChanged = meter.rate.changed;
    showNow();
    if (rateChanged || !meter.running || !seen()) {
        retime();  // the pace follows the rate; a meter that stands or is unseen needs none
    }
}

void KettPanel::showNow() {
    meter.step(GetTickCount());
    updateReadableTotal();
    if (window == nullptr) {
        return;
    }
    if (!shownValid) {
        InvalidateRect(window, nullptr, FALSE);
        return;
    }
    // Most ticks of a slow rate, and all of a standing meter, leave the picture as it is; most
    // of the others change the last wheel alone, and only that much is copied to the screen.
    const PanelArea changed =
        changedArea(shown, layoutOdometer(meter.total, decimalsMode, cellWidth, cellHeight, width),
                    width, height);
    if (changed.right > changed.left && changed.bottom > changed.top) {
        const RECT area{changed.left, changed.top, changed.right, changed.bottom};
        InvalidateRect(window, &area, FALSE);
    }
}

void KettPanel::onPaint() {
    const OdometerLayout layout =
        layoutOdometer(meter.total, decimalsMode, cellWidth, cellHeight, width);
    PaintScope paint(window);
    if (!backDC) {
        return;
    }
    // Outside the area to paint, the back buffer already holds the picture: a tick asks for the
    // area where it changed, the system for what was uncovered, a new window for all of it.
    const RECT& area = paint.area();
    {
        SelectionScope brush(backDC.get(), backgroundBrush.get());
        PatBlt(backDC.get(), area.left, area.top, area.right - area.left, area.bottom - area.top,
               PATCOPY);
    }
    if (digitsBitmap && digitsDC && cellWidth > 0) {
        for (std::size_t i = 0; i < layout.count; ++i) {
            const GlyphCopy& c = layout.copies[i];
            // The wheel after a turning currency glyph lies past the strip; leave background.
            const int w = std::min(c.width, stripWidth - c.sourceX);
            const bool inArea = c.x < area.right && c.x + w > area.left && c.y < area.bottom &&
                                c.y + c.height > area.top;
            if (w > 0 && inArea) {
                BitBlt(backDC.get(), c.x, c.y, w, c.height, digitsDC.get(), c.sourceX, 0, SRCCOPY);
            }
        }
    }
    BitBlt(paint.get(), area.left, area.top, area.right - area.left, area.bottom - area.top,
           backDC.get(), area.left, area.top, SRCCOPY);
    shown = layout;
    shownValid = true;
    ++paints;
}

LRESULT CALLBACK panelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return windowProcedure<KettPanel>(window, message, wParam, lParam);
}

LRESULT KettPanel::handleMessage(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            window = w;
            onCreate();
            return 0;
        case WM_DESTROY:
            backgroundBrush.reset();
            return 0;
        case WM_NCDESTROY:
            if (window == w) {
                window = nullptr;
            }
            return DefWindowProcA(w, message, wParam, lParam);
        case WM_TIMER:
            onTimer();
            return 0;
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
            // Read by another program or a screen reader, however long since the last tick.
            meter.step(GetTickCount());
            updateReadableTotal();
            return DefWindowProcA(w, message, wParam, lParam);
        case WM_PAINT:
            onPaint();
            return 0;
        default:
            if (message == paintCountMessage()) {
                return static_cast<LRESULT>(paints);
            }
            return DefWindowProcA(w, message, wParam, lParam);
    }
}
