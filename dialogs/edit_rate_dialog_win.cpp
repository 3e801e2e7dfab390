#include "dialogs/dialogs_win.h"
#include "dialogs/edit_rate.h"
#include "resources/resource.h"
#include "dialogs/dialog_session_win.h"

namespace {

struct EditRateSession : DialogSession {
    EditRate& dialog;
    Rate& live;
    // Writing the fields raises their change notifications, which are not the user's edits.
    bool writing = false;
    // Once the dialog ends, the focus leaving a field on its way out applies nothing.
    bool ended = false;
    bool accepted = false;

    EditRateSession(EditRate& d, Rate& r) : dialog(d), live(r) {}

    void readFields(HWND window) {
        for (const RateField& field : RATE_FIELDS) {
            readDialogText(window, field.id, dialog.text(field.id),
                           static_cast<int>(RATE_TEXT_SIZE));
        }
    }

    void writeFields(HWND window) {
        writing = true;
        for (const RateField& field : RATE_FIELDS) {
            SetDlgItemTextA(window, field.id, dialog.text(field.id));
        }
        writing = false;
    }

    void carryOutDecision(HWND window, const DialogDecision& decision) {
        ended = decision.end;
        carryOut(window, *this, decision);
    }

    BOOL onInit(HWND window) {
        carryOutDecision(window, dialog.opened(live));
        return TRUE;  // the system puts the focus into the first field
    }

    bool onCommand(HWND window, int id, int notification, WPARAM) {
        const bool field = dialog.text(id) != nullptr;
        if (ended) {
            return false;
        } else if (id == IDOK) {
            readFields(window);
            accepted = true;
            carryOutDecision(window, dialog.ok(live));
        } else if (id == IDCANCEL) {
            carryOutDecision(window, dialog.cancel());
        } else if (field && notification == EN_CHANGE) {
            if (!writing) {
                carryOutDecision(window, dialog.textChanged(id));
            }
        } else if (field && notification == EN_KILLFOCUS) {
            readFields(window);
            carryOutDecision(window, dialog.fieldLeft(id));
        } else {
            return false;
        }
        return true;
    }
};

}  // namespace

std::optional<Rate> runEditRateDialog(HINSTANCE instance, HWND owner, const Rate& rate) {
    EditRate working;
    Rate accepted = rate;
    EditRateSession session(working, accepted);
    runSessionDialog(instance, IDD_EDIT_RATE, owner, session);
    return session.accepted ? std::optional<Rate>(accepted) : std::nullopt;
}
