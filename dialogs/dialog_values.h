#pragma once

#include "dialogs/currency_choice.h"
#include "dialogs/edit_rate.h"
#include "dialogs/file_choice.h"
#include "dialogs/new_activity.h"
#include "dialogs/options.h"
#include "dialogs/reset_total.h"

// The working values of every dialog, in one place for the whole run; each opening of a dialog
// overwrites its own.
struct DialogValues {
    EditRate editRate;
    ResetTotal resetTotal;
    CurrencyChoice currency;
    FileChoice logging;
    FileChoice activitiesFile;
    NewActivity newActivity;
    OptionsChoice options;
};
