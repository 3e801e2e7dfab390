#pragma once

#include <windows.h>

#include "activities/activities.h"

// Appends one item per activity, in list order, with ids baseId + index.
void appendActivityItems(const Activities& activities, HMENU menu, UINT baseId);

// Removes the activity items from the end of the menu: only items whose ids belong to an
// activity, and never beyond the first of them, so the menu's own items always stay.
void removeActivityItems(HMENU menu, UINT baseId);

// Brings both menus in line with the list after an addition; the current activity keeps its
// check mark (none for index -1).
void rebuildActivityMenus(const Activities& activities, HMENU activitiesMenu, HMENU systemMenu,
                          int currentIndex);
