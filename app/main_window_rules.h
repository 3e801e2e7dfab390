#pragma once

// The main window's rules, free of the window system: its title, and where and how it is shown
// at start-up.

#include <cstdint>

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
