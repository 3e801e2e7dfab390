#pragma once

#include "dialogs/currency_choice.h"
#include "dialogs/edit_rate.h"
#include "dialogs/reset_total.h"

// The working values of every dialog, in one place for the whole run; each opening of a dialog
// overwrites its own.
struct DialogValues {
    EditRate editRate;
    ResetTotal resetTotal;
    CurrencyChoice currency;
};
