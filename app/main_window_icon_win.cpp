// The main window's icon in the notification area: shown while the settings say so, its tip read
// as the pointer comes over it, a left click bringing the window back, and a menu of the window's
// own commands.

#include "app/main_window_win.h"

#include <shellapi.h>
#include <windowsx.h>

#include <cstdio>

#include "app/activity_menus_win.h"
#include "meter/currency.h"
#include "meter/digits_bitmap_win.h"
#include "meter/odometer.h"
#include "resources/resource.h"
#include "win32/system_library.h"

void MainWindow::applyNotificationIcon() {
    if (window() == nullptr) {
        return;
    }
    if (day_.settings().notificationIcon) {
        icon_.show(window(), smallIcon(), iconTip().text);
    } else {
        icon_.hide();
    }
    // Hidden behind an icon that is no more: back on the taskbar.
    if (!icon_.shown() && !IsWindowVisible(window())) {
        restore();
    }
}

HICON MainWindow::smallIcon() const {
    using GetSystemMetricsForDpi = int WINAPI(int, UINT);
    static auto* const forDpi =
        systemFunction<GetSystemMetricsForDpi>("user32.dll", "GetSystemMetricsForDpi");
    const int width = forDpi != nullptr ? forDpi(SM_CXSMICON, dpi_) : GetSystemMetrics(SM_CXSMICON);
    const int height =
        forDpi != nullptr ? forDpi(SM_CYSMICON, dpi_) : GetSystemMetrics(SM_CYSMICON);
    return static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(IDI_COINTREL), IMAGE_ICON,
                                         width, height, LR_DEFAULTCOLOR));
}

ShortText MainWindow::iconTip() const {
    // "£12.34 · Working": the total as the meter shows it, and the activity.
    char sign[4] = "";
    currencySignText(day_.settings().currency, sign);
    char total[READABLE_TOTAL_SIZE];
    readableTotal(day_.currentTotal(), day_.settings().decimals, sign, total);
    ShortText tip;
    std::snprintf(tip.text, sizeof tip.text, "%s \xB7 %.80s", total, day_.currentActivityName());
    return tip;
}

void MainWindow::restore() {
    if (!IsWindowVisible(window())) {
        ShowWindow(window(), SW_SHOW);
    }
    if (IsIconic(window())) {
        ShowWindow(window(), SW_RESTORE);
    }
    SetForegroundWindow(window());
}

UniqueMenu MainWindow::iconMenu() const {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) {
        return menu;
    }
    appendActivityItems(day_.activities(), menu.get(), ACTIVITY_COMMAND_BASE);
    if (day_.current() >= 0) {
        CheckMenuItem(menu.get(), ACTIVITY_COMMAND_BASE + static_cast<UINT>(day_.current()),
                      MF_BYCOMMAND | MF_CHECKED);
    }
    AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu.get(), MF_STRING, CMD_SUMMARY, "&Summary...");
    AppendMenuA(menu.get(), MF_STRING, CMD_OPTIONS, "&Options...");
    AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu.get(), MF_STRING, CMD_EXIT, "E&xit");
    return menu;
}

void MainWindow::onIconEvent(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(lParam) != NOTIFICATION_ICON_ID) {
        return;
    }
    switch (LOWORD(lParam)) {
        case WM_MOUSEMOVE:
            // Read as the pointer comes over it: nothing wakes for it meanwhile.
            icon_.setTip(iconTip().text);
            return;
        case NIN_SELECT:
        case NIN_KEYSELECT:
            restore();
            return;
        case WM_CONTEXTMENU: {
            const UniqueMenu menu = iconMenu();
            // In front, so that the menu goes when the user clicks elsewhere; its command comes
            // to this window as the menu bar's do.
            SetForegroundWindow(window());
            TrackPopupMenuEx(menu.get(), TPM_RIGHTBUTTON, GET_X_LPARAM(wParam),
                             GET_Y_LPARAM(wParam), window(), nullptr);
            PostMessageA(window(), WM_NULL, 0, 0);
            return;
        }
        default:
            return;
    }
}
