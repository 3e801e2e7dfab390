#include "dialogs/options.h"

#include <cstdio>
#include <cstring>

#include "resources/resource.h"
#include "settings/settings.h"

const char* const OPTIONS_SHORTCUT_FAILED_TEXT =
    "The shortcut in your Startup folder could not be made or deleted.";

DialogDecision OptionsChoice::opened(int storedMinutes, bool startsAtSignIn) {
    const bool asking = storedMinutes > 0 && storedMinutes <= MAX_AWAY_MINUTES;
    shown_ = asking ? storedMinutes : DEFAULT_AWAY_MINUTES;
    awayMinutes = asking ? storedMinutes : 0;
    startAtSignIn = startsAtSignIn;
    std::snprintf(minutes, sizeof minutes, "%d", shown_);
    DialogDecision decision;
    decision.writeFields = true;
    decision.check(IDC_OPTIONS_ASK, asking);
    decision.check(IDC_OPTIONS_START, startsAtSignIn);
    return decision;
}

DialogDecision OptionsChoice::ok(bool askChecked, bool startChecked) {
    int value = 0;
    const std::size_t length = std::strlen(minutes);
    for (std::size_t i = 0; i < length && value <= MAX_AWAY_MINUTES; ++i) {
        value = minutes[i] >= '0' && minutes[i] <= '9' ? value * 10 + (minutes[i] - '0')
                                                       : MAX_AWAY_MINUTES + 1;
    }
    if (length == 0 || value < 1 || value > MAX_AWAY_MINUTES) {
        std::snprintf(minutes, sizeof minutes, "%d", shown_);
        DialogDecision decision;
        decision.writeFields = true;
        return decision;
    }
    shown_ = value;
    awayMinutes = askChecked ? value : 0;
    startAtSignIn = startChecked;
    return DialogDecision::ending(1);
}

DialogDecision OptionsChoice::cancel() {
    return DialogDecision::ending(0);
}
