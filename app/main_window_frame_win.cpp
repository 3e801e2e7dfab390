// The main window's frame and place: where it is shown, the size that fits the meter, the
// resolution it is drawn at, and the meter's look.

#include "app/main_window_win.h"

#include <cstring>

#include "app/main_window_rules.h"
#include "meter/currency.h"
#include "meter/digits_bitmap_win.h"

namespace {

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

void MainWindow::show(int showCommand) {
    if (meter_->window() != nullptr) {
        ShowWindow(meter_->window(), SW_SHOWNORMAL);
    }
    showState();
    // Measured at the creation size, where the menu bar fits on one line.
    measureFrameInsets();
    // The icon first, so that a window shown minimised can hide behind it.
    applyNotificationIcon();
    const Placement& placement = day_.settings().placement;
    if (placement.length != 0) {
        const POINT corner = visibleCorner(placement, sizeAroundMeter());
        fitAroundMeter(0, corner.x, corner.y);
        ShowWindow(window(), startShowCommand(placement.showCmd));
    } else {
        fitAroundMeter(SWP_NOMOVE, 0, 0);
        ShowWindow(window(), showCommand);
    }
    UpdateWindow(window());
    watchSession(true);
    tip_.attach(meter_->window());
}

void MainWindow::measureFrameInsets() {
    RECT outer{}, client{};
    GetWindowRect(window(), &outer);
    GetClientRect(window(), &client);
    POINT topLeft{client.left, client.top}, bottomRight{client.right, client.bottom};
    ClientToScreen(window(), &topLeft);
    ClientToScreen(window(), &bottomRight);
    frameInsets_ = {topLeft.y - outer.top, topLeft.x - outer.left, outer.right - bottomRight.x,
                    outer.bottom - bottomRight.y};
}

SIZE MainWindow::sizeAroundMeter() const {
    return {meter_->width() + frameInsets_.left + frameInsets_.right,
            meter_->height() + frameInsets_.top + frameInsets_.bottom};
}

void MainWindow::fitAroundMeter(UINT flags, int left, int top) {
    const SIZE size = sizeAroundMeter();
    SetWindowPos(window(), HWND_TOP, left, top, size.cx, size.cy, flags);
}

MeterLook MainWindow::currencyLook() {
    const Settings& settings = day_.settings();
    HBITMAP strip = loadDigitsBitmap(instance_, settings.currency, settings.digitsBitmapFile, dpi_);
    if (strip == nullptr) {
        day_.currencyFellBack();
        strip = loadDigitsBitmap(instance_, CURRENCY_POUNDS, "", dpi_);
    }
    MeterLook look{strip, settings.decimals, ""};
    currencySignText(settings.currency, look.sign);
    return look;
}

void MainWindow::applyCurrency() {
    meter_->setLook(currencyLook());
    fitAroundMeter(SWP_NOMOVE | SWP_NOZORDER, 0, 0);
    tip_.attach(meter_->window());
}

void MainWindow::changeDpi(UINT newDpi, const RECT& suggested) {
    dpi_ = newDpi;
    // The frame and the menu bar are drawn for the new DPI at the suggested size, which is the
    // old one scaled: there they are measured again, and the window fitted around the meter.
    SetWindowPos(window(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    measureFrameInsets();
    meter_->setLook(currencyLook());
    fitAroundMeter(SWP_NOZORDER | SWP_NOACTIVATE, suggested.left, suggested.top);
    tip_.attach(meter_->window());
    applyNotificationIcon();  // the icon at the new resolution's size
}

void MainWindow::onPlaced() {
    // Minimised, restored, hidden or shown: the meter ticks only while it can be seen.
    WINDOWPLACEMENT shown{};
    shown.length = sizeof shown;
    if (GetWindowPlacement(window(), &shown)) {
        Placement placement;
        static_assert(sizeof placement == sizeof shown, "laid out as WINDOWPLACEMENT");
        std::memcpy(&placement, &shown, sizeof placement);
        events_.placed(placement);
    }
    if (meter_) {
        meter_->schedule();
    }
}
