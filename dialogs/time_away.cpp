#include "dialogs/time_away.h"

#include <cstdio>

#include "activities/ledger.h"

DialogText awayQuestionText(const LogMoment& from, const LogMoment& to, bool sameDay,
                            std::int64_t seconds, const char* activity) {
    DialogText out;
    std::snprintf(
        out.text, sizeof out.text, "You were away from %s%s%s to %s%s%s (%s) while %s was current.",
        sameDay ? "" : from.shortDate, sameDay ? "" : " ", from.time, sameDay ? "" : to.shortDate,
        sameDay ? "" : " ", to.time, awayDuration(seconds).text, activity);
    return out;
}

DialogText keepNote(const char* activity) {
    DialogText out;
    std::snprintf(out.text, sizeof out.text, "Keep counts it as %s, paid.", activity);
    return out;
}

DurationText awayDuration(std::int64_t seconds) {
    DurationText out;
    const long long minutes = seconds / 60;
    if (minutes < 1) {
        std::snprintf(out.text, sizeof out.text, "less than 1 min");
    } else if (minutes < 60) {
        std::snprintf(out.text, sizeof out.text, "%lld min", minutes);
    } else {
        std::snprintf(out.text, sizeof out.text, "%lld h %02lld min", minutes / 60, minutes % 60);
    }
    return out;
}

int awayFirstPick(const Activities& activities, int interrupted) {
    for (int i = 0; i < activities.count; ++i) {
        if (activities.paid[static_cast<std::size_t>(i)] == 0) {
            return i;
        }
    }
    return interrupted;
}
