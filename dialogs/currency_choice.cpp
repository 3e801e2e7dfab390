#include "dialogs/currency_choice.h"

#include "meter/currency.h"
#include "resources/resource.h"

const std::array<int, 4> CURRENCY_RADIO_IDS = {IDC_CURRENCY_POUNDS, IDC_CURRENCY_DOLLARS,
                                               IDC_CURRENCY_EUROS, IDC_CURRENCY_CUSTOM};
const std::array<int, 2> DECIMALS_RADIO_IDS = {IDC_CURRENCY_NO_DECIMALS, IDC_CURRENCY_TWO_DECIMALS};

void CurrencyChoice::opened(const Settings& settings) {
    decision = {};
    currencyResult = 0;
    workCurrency = settings.currency;
    // Any decimals mode but two draws as none, so that is what the dialog shows and keeps.
    workDecimals = settings.decimals == DECIMALS_TWO ? DECIMALS_TWO : DECIMALS_NONE;
    copyText(workBitmapFile, settings.digitsBitmapFile);
    // A stored code outside the table checks no currency button.
    if (workCurrency >= 0 && workCurrency < static_cast<int>(CURRENCY_RADIO_IDS.size())) {
        decision.check(CURRENCY_RADIO_IDS[static_cast<std::size_t>(workCurrency)], true);
    }
    decision.check(DECIMALS_RADIO_IDS[static_cast<std::size_t>(workDecimals)], true);
    decision.writeFields = true;
    decision.showPreview = true;
}

void CurrencyChoice::builtInClicked(int code) {
    decision = {};
    workCurrency = code;
    workDecimals = DECIMALS_TWO;
    decision.showPreview = true;
}

void CurrencyChoice::customClicked(bool twoDecimalsChecked) {
    decision = {};
    workCurrency = CURRENCY_CUSTOM;
    workDecimals = twoDecimalsChecked ? DECIMALS_TWO : DECIMALS_NONE;
    decision.showPreview = true;
}

void CurrencyChoice::becomeCustom() {
    workCurrency = CURRENCY_CUSTOM;
    for (std::size_t i = 0; i < CURRENCY_RADIO_IDS.size(); ++i) {
        decision.check(CURRENCY_RADIO_IDS[i], static_cast<int>(i) == CURRENCY_CUSTOM);
    }
    decision.showPreview = true;
}

void CurrencyChoice::decimalsClicked(int mode) {
    decision = {};
    workDecimals = mode;
    if (workCurrency != CURRENCY_CUSTOM) {
        becomeCustom();
    }
}

void CurrencyChoice::browseClicked() {
    decision = {};
    decision.browse = true;
}

void CurrencyChoice::filePicked(const char* path) {
    decision = {};
    copyText(workBitmapFile, path);
    becomeCustom();
    decision.writeFields = true;
}

void CurrencyChoice::ok(Settings& settings) {
    decision = {};
    settings.currency = workCurrency;
    settings.decimals = workDecimals;
    copyText(settings.digitsBitmapFile, workBitmapFile);
    currencyResult = 1;
    decision.endWith(currencyResult);
}

void CurrencyChoice::cancel() {
    decision = {};
    decision.endWith(currencyResult);
}
