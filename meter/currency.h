#pragma once

// Which digits strip draws the total.
enum CurrencyCode : int {
    CURRENCY_POUNDS = 0,
    CURRENCY_DOLLARS = 1,
    CURRENCY_EUROS = 2,
    CURRENCY_CUSTOM = 3,  // a bitmap file chosen by the user
};

// DecimalsMode: this value shows two decimal places; any other shows whole units.
constexpr int DECIMALS_TWO = 1;
constexpr int DECIMALS_NONE = 0;
