#pragma once

#include <cstdint>

#include "activities/activities.h"

// The activity to start with: the saved one if the list still holds it, else "Working", else
// the second entry, else the only one; -1 for an empty list.
int resolveCurrentActivity(const Activities& activities, const char* savedName);

// Whether a command id picks an activity of a list of `count`.
bool isActivityCommand(unsigned id, int count);

// The main window's title: "Name - Cointrel", or "Cointrel" while no activity is current. The
// whole name, however long.
struct WindowTitle {
    char text[256 + sizeof " - Cointrel"] = "";
};
WindowTitle windowTitle(const char* activityName);

// The show command for a saved show state: normal, minimised and maximised are kept, anything
// else (a hidden window, say) shows the window normally.
int startShowCommand(std::uint32_t savedShowCmd);

struct Rect {
    int left, top, right, bottom;
};

// `window` moved, keeping its size, so that its top-left part lies within `area`.
Rect moveOnto(Rect window, Rect area);
