#include "dialogs/dialogs_win.h"

#include <commctrl.h>

#include "resources/resource.h"
#include "dialogs/dialog_session_win.h"

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
    const LedgerSummary& summary;
    const char* first;
    const CurrencySigns& signs;
    const Settings& settings;
    bool keep;

    SummarySession(const LedgerSummary& s, const char* code, const CurrencySigns& shown,
                   const Settings& kept)
        : summary(s), first(code), signs(shown), settings(kept), keep(kept.ledger) {}

    BOOL onInit(HWND window) {
        HWND periods = GetDlgItem(window, IDC_SUMMARY_PERIODS);
        addColumns(periods, PERIOD_COLUMNS);
        for (int r = 0; r < SUMMARY_RANGES; ++r) {
            const RangeSum& range = summary.ranges[r];
            addRow(periods, {SUMMARY_RANGE_NAMES[r], hoursAndMinutes(range.paidSeconds).text,
                             moneyText(range.earned, first, signs).text,
                             hoursAndMinutes(range.unpaidSeconds).text});
        }
        fitColumns(periods, PERIOD_COLUMNS);
        addColumns(GetDlgItem(window, IDC_SUMMARY_ACTIVITIES), ACTIVITY_COLUMNS);
        CheckDlgButton(window, IDC_SUMMARY_KEEP, settings.ledger ? BST_CHECKED : BST_UNCHECKED);
        SetDlgItemTextA(window, IDC_SUMMARY_NOTE,
                        summaryNote(summary, settings.ledgerFile, DEFAULT_LEDGER_FILE).text);
        // Today, picked: its activities fill the list below.
        LVITEMA pick{};
        pick.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        pick.state = pick.stateMask;
        SendMessageA(periods, LVM_SETITEMSTATE, TODAY, reinterpret_cast<LPARAM>(&pick));
        showActivities(window, TODAY);
        return TRUE;
    }

    void showActivities(HWND window, int range) {
        HWND list = GetDlgItem(window, IDC_SUMMARY_ACTIVITIES);
        SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
        const RangeSum& sums = summary.ranges[range];
        for (std::size_t i = 0; i < sums.activityCount; ++i) {
            const ActivitySum& a = sums.activities[i];
            addRow(list, {a.name, hoursAndMinutes(a.seconds).text,
                          moneyText(a.earned, first, signs).text});
        }
        fitColumns(list, ACTIVITY_COLUMNS);
    }

    const char* workingFile() const { return settings.ledgerFile; }

    bool onNotify(HWND window, const NMHDR& header) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (header.idFrom != IDC_SUMMARY_PERIODS || header.code != LVN_ITEMCHANGED ||
            (change.uNewState & LVIS_SELECTED) == 0 || change.iItem < 0 ||
            change.iItem >= SUMMARY_RANGES) {
            return false;
        }
        showActivities(window, change.iItem);
        return true;
    }

    // Button clicks only: the whole parameter is the id with notification 0.
    bool onCommand(HWND window, int, int, WPARAM wParam) {
        if (wParam == IDOK || wParam == IDCANCEL) {
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

std::optional<bool> runSummaryDialog(HINSTANCE instance, HWND owner, const LedgerSummary& summary,
                                     const char* first, const CurrencySigns& signs,
                                     const Settings& settings) {
    SummarySession session(summary, first, signs, settings);
    runSessionDialog(instance, IDD_SUMMARY, owner, session);
    return session.keep != settings.ledger ? std::optional<bool>(session.keep) : std::nullopt;
}
