#include "dialogs/dialog_session_win.h"
#include "dialogs/dialogs_win.h"
#include "dialogs/options.h"
#include "resources/resource.h"

namespace {

bool checked(HWND window, int id) {
    return IsDlgButtonChecked(window, id) == BST_CHECKED;
}

struct OptionsSession : DialogSession {
    OptionsChoice& dialog;
    const OptionsValues& stored;

    OptionsSession(OptionsChoice& d, const OptionsValues& s) : dialog(d), stored(s) {}

    void writeFields(HWND window) {
        SetDlgItemTextA(window, IDC_OPTIONS_MINUTES, dialog.minutes);
        SetDlgItemTextA(window, IDC_OPTIONS_MINUTES_LABEL, dialog.unit);
        SetDlgItemTextA(window, IDC_OPTIONS_REFUSAL, dialog.refusal);
    }

    // Hiding when minimised needs the icon to come back by.
    static void followIcon(HWND window) {
        EnableWindow(GetDlgItem(window, IDC_OPTIONS_HIDE), checked(window, IDC_OPTIONS_ICON));
    }

    BOOL onInit(HWND window) {
        carryOut(window, *this, dialog.opened(stored, startupShortcutExists()));
        followIcon(window);
        return TRUE;
    }

    bool onCommand(HWND window, int id, int notification, WPARAM wParam) {
        if (id == IDC_OPTIONS_MINUTES && notification == EN_CHANGE) {
            // The unit alone: the field is being typed in.
            readDialogText(window, IDC_OPTIONS_MINUTES, dialog.minutes);
            dialog.minutesChanged();
            SetDlgItemTextA(window, IDC_OPTIONS_MINUTES_LABEL, dialog.unit);
            return true;
        }
        if (id == IDC_OPTIONS_ICON && notification == BN_CLICKED) {
            followIcon(window);
            return true;
        }
        if (wParam == IDCANCEL) {
            carryOut(window, *this, dialog.cancel());
            return true;
        }
        if (wParam != IDOK) {
            return false;
        }
        readDialogText(window, IDC_OPTIONS_MINUTES, dialog.minutes);
        const bool start = checked(window, IDC_OPTIONS_START);
        const DialogDecision decision =
            dialog.ok(checked(window, IDC_OPTIONS_ASK), start, checked(window, IDC_OPTIONS_ICON),
                      checked(window, IDC_OPTIONS_HIDE));
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

std::optional<OptionsValues> runOptionsDialog(HINSTANCE instance, HWND owner,
                                              const OptionsValues& stored) {
    OptionsChoice working;
    OptionsSession session(working, stored);
    return runSessionDialog(instance, IDD_OPTIONS, owner, session) == 1
               ? std::optional<OptionsValues>(working.values)
               : std::nullopt;
}
