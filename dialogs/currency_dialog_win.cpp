#include "dialogs/dialogs_win.h"
#include "meter/currency.h"
#include "meter/digits_bitmap_win.h"
#include "resources/resource.h"
#include "win32/modal_dialog.h"

namespace {

const OpenFileRequest BITMAP_FILE_REQUEST = {"Bitmap files (*.bmp)\0*.bmp\0All Files (*.*)\0*.*\0",
                                             "Choose a digits bitmap"};

struct CurrencySession : DialogSession {
    CurrencyChoice& dialog;
    Settings& settings;
    HINSTANCE instance;
    UniqueBitmap preview;  // the bitmap control 111 shows

    CurrencySession(CurrencyChoice& d, Settings& s, HINSTANCE i)
        : dialog(d), settings(s), instance(i) {}

    void carryOutDecision(HWND window) {
        CurrencyChoice& d = dialog;
        if (d.decision.writeFields) {
            SetDlgItemTextA(window, IDC_CURRENCY_FILE, d.workBitmapFile);
        }
        carryOut(window, d.decision);
        if (d.decision.showPreview) {
            const bool custom = d.workCurrency == CURRENCY_CUSTOM;
            showStaticBitmap(
                window, IDC_CURRENCY_PREVIEW, preview,
                loadDigitsBitmap(instance, d.workCurrency, custom ? d.workBitmapFile : nullptr));
        }
        if (d.decision.browse) {
            char picked[SETTINGS_TEXT_SIZE];
            if (chooseFileToOpen(window, d.workBitmapFile, picked, BITMAP_FILE_REQUEST)) {
                d.filePicked(picked);
                carryOutDecision(window);
            }
        }
    }

    BOOL onInit(HWND window) {
        dialog.opened(settings);
        carryOutDecision(window);
        return TRUE;
    }

    bool onCommand(HWND window, int id, int notification, WPARAM) {
        CurrencyChoice& d = dialog;
        const bool clicked = notification == BN_CLICKED;
        if (id == IDOK) {
            d.ok(settings);
        } else if (id == IDCANCEL) {
            d.cancel();
        } else if (id == IDC_CURRENCY_BROWSE) {
            d.browseClicked();
        } else if (clicked && id == IDC_CURRENCY_POUNDS) {
            d.builtInClicked(CURRENCY_POUNDS);
        } else if (clicked && id == IDC_CURRENCY_DOLLARS) {
            d.builtInClicked(CURRENCY_DOLLARS);
        } else if (clicked && id == IDC_CURRENCY_EUROS) {
            d.builtInClicked(CURRENCY_EUROS);
        } else if (clicked && id == IDC_CURRENCY_CUSTOM) {
            d.customClicked(IsDlgButtonChecked(window, IDC_CURRENCY_TWO_DECIMALS) == BST_CHECKED);
        } else if (clicked && id == IDC_CURRENCY_NO_DECIMALS) {
            d.decimalsClicked(DECIMALS_NONE);
        } else if (clicked && id == IDC_CURRENCY_TWO_DECIMALS) {
            d.decimalsClicked(DECIMALS_TWO);
        } else {
            return false;
        }
        carryOutDecision(window);
        return true;
    }

    void onDestroy(HWND window) {
        showStaticBitmap(window, IDC_CURRENCY_PREVIEW, preview, nullptr);
    }
};

}  // namespace

int runCurrencyDialog(HINSTANCE instance, HWND owner, CurrencyChoice& working, Settings& settings) {
    CurrencySession session(working, settings, instance);
    const INT_PTR result = runSessionDialog(instance, IDD_CURRENCY, owner, session);
    return result == 1 ? 1 : 0;
}
