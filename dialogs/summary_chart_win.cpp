#include "dialogs/summary_chart_win.h"

#include <commctrl.h>

#include <cstring>

const char CHART_CLASS_NAME[] = "CointrelChart";

namespace {

// Halfway between two colours: a weekend's lighter bar, and its shaded slot.
COLORREF between(COLORREF a, COLORREF b) {
    return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
               (GetBValue(a) + GetBValue(b)) / 2);
}

void fill(HDC dc, const ChartRect& r, COLORREF colour) {
    const RECT area{r.left, r.top, r.right, r.bottom};
    UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &area, brush.get());
}

void write(HDC dc, const ChartRect& r, const char* text, UINT align) {
    RECT area{r.left, r.top, r.right, r.bottom};
    DrawTextA(dc, text, -1, &area, align | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

HFONT fontOf(HWND control) {
    return reinterpret_cast<HFONT>(SendMessageA(GetParent(control), WM_GETFONT, 0, 0));
}

}  // namespace

bool SummaryChartControl::registerClass(HINSTANCE instance) {
    return registerWindowClass(
        windowClass(instance, CHART_CLASS_NAME, procedure, CS_HREDRAW | CS_VREDRAW));
}

void SummaryChartControl::adopt(HWND control, const ChartData& data, const char* sign,
                                const NumberStyle& style) {
    if (control == nullptr) {
        return;
    }
    data_ = data;
    std::strncpy(sign_, sign, sizeof sign_ - 1);
    style_ = style;
    BaseWindow::adopt(control);
    SetWindowTextA(control, chartReading(data_, sign_, style_).text);
    addTips();
    InvalidateRect(control, nullptr, FALSE);
}

ChartLayout SummaryChartControl::layout(HDC dc) const {
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    RECT client{};
    GetClientRect(window(), &client);
    return chartLayout(data_, client.right, client.bottom,
                       metrics.tmHeight > 0 ? metrics.tmHeight : 13);
}

ChartLayout SummaryChartControl::layout() const {
    WindowDC dc(window());
    SelectionScope font(dc.get(), fontOf(window()));
    return layout(dc.get());
}

void SummaryChartControl::addTips() {
    // Owned by no window, as the meter's is; it goes with the chart.
    tips_ = CreateWindowExA(
        WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window(), GWLP_HINSTANCE)), nullptr);
    if (tips_ == nullptr) {
        return;
    }
    const ChartLayout parts = layout();
    for (int i = 0; i < SUMMARY_DAYS; ++i) {
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = window();
        tool.uId = static_cast<UINT_PTR>(i);
        tool.rect = {parts.slots[i].left, parts.slots[i].top, parts.slots[i].right,
                     parts.slots[i].bottom};
        tool.lpszText = LPSTR_TEXTCALLBACKA;
        SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void SummaryChartControl::pick(int day) {
    if (day < 0 || day >= SUMMARY_DAYS) {
        return;
    }
    picked_ = day;
    InvalidateRect(window(), nullptr, FALSE);
    SendMessageA(GetParent(window()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window()), CHART_PICKED),
                 reinterpret_cast<LPARAM>(window()));
}

void SummaryChartControl::paint() {
    PaintScope paint(window());
    RECT client{};
    GetClientRect(window(), &client);
    // Drawn whole into a buffer of the client's own size, then copied once: no flicker.
    UniqueMemoryDC dc(CreateCompatibleDC(paint.get()));
    UniqueBitmap buffer(CreateCompatibleBitmap(paint.get(), client.right, client.bottom));
    if (!dc || !buffer) {
        return;
    }
    SelectionScope drawing(dc.get(), buffer.get());
    SelectionScope font(dc.get(), fontOf(window()));
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    const COLORREF bar = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    fill(dc.get(), {0, 0, client.right, client.bottom}, background);
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), text);
    const ChartLayout parts = layout(dc.get());
    SIZE widest{};
    GetTextExtentPoint32A(dc.get(), "30", 2, &widest);
    for (int i = 0; i < SUMMARY_DAYS; ++i) {
        const ChartDay& day = data_.days[i];
        const ChartRect& slot = parts.slots[i];
        if (day.weekend) {
            fill(dc.get(), slot, between(background, GetSysColor(COLOR_BTNFACE)));
        }
        fill(dc.get(), parts.bars[i], day.weekend ? between(bar, background) : bar);
        write(dc.get(), parts.initials[i], chartInitial(day.day).text, DT_CENTER);
        // The date where it fits; where not, on Mondays.
        if (slot.right - slot.left > widest.cx || day.day % 7 == 0) {
            write(dc.get(), parts.dates[i], chartDate(day.day).text, DT_CENTER);
        }
        if (i == picked_) {
            const RECT frame{slot.left, slot.top, slot.right, slot.bottom};
            if (GetFocus() == window()) {
                DrawFocusRect(dc.get(), &frame);
            }
            const RECT under{slot.left, parts.baseline, slot.right, parts.baseline + 2};
            UniqueBrush mark(CreateSolidBrush(text));
            FillRect(dc.get(), &under, mark.get());
        }
    }
    fill(dc.get(), {0, parts.baseline, client.right, parts.baseline + 1},
         GetSysColor(COLOR_GRAYTEXT));
    if (data_.tallest >= 0) {
        write(dc.get(), parts.figure,
              groupedMoney(data_.days[data_.tallest].amount, sign_, style_).text,
              (parts.figureSide < 0   ? DT_LEFT
               : parts.figureSide > 0 ? DT_RIGHT
                                      : DT_CENTER) |
                  DT_BOTTOM);
    }
    BitBlt(paint.get(), 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
}

LRESULT SummaryChartControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers it all
        case WM_LBUTTONDOWN:
            SetFocus(window());
            pick(chartDayAt(layout(), static_cast<short>(LOWORD(lParam))));
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_KEYDOWN:
            if (wParam == VK_LEFT || wParam == VK_RIGHT || wParam == VK_HOME || wParam == VK_END) {
                const int from = picked_ < 0 ? SUMMARY_DAYS - 1 : picked_;
                pick(wParam == VK_HOME  ? 0
                     : wParam == VK_END ? SUMMARY_DAYS - 1
                                        : from + (wParam == VK_LEFT ? -1 : 1));
                return 0;
            }
            return passOn(message, wParam, lParam);
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(window(), nullptr, FALSE);
            return 0;
        case WM_NOTIFY: {
            auto* request = reinterpret_cast<NMTTDISPINFOA*>(lParam);
            if (request->hdr.code == TTN_GETDISPINFOA && request->hdr.idFrom < SUMMARY_DAYS) {
                std::strncpy(request->szText,
                             chartTip(data_.days[request->hdr.idFrom], sign_, style_).text,
                             sizeof request->szText - 1);
                request->szText[sizeof request->szText - 1] = '\0';
            }
            return 0;
        }
        case WM_DESTROY:
            if (tips_ != nullptr) {
                DestroyWindow(tips_);
                tips_ = nullptr;
            }
            return 0;
        default:
            return passOn(message, wParam, lParam);
    }
}
