#include "app/activity_menus_win.h"

#include "activities/activity_label.h"
#include "resources/resource.h"

void appendActivityItems(const Activities& activities, HMENU menu, UINT baseId) {
    for (int i = 0; i < activities.count; ++i) {
        const ActivityLabel label =
            activityLabel(i, activities.name(i), activities.paid[static_cast<std::size_t>(i)]);
        AppendMenuA(menu, MF_STRING, baseId + static_cast<UINT>(i), label.data());
    }
}

void removeActivityItems(HMENU menu, UINT baseId) {
    for (int position = GetMenuItemCount(menu) - 1; position >= 0; --position) {
        const UINT id = GetMenuItemID(menu, position);
        // Separators (0) and submenus (-1) fall outside the range, and so do fixed commands.
        if (id < baseId || id >= baseId + MAX_ACTIVITIES) {
            return;
        }
        DeleteMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
        if (id == baseId) {
            return;
        }
    }
}

void rebuildActivityMenus(const Activities& activities, HMENU activitiesMenu, HMENU systemMenu,
                          int currentIndex) {
    for (HMENU menu : {activitiesMenu, systemMenu}) {
        removeActivityItems(menu, ACTIVITY_COMMAND_BASE);
        appendActivityItems(activities, menu, ACTIVITY_COMMAND_BASE);
        if (currentIndex != -1) {
            CheckMenuItem(menu, ACTIVITY_COMMAND_BASE + static_cast<UINT>(currentIndex),
                          MF_BYCOMMAND | MF_CHECKED);
        }
    }
}
