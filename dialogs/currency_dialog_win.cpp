#include "dialogs/dialogs_win.h"
#include "dialogs/currency_choice.h"
#include "meter/currency.h"
#include "meter/digits_bitmap_win.h"
#include "resources/resource.h"
#include "win32/dpi.h"
#include "dialogs/dialog_session_win.h"

static_assert(SETTINGS_TEXT_SIZE == DIALOG_FILE_NAME_SIZE, "browse within the setting's size");

namespace {

struct CurrencySession : DialogSession {
    CurrencyChoice& dialog;
    Settings& settings;
    HINSTANCE instance;
    UniqueBitmap preview;  // the bitmap control 111 shows

    CurrencySession(CurrencyChoice& d, Settings& s, HINSTANCE i)
        : dialog(d), settings(s), instance(i) {}

    void writeFields(HWND window) {
        SetDlgItemTextA(window, IDC_CURRENCY_FILE, dialog.workBitmapFile);
    }
    void showPreview(HWND window) {
        const bool custom = dialog.workCurrency == CURRENCY_CUSTOM;
        showStaticBitmap(window, IDC_CURRENCY_PREVIEW, preview,
                         fitted(window, loadDigitsBitmap(instance, dialog.workCurrency,
                                                         custom ? dialog.workBitmapFile : nullptr,
                                                         windowDpi(window))));
    }

    // The strip within the dialog, with the margin on its right that its frame has on its left.
    static HBITMAP fitted(HWND window, HBITMAP strip) {
        BITMAP info{};
        RECT client{}, frame{};
        if (strip == nullptr || GetObjectA(strip, sizeof info, &info) == 0 ||
            !GetClientRect(window, &client) ||
            !GetWindowRect(GetDlgItem(window, IDC_CURRENCY_PREVIEW), &frame)) {
            return strip;
        }
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&frame), 2);
        const PreviewSize size =
            previewSize(info.bmWidth, info.bmHeight, client.right - 2 * frame.left);
        if (size.width == info.bmWidth) {
            return strip;
        }
        UniqueBitmap original(strip);
        return scaledBitmap(original.get(), info.bmWidth, info.bmHeight, size.width, size.height);
    }
    const char* workingFile() const { return dialog.workBitmapFile; }
    OpenFileRequest browseRequest() const {
        return {"Bitmap files (*.bmp)\0*.bmp\0All Files (*.*)\0*.*\0", "Choose a digits bitmap"};
    }
    DialogDecision filePicked(const char* path) { return dialog.filePicked(path); }

    BOOL onInit(HWND window) {
        carryOut(window, *this, dialog.opened(settings));
        return TRUE;
    }

    // The decision for a command; false when the command is not the dialog's.
    bool react(HWND window, int id, bool clicked, DialogDecision& decision) {
        CurrencyChoice& d = dialog;
        if (id == IDOK) {
            decision = d.ok(settings);
        } else if (id == IDCANCEL) {
            decision = d.cancel();
        } else if (id == IDC_CURRENCY_BROWSE) {
            decision = d.browseClicked();
        } else if (clicked && id == IDC_CURRENCY_POUNDS) {
            decision = d.builtInClicked(CURRENCY_POUNDS);
        } else if (clicked && id == IDC_CURRENCY_DOLLARS) {
            decision = d.builtInClicked(CURRENCY_DOLLARS);
        } else if (clicked && id == IDC_CURRENCY_EUROS) {
            decision = d.builtInClicked(CURRENCY_EUROS);
        } else if (clicked && id == IDC_CURRENCY_CUSTOM) {
            decision = d.customClicked(IsDlgButtonChecked(window, IDC_CURRENCY_TWO_DECIMALS) ==
                                       BST_CHECKED);
        } else if (clicked && id == IDC_CURRENCY_NO_DECIMALS) {
            decision = d.decimalsClicked(DECIMALS_NONE);
        } else if (clicked && id == IDC_CURRENCY_TWO_DECIMALS) {
            decision = d.decimalsClicked(DECIMALS_TWO);
        } else {
            return false;
        }
        return true;
    }

    bool onCommand(HWND window, int id, int notification, WPARAM) {
        DialogDecision decision;
        if (!react(window, id, notification == BN_CLICKED, decision)) {
            return false;
        }
        carryOut(window, *this, decision);
        return true;
    }

    void onDestroy(HWND window) {
        showStaticBitmap(window, IDC_CURRENCY_PREVIEW, preview, nullptr);
    }
};

}  // namespace

std::optional<CurrencyLook> runCurrencyDialog(HINSTANCE instance, HWND owner,
                                              const Settings& settings) {
    CurrencyChoice working;
    Settings chosen = settings;
    CurrencySession session(working, chosen, instance);
    if (runSessionDialog(instance, IDD_CURRENCY, owner, session) != 1) {
        return std::nullopt;
    }
    CurrencyLook look{chosen.currency, chosen.decimals, ""};
    copyText(look.digitsBitmapFile, chosen.digitsBitmapFile);
    return look;
}
