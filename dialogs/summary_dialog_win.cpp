#include "dialogs/dialogs_win.h"

#include <commctrl.h>

#include <cstring>

#include "resources/resource.h"
#include "dialogs/dialog_session_win.h"
#include "dialogs/summary_chart_win.h"

namespace {

void addColumns(HWND list, std::initializer_list<const char*> titles) {
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    int column = 0;
    for (const char* title : titles) {
        LVCOLUMNA c{};
        c.mask = LVCF_TEXT | LVCF_SUBITEM;
        c.pszText = const_cast<char*>(title);
        c.iSubItem = column;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column++),
                     reinterpret_cast<LPARAM>(&c));
    }
}

void addRow(HWND list, std::initializer_list<const char*> texts) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (const char* text : texts) {
        item.pszText = const_cast<char*>(text);
        SendMessageA(list, item.iSubItem == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA,
                     static_cast<WPARAM>(item.iItem), reinterpret_cast<LPARAM>(&item));
        ++item.iSubItem;
    }
}

// Each column as wide as the wider of its title and its texts.
void fitColumns(HWND list, std::initializer_list<const char*> titles) {
    int column = 0;
    for (const char* title : titles) {
        const auto c = static_cast<WPARAM>(column++);
        SendMessageA(list, LVM_SETCOLUMNWIDTH, c, LVSCW_AUTOSIZE);
        const LRESULT texts = SendMessageA(list, LVM_GETCOLUMNWIDTH, c, 0);
        // The title's own width, and room for the margins a header draws around it.
        const LRESULT heading =
            SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(title)) +
            3 * GetSystemMetrics(SM_CXEDGE) * 2 + 4;
        SendMessageA(list, LVM_SETCOLUMNWIDTH, c, texts > heading ? texts : heading);
    }
}

const std::initializer_list<const char*> PERIOD_COLUMNS = {"Period", "Paid time", "Earned",
                                                           "Unpaid time"};
const std::initializer_list<const char*> ACTIVITY_COLUMNS = {"Activity", "Time", "Earned"};

struct SummarySession : DialogSession {
    const SummaryView& view;
    const Settings& settings;
    bool keep;
    SummaryChartControl chart;

    SummarySession(const SummaryView& v, const Settings& kept)
        : view(v), settings(kept), keep(kept.ledger) {}

    ShortText money(const Money& earned) const {
        return moneyText(earned, view.first, view.signs, view.style);
    }

    BOOL onInit(HWND window) {
        HWND periods = GetDlgItem(window, IDC_SUMMARY_PERIODS);
        addColumns(periods, PERIOD_COLUMNS);
        for (int r = 0; r < SUMMARY_RANGES; ++r) {
            const RangeSum& range = view.summary.ranges[r];
            addRow(periods, {SUMMARY_RANGE_NAMES[r], hoursAndMinutes(range.paidSeconds).text,
                             money(range.earned).text, hoursAndMinutes(range.unpaidSeconds).text});
        }
        fitColumns(periods, PERIOD_COLUMNS);
        addColumns(GetDlgItem(window, IDC_SUMMARY_ACTIVITIES), ACTIVITY_COLUMNS);
        CheckDlgButton(window, IDC_SUMMARY_KEEP, settings.ledger ? BST_CHECKED : BST_UNCHECKED);
        SetDlgItemTextA(window, IDC_SUMMARY_NOTE,
                        summaryNote(view.summary, settings.ledgerFile, DEFAULT_LEDGER_FILE).text);
        int kind = 0;
        while (kind < 3 && std::strcmp(currencyCode(kind), view.first) != 0) {
            ++kind;
        }
        const ChartData data = chartOf(view.summary, view.first);
        chart.adopt(GetDlgItem(window, IDC_SUMMARY_CHART), data, view.signs.sign[kind], view.style);
        SetDlgItemTextA(window, IDC_SUMMARY_CHART_NOTE,
                        data.othersLeftOut ? CHART_OTHERS_LEFT_OUT_TEXT : "");
        // Today, picked: its activities fill the list below.
        LVITEMA pick{};
        pick.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        pick.state = pick.stateMask;
        SendMessageA(periods, LVM_SETITEMSTATE, TODAY, reinterpret_cast<LPARAM>(&pick));
        showActivities(window, view.summary.ranges[TODAY]);
        return TRUE;
    }

    void showActivities(HWND window, const RangeSum& sums) {
        HWND list = GetDlgItem(window, IDC_SUMMARY_ACTIVITIES);
        SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
        for (std::size_t i = 0; i < sums.activityCount; ++i) {
            const ActivitySum& a = sums.activities[i];
            addRow(list, {a.name, hoursAndMinutes(a.seconds).text, money(a.earned).text});
        }
        fitColumns(list, ACTIVITY_COLUMNS);
    }

    // A day picked in the chart: its activities below, no period picked above.
    void showDay(HWND window) {
        const std::int64_t day = view.summary.firstDay() + chart.picked();
        if (const std::unique_ptr<LedgerSummary> sums = view.dayOf(day)) {
            LVITEMA none{};
            none.stateMask = LVIS_SELECTED;
            SendDlgItemMessageA(window, IDC_SUMMARY_PERIODS, LVM_SETITEMSTATE,
                                static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
            showActivities(window, sums->ranges[TODAY]);
        }
    }

    const char* workingFile() const { return settings.ledgerFile; }

    bool onNotify(HWND window, const NMHDR& header) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (header.idFrom != IDC_SUMMARY_PERIODS || header.code != LVN_ITEMCHANGED ||
            (change.uNewState & LVIS_SELECTED) == 0 || change.iItem < 0 ||
            change.iItem >= SUMMARY_RANGES) {
            return false;
        }
        showActivities(window, view.summary.ranges[change.iItem]);
        return true;
    }

    bool onCommand(HWND window, int id, int notification, WPARAM wParam) {
        if (id == IDC_SUMMARY_CHART && notification == CHART_PICKED) {
            showDay(window);
        } else if (wParam == IDOK || wParam == IDCANCEL) {
            carryOut(window, *this, DialogDecision::ending(0));
        } else if (wParam == IDC_SUMMARY_OPEN) {
            DialogDecision open;
            open.openFile = true;
            carryOut(window, *this, open);
        } else if (wParam == IDC_SUMMARY_KEEP) {
            keep = IsDlgButtonChecked(window, IDC_SUMMARY_KEEP) == BST_CHECKED;
        } else {
            return false;
        }
        return true;
    }
};

}  // namespace

std::optional<bool> runSummaryDialog(HINSTANCE instance, HWND owner, const SummaryView& view,
                                     const Settings& settings) {
    SummaryChartControl::registerClass(instance);
    SummarySession session(view, settings);
    runSessionDialog(instance, IDD_SUMMARY, owner, session);
    return session.keep != settings.ledger ? std::optional<bool>(session.keep) : std::nullopt;
}
