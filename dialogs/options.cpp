#include "dialogs/options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "resources/resource.h"
#include "settings/settings.h"

const char* const OPTIONS_MINUTES_REFUSED_TEXT = "Enter a whole number of minutes from 1 to 720.";
const char* const OPTIONS_SHORTCUT_FAILED_TEXT =
    "The shortcut in your Startup folder could not be made or deleted.";

namespace {

// The field's whole number, or 0 when it is none of 1 to 720.
int minutesOf(const char* text) {
    int value = 0;
    const std::size_t length = std::strlen(text);
    for (std::size_t i = 0; i < length && value <= MAX_AWAY_MINUTES; ++i) {
        value =
            text[i] >= '0' && text[i] <= '9' ? value * 10 + (text[i] - '0') : MAX_AWAY_MINUTES + 1;
    }
    return value >= 1 && value <= MAX_AWAY_MINUTES ? value : 0;
}

}  // namespace

DialogDecision OptionsChoice::opened(const OptionsValues& stored, bool startsAtSignIn) {
    const int kept = std::abs(stored.awayMinutes);
    const bool asking = stored.awayMinutes > 0 && stored.awayMinutes <= MAX_AWAY_MINUTES;
    shown_ = kept >= 1 && kept <= MAX_AWAY_MINUTES ? kept : DEFAULT_AWAY_MINUTES;
    values = stored;
    values.awayMinutes = asking ? shown_ : -shown_;
    startAtSignIn = startsAtSignIn;
    std::snprintf(minutes, sizeof minutes, "%d", shown_);
    refusal[0] = '\0';
    DialogDecision decision = minutesChanged();
    decision.check(IDC_OPTIONS_ASK, asking);
    decision.check(IDC_OPTIONS_START, startsAtSignIn);
    decision.check(IDC_OPTIONS_ICON, stored.notificationIcon);
    decision.check(IDC_OPTIONS_HIDE, stored.hideWhenMinimised);
    return decision;
}

DialogDecision OptionsChoice::minutesChanged() {
    std::snprintf(unit, sizeof unit, "%s", minutesOf(minutes) == 1 ? "minute" : "minutes");
    DialogDecision decision;
    decision.writeFields = true;
    return decision;
}

DialogDecision OptionsChoice::ok(bool askChecked, bool startChecked, bool iconChecked,
                                 bool hideChecked) {
    const int value = minutesOf(minutes);
    if (value == 0) {
        std::snprintf(minutes, sizeof minutes, "%d", shown_);
        std::snprintf(refusal, sizeof refusal, "%s", OPTIONS_MINUTES_REFUSED_TEXT);
        return minutesChanged();
    }
    shown_ = value;
    values.awayMinutes = askChecked ? value : -value;
    values.notificationIcon = iconChecked;
    values.hideWhenMinimised = hideChecked;
    startAtSignIn = startChecked;
    return DialogDecision::ending(1);
}

DialogDecision OptionsChoice::cancel() {
    return DialogDecision::ending(0);
}
