#pragma once

// The Time away dialog: the question about one stretch away from a paid activity, and the
// activity it counts as. OK (1) counts it as the activity picked; Keep (2), Escape and the close
// box leave everything as counted.

#include <cstdint>

#include "activities/activities.h"
#include "activities/log_text.h"

// "You were away from 12:10 to 13:52 (1 h 42 min) while Working was current.", with the dates as
// well when the stretch began on another day than it ended.
struct DialogText {
    char text[400] = "";
};
DialogText awayQuestionText(const LogMoment& from, const LogMoment& to, bool sameDay,
                            std::int64_t seconds, const char* activity);

// What Keep does: "Keep counts it as Working, paid."
DialogText keepNote(const char* activity);

// A length of time away in words: "1 min", "1 h 05 min", "less than 1 min".
struct DurationText {
    char text[32] = "";
};
DurationText awayDuration(std::int64_t seconds);

// The activity offered first: the first unpaid one, or `interrupted` when none is.
int awayFirstPick(const Activities& activities, int interrupted);
