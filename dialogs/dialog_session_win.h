#pragma once

// The one way every dialog runs: a session of the dialog's own takes each message, and one
// executor carries out what its reactions decide.

#include <windows.h>

#include "dialogs/dialog_decision.h"
#include "win32/context_help.h"
#include "win32/modal_dialog.h"
#include "win32/shell.h"

// Handlers and hooks a session may leave out: a dialog that never decides to write its fields,
// show a preview, open or browse for a file has no need of them.
struct DialogSession {
    void onDestroy(HWND) {}
    void writeFields(HWND) {}
    void showPreview(HWND) {}
    // What the shell opens and Browse starts from; null when the dialog has no file.
    const char* workingFile() const { return nullptr; }
    OpenFileRequest browseRequest() const { return {}; }
    DialogDecision filePicked(const char*) { return {}; }
    // A control's notification (WM_NOTIFY); true when the session took it.
    bool onNotify(HWND, const NMHDR&) { return false; }
};

// Carries out a reaction's decision through the session's hooks: the field texts, the check
// states, the preview, the shell's "open" on the working file, the end of the dialog; then, for
// Browse, the open-file dialog from the working file, whose pick goes to the session's reaction
// and whose decision is carried out in turn.
template <typename Session>
void carryOut(HWND dialog, Session& session, const DialogDecision& decision) {
    if (decision.writeFields) {
        session.writeFields(dialog);
    }
    for (std::size_t i = 0; i < decision.checkCount; ++i) {
        CheckDlgButton(dialog, decision.checks[i].id,
                       decision.checks[i].checked ? BST_CHECKED : BST_UNCHECKED);
    }
    if (decision.showPreview) {
        session.showPreview(dialog);
    }
    const char* file = session.workingFile();
    if (decision.openFile && file != nullptr) {
        shellOpen(nullptr, file, SW_SHOWNORMAL);
    }
    if (decision.end) {
        EndDialog(dialog, decision.result);
        return;
    }
    char picked[DIALOG_FILE_NAME_SIZE];
    if (decision.browse && file != nullptr &&
        chooseFileToOpen(dialog, file, picked, session.browseRequest())) {
        carryOut(dialog, session, session.filePicked(picked));
    }
}

// What the one procedure keeps of a dialog: its session and the template it was made from.
template <typename Session>
struct SessionDialog {
    Session& session;
    int templateId;
};

// The one procedure of every dialog: it hands each message to a session of the dialog's own,
// kept in DWLP_USER, whose handlers say whether they took it:
//   BOOL onInit(HWND)  - TRUE lets the system set the focus, FALSE when the session set it
//   bool onCommand(HWND, int id, int notification, WPARAM)
//   void onDestroy(HWND)
// It answers the context-help button itself, from the template's help texts.
template <typename Session>
INT_PTR CALLBACK sessionProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = dialogState<SessionDialog<Session>>(dialog, message, lParam);
    if (state == nullptr) {
        return FALSE;
    }
    Session& session = state->session;
    switch (message) {
        case WM_INITDIALOG:
            return session.onInit(dialog);
        case WM_COMMAND:
            return session.onCommand(dialog, LOWORD(wParam), HIWORD(wParam), wParam) ? TRUE : FALSE;
        case WM_NOTIFY:
            return session.onNotify(dialog, *reinterpret_cast<const NMHDR*>(lParam)) ? TRUE : FALSE;
        case WM_HELP:
            showContextHelp(dialog, state->templateId, *reinterpret_cast<const HELPINFO*>(lParam));
            return TRUE;
        case WM_DESTROY:
            session.onDestroy(dialog);
            return FALSE;
        default:
            return FALSE;
    }
}

// Runs a dialog on its session; what the dialog ended with.
template <typename Session>
INT_PTR runSessionDialog(HINSTANCE instance, int templateId, HWND owner, Session& session) {
    SessionDialog<Session> state{session, templateId};
    return runModalDialog(instance, templateId, owner, sessionProcedure<Session>, &state);
}
