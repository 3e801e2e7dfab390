#include "app/activity_menus_win.h"

#include <gtest/gtest.h>

#include <string>

#include "activities/activity_label.h"
#include "resources/resource.h"

namespace {

std::string itemText(HMENU menu, int position) {
    char text[300] = "";
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

bool isChecked(HMENU menu, UINT id) {
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void fillList(Activities& list, int n) {
    for (int i = 0; i < n; ++i) {
        list.add(("Activity " + std::to_string(i)).c_str(), i % 3 != 2);
    }
}

// Every activity item from `first` on: id, label and paid mark.
void expectActivityItems(HMENU menu, int first, const Activities& list) {
    ASSERT_EQ(GetMenuItemCount(menu), first + list.count);
    for (int i = 0; i < list.count; ++i) {
        const std::size_t slot = static_cast<std::size_t>(i);
        EXPECT_EQ(GetMenuItemID(menu, first + i), static_cast<UINT>(ACTIVITY_COMMAND_BASE + i));
        EXPECT_EQ(itemText(menu, first + i),
                  std::string(activityLabel(i, list.name(i), list.paid[slot]).data()));
        const bool marked = itemText(menu, first + i).find(" (unpaid)") != std::string::npos;
        EXPECT_EQ(marked, list.paid[slot] == 0) << i;
    }
}

// The fixed part of the "Activities" drop-down, as the menu resource has it.
HMENU activitiesDropDown() {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, CMD_EDIT_RATE, "Edit &rate...");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, CMD_NEW_ACTIVITY, "&New activity...");
    AppendMenuA(menu, MF_STRING, CMD_EDIT_ACTIVITIES, "Edit &activities...");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    return menu;
}

class ActivityMenuSizes : public ::testing::TestWithParam<int> {};

TEST_P(ActivityMenuSizes, OneItemPerActivity) {
    Activities list;
    fillList(list, GetParam());
    HMENU menu = activitiesDropDown();
    appendActivityItems(list, menu, ACTIVITY_COMMAND_BASE);
    expectActivityItems(menu, 5, list);
    EXPECT_EQ(itemText(menu, 5), "&1 Activity 0");
    EXPECT_EQ(itemText(menu, 7), "&3 Activity 2 (unpaid)");
    if (list.count >= 10) {
        EXPECT_EQ(itemText(menu, 5 + 9), "  Activity 9");
    }
    DestroyMenu(menu);
}

INSTANTIATE_TEST_SUITE_P(Lists, ActivityMenuSizes, ::testing::Values(3, 10, 128));

TEST(ActivityMenus, RebuildAfterAnAdditionKeepsFixedItemsAndCheckMark) {
    Activities list;
    fillList(list, 4);
    HMENU dropDown = activitiesDropDown();
    HWND window = CreateWindowExA(0, "STATIC", "menus", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0,
                                  0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    HMENU systemMenu = GetSystemMenu(window, FALSE);
    ASSERT_NE(systemMenu, nullptr);
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu, MF_STRING, CMD_NEW_ACTIVITY, "New &activity...");
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    const int systemFixed = GetMenuItemCount(systemMenu);
    std::string systemTexts[64];
    for (int i = 0; i < systemFixed; ++i) {
        systemTexts[i] = itemText(systemMenu, i);
    }
    rebuildActivityMenus(list, dropDown, systemMenu, 1);

    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(list.add(("Added " + std::to_string(round)).c_str(), round % 2 == 0));
        rebuildActivityMenus(list, dropDown, systemMenu, 1);

        expectActivityItems(dropDown, 5, list);
        expectActivityItems(systemMenu, systemFixed, list);
        EXPECT_EQ(itemText(dropDown, 0), "Edit &rate...");
        EXPECT_EQ(GetMenuItemID(dropDown, 2), static_cast<UINT>(CMD_NEW_ACTIVITY));
        EXPECT_EQ(GetMenuItemID(dropDown, 3), static_cast<UINT>(CMD_EDIT_ACTIVITIES));
        for (int i = 0; i < systemFixed; ++i) {
            EXPECT_EQ(itemText(systemMenu, i), systemTexts[i]) << i;
        }
        EXPECT_EQ(GetMenuItemID(systemMenu, systemFixed - 2), static_cast<UINT>(CMD_NEW_ACTIVITY));
        for (HMENU menu : {dropDown, systemMenu}) {
            for (int i = 0; i < list.count; ++i) {
                EXPECT_EQ(isChecked(menu, ACTIVITY_COMMAND_BASE + i), i == 1) << i;
            }
        }
    }
    DestroyMenu(dropDown);
    DestroyWindow(window);
}

TEST(ActivityMenus, RebuildOverAnEmptyListRemovesNothing) {
    const Activities empty;
    HMENU dropDown = activitiesDropDown();
    HMENU other = activitiesDropDown();
    rebuildActivityMenus(empty, dropDown, other, -1);
    EXPECT_EQ(GetMenuItemCount(dropDown), 5);
    EXPECT_EQ(GetMenuItemCount(other), 5);
    // A lone item of another command at the end is not taken for an activity either.
    AppendMenuA(dropDown, MF_STRING, CMD_ABOUT, "&About...");
    removeActivityItems(dropDown, ACTIVITY_COMMAND_BASE);
    EXPECT_EQ(GetMenuItemCount(dropDown), 6);
    DestroyMenu(dropDown);
    DestroyMenu(other);
}

TEST(ActivityMenus, FullListUsesEveryIdAndRemovesCleanly) {
    Activities list;
    fillList(list, MAX_ACTIVITIES);
    HMENU menu = activitiesDropDown();
    appendActivityItems(list, menu, ACTIVITY_COMMAND_BASE);
    EXPECT_EQ(GetMenuItemID(menu, 5 + 127), static_cast<UINT>(12127));
    removeActivityItems(menu, ACTIVITY_COMMAND_BASE);
    EXPECT_EQ(GetMenuItemCount(menu), 5);
    DestroyMenu(menu);
}

}  // namespace
