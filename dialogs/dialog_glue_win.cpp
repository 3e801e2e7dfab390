#include "dialogs/dialogs_win.h"

void carryOut(HWND dialog, const DialogDecision& decision) {
    for (std::size_t i = 0; i < decision.checkCount; ++i) {
        CheckDlgButton(dialog, decision.checks[i].id,
                       decision.checks[i].checked ? BST_CHECKED : BST_UNCHECKED);
    }
    if (decision.end) {
        EndDialog(dialog, decision.result);
    }
}
