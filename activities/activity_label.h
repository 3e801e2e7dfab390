#pragma once

#include <array>

#include "activities/activities.h"

// A menu label: the longest prefix (3), the longest name, " (unpaid)" (9) and the terminator.
using ActivityLabel = std::array<char, 3 + MAX_ACTIVITY_NAME + 9 + 1>;

// "&1 " to "&9 " before the first nine names, so that the digit picks the item from the
// keyboard, and two blanks before the rest; " (unpaid)" after an unpaid name.
ActivityLabel activityLabel(int index, const char* name, bool paid);

// Whether a command id picks an activity of a list of `count`.
bool isActivityCommand(unsigned id, int count);
