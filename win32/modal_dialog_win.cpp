#include "win32/modal_dialog.h"

#include "win32/shell.h"

#include <memory>
#include <new>

namespace {

// Puts the current directory back when the scope ends: the open-file dialog moves it into
// every folder the user visits.
class CurrentDirectoryKeeper {
  public:
    CurrentDirectoryKeeper() {
        const DWORD size = GetCurrentDirectoryA(0, nullptr);
        saved_.reset(size > 0 ? new (std::nothrow) char[size] : nullptr);
        if (saved_ && GetCurrentDirectoryA(size, saved_.get()) >= size) {
            saved_.reset();
        }
    }
    ~CurrentDirectoryKeeper() {
        if (saved_) {
            SetCurrentDirectoryA(saved_.get());
        }
    }
    CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
    CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;

  private:
    std::unique_ptr<char[]> saved_;
};

}  // namespace

INT_PTR runModalDialog(HINSTANCE instance, int templateId, HWND owner, DLGPROC procedure,
                       void* state) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), owner, procedure,
                           reinterpret_cast<LPARAM>(state));
}

void readDialogText(HWND dialog, int id, char* buffer, int capacity) {
    if (capacity <= 0) {
        return;
    }
    buffer[0] = '\0';
    GetDlgItemTextA(dialog, id, buffer, capacity);
    buffer[capacity - 1] = '\0';
}

bool chooseFileToOpen(HWND owner, const char* current, char* picked, std::size_t capacity,
                      const OpenFileRequest& request) {
    if (capacity == 0) {
        return false;
    }
    std::size_t i = 0;
    for (; i + 1 < capacity && current[i] != '\0'; ++i) {
        picked[i] = current[i];
    }
    picked[i] = '\0';
    OPENFILENAMEA ofn{};
    // The layout without the later extension fields, which both 32- and 64-bit Windows take.
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = request.filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = picked;
    ofn.nMaxFile = static_cast<DWORD>(capacity);
    ofn.lpstrTitle = request.title;
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    ofn.lpstrDefExt = "*";
    CurrentDirectoryKeeper keeper;
    const BOOL chosen = getOpenFileName(&ofn);
    picked[capacity - 1] = '\0';
    return chosen != FALSE;
}

void showStaticBitmap(HWND dialog, int id, UniqueBitmap& shown, HBITMAP fresh) {
    const auto previous = reinterpret_cast<HBITMAP>(SendDlgItemMessageA(
        dialog, id, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(fresh)));
    if (previous != nullptr && previous != shown.get() && previous != fresh) {
        DeleteObject(previous);
    }
    shown.reset(fresh);
}
