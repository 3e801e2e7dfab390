#pragma once

// What every dialog procedure needs: its state from WM_INITDIALOG on, bounded reads of control
// texts, the open-file dialog, and a static control's bitmap replaced without a leak.

#include <windows.h>

#include <cstddef>

#include "dialogs/dialog_decision.h"
#include "win32/context_help.h"
#include "win32/handles.h"
#include "win32/shell.h"

// Runs dialog template `templateId` of `instance` modally, owned by `owner`; the procedure finds
// `state` with dialogState. Returns what the dialog ended with (-1 when it could not be made).
INT_PTR runModalDialog(HINSTANCE instance, int templateId, HWND owner, DLGPROC procedure,
                       void* state);

// The state handed to runModalDialog, kept in DWLP_USER from WM_INITDIALOG on; null for the
// messages that come before it (WM_SETFONT), which a procedure leaves to the dialog manager.
template <typename State>
State* dialogState(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    }
    return reinterpret_cast<State*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// Reads at most capacity - 1 characters of a control's text; always terminated.
void readDialogText(HWND dialog, int id, char* buffer, int capacity);

template <std::size_t N>
void readDialogText(HWND dialog, int id, char (&buffer)[N]) {
    readDialogText(dialog, id, buffer, static_cast<int>(N));
}

// What the open-file dialog offers: filter pairs (each text, then its pattern, the whole list
// ending in an empty text) and a title.
struct OpenFileRequest {
    const char* filter;
    const char* title;
};

// The open-file dialog, starting from `current`. True when the user picked a file, whose name
// is then in `picked`; otherwise `picked` holds nothing of use (on some failures the dialog
// writes a length there) and `current` is untouched. The process's current directory is the
// same afterwards, so relative names such as "acts.txt" keep naming the same files.
bool chooseFileToOpen(HWND owner, const char* current, char* picked, std::size_t capacity,
                      const OpenFileRequest& request);

template <std::size_t N>
bool chooseFileToOpen(HWND owner, const char* current, char (&picked)[N],
                      const OpenFileRequest& request) {
    return chooseFileToOpen(owner, current, picked, N, request);
}

// The file names the dialogs keep and browse for: 255 characters and the terminator.
constexpr std::size_t DIALOG_FILE_NAME_SIZE = 256;

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

// Shows `fresh` (may be null) in a static control and takes it over in `shown`. The image the
// control gives back is released too when it is not ours: a control of common controls 6 keeps
// a copy of a bitmap with alpha.
void showStaticBitmap(HWND dialog, int id, UniqueBitmap& shown, HBITMAP fresh);
