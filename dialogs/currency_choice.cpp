#include "dialogs/currency_choice.h"

#include "meter/currency.h"
#include "resources/resource.h"

const std::array<int, 4> CURRENCY_RADIO_IDS = {IDC_CURRENCY_POUNDS, IDC_CURRENCY_DOLLARS,
                                               IDC_CURRENCY_EUROS, IDC_CURRENCY_CUSTOM};
const std::array<int, 2> DECIMALS_RADIO_IDS = {IDC_CURRENCY_NO_DECIMALS, IDC_CURRENCY_TWO_DECIMALS};

namespace {

DialogDecision showPreview() {
    DialogDecision decision;
    decision.showPreview = true;
    return decision;
}

}  // namespace

DialogDecision CurrencyChoice::opened(const Settings& settings) {
    DialogDecision decision = showPreview();
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
    return decision;
}

DialogDecision CurrencyChoice::builtInClicked(int code) {
    workCurrency = code;
    workDecimals = DECIMALS_TWO;
    return showPreview();
}

DialogDecision CurrencyChoice::customClicked(bool twoDecimalsChecked) {
    workCurrency = CURRENCY_CUSTOM;
    workDecimals = twoDecimalsChecked ? DECIMALS_TWO : DECIMALS_NONE;
    return showPreview();
}

void CurrencyChoice::becomeCustom(DialogDecision& decision) {
    workCurrency = CURRENCY_CUSTOM;
    for (std::size_t i = 0; i < CURRENCY_RADIO_IDS.size(); ++i) {
        decision.check(CURRENCY_RADIO_IDS[i], static_cast<int>(i) == CURRENCY_CUSTOM);
    }
    decision.showPreview = true;
}

DialogDecision CurrencyChoice::decimalsClicked(int mode) {
    DialogDecision decision;
    workDecimals = mode;
    if (workCurrency != CURRENCY_CUSTOM) {
        becomeCustom(decision);
    }
    return decision;
}

DialogDecision CurrencyChoice::browseClicked() {
    DialogDecision decision;
    decision.browse = true;
    return decision;
}

DialogDecision CurrencyChoice::filePicked(const char* path) {
    DialogDecision decision;
    copyText(workBitmapFile, path);
    becomeCustom(decision);
    decision.writeFields = true;
    return decision;
}

DialogDecision CurrencyChoice::ok(Settings& settings) {
    settings.currency = workCurrency;
    settings.decimals = workDecimals;
    copyText(settings.digitsBitmapFile, workBitmapFile);
    currencyResult = 1;
    return DialogDecision::ending(currencyResult);
}

DialogDecision CurrencyChoice::cancel() {
    return DialogDecision::ending(currencyResult);
}

PreviewSize previewSize(int width, int height, int room) {
    if (width <= room || width <= 0 || room <= 0) {
        return {width, height};
    }
    const long long scaled = (static_cast<long long>(height) * room + width / 2) / width;
    return {room, static_cast<int>(scaled > 0 ? scaled : 1)};
}
