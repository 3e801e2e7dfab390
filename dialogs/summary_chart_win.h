#pragma once

#include <windows.h>

#include "dialogs/summary_chart.h"
#include "win32/handles.h"
#include "win32/window_procedure.h"

// The class of the Summary's chart, a control of its dialog's template.
extern const char CHART_CLASS_NAME[];
// The notification the chart sends its dialog (WM_COMMAND) when a day is picked, by a click or
// the arrow keys.
constexpr WORD CHART_PICKED = 1;

// The chart of the last days: bars drawn with plain fills at the control's own size, through a
// buffer, so that nothing flickers and nothing is scaled; each bar's day and figure in a tooltip;
// and, as its window text, what a screen reader reads.
class SummaryChartControl : public BaseWindow<SummaryChartControl> {
  public:
    // Makes the class known, before a dialog holding the control is made; false when it cannot.
    static bool registerClass(HINSTANCE instance);

    // Takes over the control `control` of a dialog, to show `data`, its money after `sign`.
    void adopt(HWND control, const ChartData& data, const char* sign, const NumberStyle& style);
    // The day picked, -1 until one is.
    int picked() const { return picked_; }

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    // Where its parts lie now, in its client area: for text drawn in `dc`, or in its font.
    ChartLayout layout(HDC dc) const;
    ChartLayout layout() const;
    void pick(int day);
    void paint();
    void addTips();

    ChartData data_{};
    char sign_[4] = "";
    NumberStyle style_;
    int picked_ = -1;
    HWND tips_ = nullptr;
};
