#include "app/meter_tip_win.h"

#include <commctrl.h>

#include "meter/digits_bitmap_win.h"

int firstDayOfWeek() {
    char text[4] = "";
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, text, sizeof text) > 0 &&
                   text[0] >= '0' && text[0] <= '6'
               ? text[0] - '0'
               : 0;
}

void MeterTip::attach(HWND meterWindow) {
    if (meterWindow == nullptr) {
        return;
    }
    if (tip_ == nullptr) {
        // Owned by no window: a tooltip owned by the main window keeps Wine from making that
        // window always on top. It goes with the main window (WM_DESTROY).
        tip_ = CreateWindowExA(
            WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
            reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(meterWindow, GWLP_HINSTANCE)), nullptr);
    }
    if (tip_ == nullptr) {
        return;
    }
    // The meter's parent, the main window, answers for the text.
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = GetParent(meterWindow);
    if (tipped_ != nullptr) {
        tool.uId = reinterpret_cast<UINT_PTR>(tipped_);
        SendMessageA(tip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.uId = reinterpret_cast<UINT_PTR>(meterWindow);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    tipped_ = meterWindow;
}

void MeterTip::detach() {
    if (tip_ != nullptr) {
        DestroyWindow(tip_);
        tip_ = nullptr;
        tipped_ = nullptr;
    }
}

const CurrencySigns& currencySigns() {
    static char signs[3][4];
    static const CurrencySigns all = [] {
        for (int currency = 0; currency < 3; ++currency) {
            currencySignText(currency, signs[currency]);
        }
        return CurrencySigns{{signs[0], signs[1], signs[2], ""}};
    }();
    return all;
}

NumberStyle localeNumberStyle() {
    NumberStyle style;
    const auto read = [](LCTYPE what, char* out, int size) {
        char text[16] = "";
        if (GetLocaleInfoA(LOCALE_USER_DEFAULT, what, text, sizeof text) > 0 &&
            lstrlenA(text) < size) {
            lstrcpyA(out, text);
        }
    };
    read(LOCALE_STHOUSAND, style.thousands, sizeof style.thousands);
    read(LOCALE_SGROUPING, style.grouping, sizeof style.grouping);
    read(LOCALE_SDECIMAL, style.decimal, sizeof style.decimal);
    return style;
}

ShortText MeterTip::text(Workday& day) {
    const std::unique_ptr<LedgerSummary> all = day.summary(firstDayOfWeek());
    return all ? todayFigure(all->ranges[TODAY], currencyCode(day.settings().currency),
                             currencySigns(), localeNumberStyle())
               : ShortText{};
}
