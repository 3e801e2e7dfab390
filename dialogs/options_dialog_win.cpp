#include "dialogs/dialog_session_win.h"
#include "dialogs/dialogs_win.h"
#include "dialogs/options.h"
#include "resources/resource.h"

namespace {

struct OptionsSession : DialogSession {
    OptionsChoice& dialog;
    int stored;

    OptionsSession(OptionsChoice& d, int minutes) : dialog(d), stored(minutes) {}

    void writeFields(HWND window) { SetDlgItemTextA(window, IDC_OPTIONS_MINUTES, dialog.minutes); }

    BOOL onInit(HWND window) {
        carryOut(window, *this, dialog.opened(stored, startupShortcutExists()));
        return TRUE;
    }

    bool onCommand(HWND window, int, int, WPARAM wParam) {
        if (wParam == IDCANCEL) {
            carryOut(window, *this, dialog.cancel());
            return true;
        }
        if (wParam != IDOK) {
            return false;
        }
        readDialogText(window, IDC_OPTIONS_MINUTES, dialog.minutes);
        const bool start = IsDlgButtonChecked(window, IDC_OPTIONS_START) == BST_CHECKED;
        const DialogDecision decision =
            dialog.ok(IsDlgButtonChecked(window, IDC_OPTIONS_ASK) == BST_CHECKED, start);
        if (decision.end && start != startupShortcutExists() && !setStartupShortcut(start)) {
            // The box shows what is there, and the dialog stays open for another try.
            CheckDlgButton(window, IDC_OPTIONS_START,
                           startupShortcutExists() ? BST_CHECKED : BST_UNCHECKED);
            MessageBoxA(window, OPTIONS_SHORTCUT_FAILED_TEXT, "Options", MB_ICONERROR);
            return true;
        }
        carryOut(window, *this, decision);
        return true;
    }
};

}  // namespace

std::optional<int> runOptionsDialog(HINSTANCE instance, HWND owner, int storedMinutes) {
    OptionsChoice working;
    OptionsSession session(working, storedMinutes);
    return runSessionDialog(instance, IDD_OPTIONS, owner, session) == 1
               ? std::optional<int>(working.awayMinutes)
               : std::nullopt;
}
