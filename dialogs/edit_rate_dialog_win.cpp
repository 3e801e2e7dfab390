#include "dialogs/dialogs_win.h"
#include "resources/resource.h"
#include "win32/modal_dialog.h"

namespace {

struct EditRateSession : DialogSession {
    EditRate& dialog;
    Rate& live;
    // Writing the fields raises their change notifications, which are not the user's edits.
    bool writing = false;
    // Once the dialog ends, the focus leaving a field on its way out applies nothing.
    bool ended = false;

    EditRateSession(EditRate& d, Rate& r) : dialog(d), live(r) {}

    void readFields(HWND window) {
        for (const RateField& field : RATE_FIELDS) {
            readDialogText(window, field.id, dialog.text(field.id),
                           static_cast<int>(RATE_TEXT_SIZE));
        }
    }

    void carryOutDecision(HWND window) {
        if (dialog.decision.writeFields) {
            writing = true;
            for (const RateField& field : RATE_FIELDS) {
                SetDlgItemTextA(window, field.id, dialog.text(field.id));
            }
            writing = false;
        }
        ended = dialog.decision.end;
        carryOut(window, dialog.decision);
    }

    BOOL onInit(HWND window) {
        dialog.opened(live);
        carryOutDecision(window);
        return TRUE;  // the system puts the focus into the first field
    }

    bool onCommand(HWND window, int id, int notification, WPARAM) {
        const bool field = dialog.text(id) != nullptr;
        if (ended) {
            return false;
        } else if (id == IDOK) {
            readFields(window);
            dialog.ok(live);
        } else if (id == IDCANCEL) {
            dialog.cancel();
        } else if (field && notification == EN_CHANGE) {
            if (writing) {
                return true;
            }
            dialog.textChanged(id);
        } else if (field && notification == EN_KILLFOCUS) {
            readFields(window);
            dialog.fieldLeft(id);
        } else {
            return false;
        }
        carryOutDecision(window);
        return true;
    }
};

}  // namespace

void runEditRateDialog(HINSTANCE instance, HWND owner, EditRate& working, Rate& live) {
    EditRateSession session(working, live);
    runSessionDialog(instance, IDD_EDIT_RATE, owner, session);
}
