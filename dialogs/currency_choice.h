#pragma once

#include <array>

#include "dialogs/dialog_decision.h"
#include "settings/settings.h"

// Radio buttons by CurrencyCode and by DecimalsMode.
extern const std::array<int, 4> CURRENCY_RADIO_IDS;
extern const std::array<int, 2> DECIMALS_RADIO_IDS;

// The Currency dialog's working values and reactions. Every choice is made on the working
// values; OK writes them into the settings and ends with 1, so that the main window rebuilds
// the meter, and Cancel ends with 0.
struct CurrencyChoice {
    int workCurrency = 0;
    int workDecimals = 1;
    char workBitmapFile[SETTINGS_TEXT_SIZE] = "";
    int currencyResult = 0;

    DialogDecision opened(const Settings& settings);
    // Pounds, dollars or euros (code 0 to 2): always two decimal places.
    DialogDecision builtInClicked(int code);
    DialogDecision customClicked(bool twoDecimalsChecked);
    DialogDecision decimalsClicked(int mode);
    DialogDecision browseClicked();
    // Browse picked a file.
    DialogDecision filePicked(const char* path);
    DialogDecision ok(Settings& settings);
    DialogDecision cancel();

  private:
    // Custom becomes the choice, and the only currency button checked.
    void becomeCustom(DialogDecision& decision);
};

// The size a preview `width` x `height` pixels is shown at where there is `room` pixels across:
// its own when it fits, otherwise scaled down until it does, its shape kept (a strip for 200 %
// is wider than a dialog of the 8-point raster font grows).
struct PreviewSize {
    int width;
    int height;
};
PreviewSize previewSize(int width, int height, int room);
