#include "app/main_window_rules.h"

#include <algorithm>
#include <cstdio>

namespace {
// ShowWindow's commands, as the platform numbers them.
constexpr int SHOW_NORMAL = 1;
constexpr int SHOW_MINIMIZED = 2;
constexpr int SHOW_MAXIMIZED = 3;
}  // namespace

WindowTitle windowTitle(const char* activityName) {
    WindowTitle title;
    if (activityName == nullptr) {
        std::snprintf(title.text, sizeof title.text, "Cointrel");
    } else {
        std::snprintf(title.text, sizeof title.text, "%s - Cointrel", activityName);
    }
    return title;
}

int startShowCommand(std::uint32_t saved) {
    switch (saved) {
        case SHOW_NORMAL:
        case SHOW_MINIMIZED:
        case SHOW_MAXIMIZED:
            return static_cast<int>(saved);
        default:
            return SHOW_NORMAL;
    }
}

Rect moveOnto(Rect window, Rect area) {
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    // Prefer the whole window inside; a window larger than the area keeps its top-left corner in.
    const int left = std::max(area.left, std::min(window.left, area.right - width));
    const int top = std::max(area.top, std::min(window.top, area.bottom - height));
    return {left, top, left + width, top + height};
}
