#include "dialogs/dialog_session_win.h"
#include "dialogs/dialogs_win.h"
#include "resources/resource.h"

namespace {

struct TimeAwaySession : DialogSession {
    const char* question;
    const char* keep;
    const Activities& activities;
    int first;
    int picked = -1;

    TimeAwaySession(const char* q, const char* k, const Activities& a, int f)
        : question(q), keep(k), activities(a), first(f) {}

    BOOL onInit(HWND window) {
        SetDlgItemTextA(window, IDC_AWAY_TEXT, question);
        SetDlgItemTextA(window, IDC_AWAY_KEEP_NOTE, keep);
        HWND list = GetDlgItem(window, IDC_AWAY_ACTIVITY);
        for (int i = 0; i < activities.count; ++i) {
            char item[MAX_ACTIVITY_NAME + 16];
            lstrcpynA(item, activities.name(i), MAX_ACTIVITY_NAME + 1);
            if (activities.paid[static_cast<std::size_t>(i)] == 0) {
                lstrcatA(item, " (unpaid)");
            }
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(first), 0);
        return TRUE;
    }

    // Button clicks only: the whole parameter is the id with notification 0.
    bool onCommand(HWND window, int, int, WPARAM wParam) {
        if (wParam == IDOK) {
            picked = static_cast<int>(
                SendDlgItemMessageA(window, IDC_AWAY_ACTIVITY, CB_GETCURSEL, 0, 0));
            carryOut(window, *this, DialogDecision::ending(1));
        } else if (wParam == IDCANCEL) {
            carryOut(window, *this, DialogDecision::ending(0));
        } else {
            return false;
        }
        return true;
    }
};

}  // namespace

std::optional<int> runTimeAwayDialog(HINSTANCE instance, HWND owner, const char* question,
                                     const char* keep, const Activities& activities, int first) {
    TimeAwaySession session(question, keep, activities, first);
    return runSessionDialog(instance, IDD_TIME_AWAY, owner, session) == 1 && session.picked >= 0
               ? std::optional<int>(session.picked)
               : std::nullopt;
}
