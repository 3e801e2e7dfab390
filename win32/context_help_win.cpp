#include "win32/context_help.h"

#include <algorithm>

#include "win32/handles.h"
#include "win32/window_procedure.h"

namespace {

HFONT dialogFont(HWND dialog) {
    return reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
}

// The margins around the text (left, top) and its widest line (right), in dialog units turned
// into the dialog's pixels, so that the popup grows with the dialog's font.
RECT popupMetrics(HWND dialog) {
    RECT metrics{4, 3, 160, 0};
    MapDialogRect(dialog, &metrics);
    return metrics;
}

void paintPopup(HWND popup) {
    PaintScope paint(popup);
    HWND dialog = GetWindow(popup, GW_OWNER);
    RECT area{};
    GetClientRect(popup, &area);
    char text[512] = "";
    GetWindowTextA(popup, text, sizeof text);
    SelectionScope font(paint.get(), dialogFont(dialog));
    SetBkMode(paint.get(), TRANSPARENT);
    SetTextColor(paint.get(), GetSysColor(COLOR_INFOTEXT));
    const RECT margins = popupMetrics(dialog);
    InflateRect(&area, -margins.left, -margins.top);
    DrawTextA(paint.get(), text, -1, &area, DT_WORDBREAK | DT_NOPREFIX);
}

LRESULT CALLBACK popupProcedure(HWND popup, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paintPopup(popup);
            return 0;
        // Like a tooltip, it goes at the next click or key, or when the user turns elsewhere.
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            DestroyWindow(popup);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                PostMessageA(popup, WM_CLOSE, 0, 0);
            }
            return 0;
        default:
            return DefWindowProcA(popup, message, wParam, lParam);
    }
}

bool registerPopupClass(HINSTANCE instance) {
    WNDCLASSEXA popupClass =
        windowClass(instance, HELP_POPUP_CLASS, popupProcedure, CS_DROPSHADOW | CS_SAVEBITS);
    popupClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
    return registerWindowClass(popupClass);
}

// Where a popup of that size goes: under the control, or above it when there is no room below,
// and always on the control's screen.
POINT popupPlace(HWND control, const RECT& margins, int width, int height) {
    RECT at{};
    GetWindowRect(control, &at);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(control, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    POINT place{at.left + margins.left, at.bottom + margins.top};
    if (place.y + height > work.bottom) {
        place.y = at.top - margins.top - height;
    }
    place.x = std::max(work.left, std::min(place.x, work.right - width));
    place.y = std::max(work.top, std::min(place.y, work.bottom - height));
    return place;
}

}  // namespace

bool showContextHelp(HWND dialog, int templateId, const HELPINFO& request) {
    if (request.iContextType != HELPINFO_WINDOW || request.iCtrlId <= 0) {
        return false;
    }
    auto* control = static_cast<HWND>(request.hItemHandle);
    auto* instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
    char text[512] = "";
    const auto load = [&](int id) { return LoadStringA(instance, id, text, sizeof text) > 0; };
    if (!(load(templateId * 1000 + request.iCtrlId) || load(1000 + request.iCtrlId)) ||
        !registerPopupClass(instance)) {
        return false;
    }
    const RECT margins = popupMetrics(dialog);
    RECT textArea{0, 0, margins.right, 0};
    {
        WindowDC dc(dialog);
        SelectionScope font(dc.get(), dialogFont(dialog));
        DrawTextA(dc.get(), text, -1, &textArea, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }
    const int width = textArea.right + 2 * (margins.left + GetSystemMetrics(SM_CXBORDER));
    const int height = textArea.bottom + 2 * (margins.top + GetSystemMetrics(SM_CYBORDER));
    const POINT place = popupPlace(control, margins, width, height);
    // Owned by the dialog: it stays above it, and goes with it.
    HWND popup =
        CreateWindowExA(WS_EX_TOOLWINDOW, HELP_POPUP_CLASS, text, WS_POPUP | WS_BORDER, place.x,
                        place.y, width, height, dialog, nullptr, instance, nullptr);
    if (popup == nullptr) {
        return false;
    }
    ShowWindow(popup, SW_SHOW);
    return true;
}
