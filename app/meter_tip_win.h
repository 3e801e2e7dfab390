#pragma once

#include <windows.h>

#include "app/workday.h"

// The locale's first day of the week: 0 Monday to 6 Sunday.
int firstDayOfWeek();

// The built-in currencies' signs in the ANSI code page, as the summary shows their money.
const CurrencySigns& currencySigns();

// How the user's locale writes amounts: its digit grouping and decimal sign.
NumberStyle localeNumberStyle();

// The meter's tooltip: today's figure from the ledger, asked for as the tip shows
// (TTN_GETDISPINFO), never on the tick.
class MeterTip {
  public:
    MeterTip() = default;
    MeterTip(const MeterTip&) = delete;
    MeterTip& operator=(const MeterTip&) = delete;

    // Shows over `meterWindow`, which a new strip replaces: the tip follows it. Its parent
    // answers TTN_GETDISPINFO for the text.
    void attach(HWND meterWindow);
    // Goes before the main window does.
    void detach();
    // Its text: today's money of the current currency first.
    static ShortText text(Workday& day);

  private:
    HWND tip_ = nullptr;
    HWND tipped_ = nullptr;
};
