#include "activities/activity_label.h"

#include <algorithm>
#include <cstdio>

#include "resources/resource.h"

ActivityLabel activityLabel(int index, const char* name, bool paid) {
    ActivityLabel label{};
    char prefix[8] = "  ";
    if (index >= 0 && index < 9) {
        std::snprintf(prefix, sizeof prefix, "&%d ", index + 1);
    }
    std::snprintf(label.data(), label.size(), "%s%s%s", prefix, name, paid ? "" : " (unpaid)");
    return label;
}

bool isActivityCommand(unsigned id, int count) {
    return id >= ACTIVITY_COMMAND_BASE &&
           id < ACTIVITY_COMMAND_BASE + static_cast<unsigned>(std::max(count, 0));
}
