#include "dialogs/dialogs_win.h"
#include "resources/resource.h"
#include "dialogs/dialog_session_win.h"

namespace {

struct NewActivitySession : DialogSession {
    NewActivity& dialog;
    const Settings& settings;

    NewActivitySession(NewActivity& d, const Settings& s) : dialog(d), settings(s) {}

    BOOL onInit(HWND window) {
        carryOut(window, *this, dialog.opened(settings.activitiesFile));
        SetFocus(GetDlgItem(window, IDC_NEW_ACTIVITY_NAME));
        return FALSE;
    }

    DialogDecision onOk(HWND window) {
        readDialogText(window, IDC_NEW_ACTIVITY_NAME, dialog.name,
                       static_cast<int>(NEW_ACTIVITY_READ_SIZE));
        const bool unpaid = IsDlgButtonChecked(window, IDC_NEW_ACTIVITY_UNPAID) == BST_CHECKED;
        const DialogDecision decision = dialog.ok(unpaid);
        switch (dialog.outcome) {
            case NewActivity::Outcome::CannotOpen:
                MessageBoxA(window, NEW_ACTIVITY_OPEN_FAILED_TEXT, NEW_ACTIVITY_OPEN_FAILED_CAPTION,
                            MB_ICONERROR);
                break;
            case NewActivity::Outcome::Added:
            case NewActivity::Outcome::NoName:
                break;
        }
        return decision;
    }

    // Button clicks only: the whole parameter is the id with notification 0.
    bool onCommand(HWND window, int, int, WPARAM wParam) {
        if (wParam == IDOK) {
            carryOut(window, *this, onOk(window));
        } else if (wParam == IDCANCEL) {
            carryOut(window, *this, dialog.cancel());
        } else {
            return false;
        }
        return true;
    }
};

}  // namespace

std::optional<AddedActivity> runNewActivityDialog(HINSTANCE instance, HWND owner,
                                                  const Settings& settings) {
    NewActivity working;
    NewActivitySession session(working, settings);
    runSessionDialog(instance, IDD_NEW_ACTIVITY, owner, session);
    if (working.outcome != NewActivity::Outcome::Added) {
        return std::nullopt;
    }
    AddedActivity added{"", working.paid};
    copyText(added.name, working.name);
    return added;
}
