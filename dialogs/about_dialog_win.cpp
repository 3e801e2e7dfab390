#include "dialogs/dialogs_win.h"
#include "dialogs/link_opener.h"
#include "resources/resource.h"
#include "win32/modal_dialog.h"

namespace {

struct AboutSession : DialogSession {
    HINSTANCE instance;
    Callback<void(const char*)> open;
    UniqueBitmap logo;

    AboutSession(HINSTANCE i, Callback<void(const char*)> o) : instance(i), open(o) {}

    BOOL onInit(HWND window) {
        showStaticBitmap(window, IDC_ABOUT_LOGO, logo,
                         LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_LOGO)));
        return TRUE;
    }

    // Button clicks only; the links leave the dialog open, so both can be followed.
    bool onCommand(HWND window, int, int, WPARAM wParam) {
        if (wParam == IDOK || wParam == IDCANCEL) {
            EndDialog(window, 0);
        } else if (wParam == IDC_ABOUT_WEB) {
            open(MAKER_WEB_URL);
        } else if (wParam == IDC_ABOUT_MAIL) {
            open(MAKER_MAIL_URL);
        } else {
            return false;
        }
        return true;
    }

    void onDestroy(HWND window) { showStaticBitmap(window, IDC_ABOUT_LOGO, logo, nullptr); }
};

}  // namespace

void runAboutDialog(HINSTANCE instance, HWND owner, Callback<void(const char*)> open) {
    AboutSession session(instance, open);
    runSessionDialog(instance, IDD_ABOUT, owner, session);
}
