#include "dialogs/dialogs_win.h"

#include <algorithm>
#include <cmath>

#include "dialogs/link_opener.h"
#include "resources/resource.h"
#include "win32/dpi.h"
#include "dialogs/dialog_session_win.h"

namespace {

// The logo drawn to fill `width` x `height`, keeping its shape: as it is where it nearly fits
// already (at 100 %, so that every pixel stays its own), otherwise scaled with area averaging.
HBITMAP fittedLogo(HBITMAP logo, int width, int height) {
    BITMAP info{};
    if (logo == nullptr || GetObjectA(logo, sizeof info, &info) == 0 || info.bmWidth <= 0 ||
        info.bmHeight <= 0) {
        return logo;
    }
    const double scale = std::min(static_cast<double>(width) / info.bmWidth,
                                  static_cast<double>(height) / info.bmHeight);
    if (scale > 0.9 && scale < 1.2) {
        return logo;
    }
    UniqueBitmap original(logo);
    return scaledBitmap(original.get(), info.bmWidth, info.bmHeight,
                        static_cast<int>(std::lround(info.bmWidth * scale)),
                        static_cast<int>(std::lround(info.bmHeight * scale)));
}

struct AboutSession : DialogSession {
    HINSTANCE instance;
    Callback<void(const char*)> open;
    UniqueBitmap logo;

    AboutSession(HINSTANCE i, Callback<void(const char*)> o) : instance(i), open(o) {}

    BOOL onInit(HWND window) {
        // The frame as the template lays it out at the dialog's resolution; a static control
        // takes its bitmap's size from its top-left corner, so it is centred there afterwards.
        HWND frame = GetDlgItem(window, IDC_ABOUT_LOGO);
        RECT outside{}, inside{};
        GetWindowRect(frame, &outside);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&outside), 2);
        GetClientRect(frame, &inside);
        showStaticBitmap(window, IDC_ABOUT_LOGO, logo,
                         fittedLogo(LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_LOGO)), inside.right,
                                    inside.bottom));
        RECT shown{};
        GetWindowRect(frame, &shown);
        const int width = shown.right - shown.left, height = shown.bottom - shown.top;
        SetWindowPos(frame, nullptr, (outside.left + outside.right - width) / 2,
                     (outside.top + outside.bottom - height) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    }

    // Button clicks only; the links leave the dialog open, so both can be followed.
    bool onCommand(HWND window, int, int, WPARAM wParam) {
        if (wParam == IDOK || wParam == IDCANCEL) {
            carryOut(window, *this, DialogDecision::ending(0));
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
