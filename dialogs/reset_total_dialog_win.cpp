#include "dialogs/dialogs_win.h"
#include "dialogs/reset_total.h"
#include "resources/resource.h"
#include "dialogs/dialog_session_win.h"

namespace {

struct ResetTotalSession : DialogSession {
    ResetTotal& dialog;
    double total;

    ResetTotalSession(ResetTotal& d, double t) : dialog(d), total(t) {}

    void writeFields(HWND window) { SetDlgItemTextA(window, IDC_RESET_TOTAL, dialog.text); }

    void carryOutDecision(HWND window, const DialogDecision& decision) {
        carryOut(window, *this, decision);
    }

    BOOL onInit(HWND window) {
        carryOutDecision(window, dialog.opened(total));
        // Selected and focused, so that typing replaces the total shown.
        HWND field = GetDlgItem(window, IDC_RESET_TOTAL);
        SendMessageA(field, EM_SETSEL, 0, -1);
        SetFocus(field);
        return FALSE;
    }

    // Button clicks only: the whole parameter is the id with notification 0.
    bool onCommand(HWND window, int, int, WPARAM wParam) {
        if (wParam == IDOK) {
            readDialogText(window, IDC_RESET_TOTAL, dialog.text, static_cast<int>(RESET_READ_SIZE));
            carryOutDecision(window, dialog.ok());
        } else if (wParam == IDCANCEL) {
            carryOutDecision(window, dialog.cancel());
        } else if (wParam == IDC_RESET_ZERO) {
            carryOutDecision(window, dialog.zero());
        } else {
            return false;
        }
        return true;
    }
};

}  // namespace

std::optional<double> runResetTotalDialog(HINSTANCE instance, HWND owner, double total) {
    ResetTotal working;
    ResetTotalSession session(working, total);
    runSessionDialog(instance, IDD_RESET_TOTAL, owner, session);
    return working.resetRequested ? std::optional<double>(working.newTotal) : std::nullopt;
}
