#pragma once

// What every dialog procedure needs: its state from WM_INITDIALOG on, bounded reads of control
// texts, the open-file dialog, and a static control's bitmap replaced without a leak.

#include <windows.h>

#include <cstddef>

#include "win32/handles.h"

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

// Shows `fresh` (may be null) in a static control and takes it over in `shown`. The image the
// control gives back is released too when it is not ours: a control of common controls 6 keeps
// a copy of a bitmap with alpha.
void showStaticBitmap(HWND dialog, int id, UniqueBitmap& shown, HBITMAP fresh);
