#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "dialog_driver.h"
#include "dialogs/new_activity.h"
#include "resources/resource.h"

namespace {

const char* const CAPTION = "Add new activity...";

TEST(NewActivityDialog, TemplateIsAsItsTable) {
    const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
    expectTemplate(
        IDD_NEW_ACTIVITY, CAPTION, 253, 74, true,
        {{109, "Button", "Add...", BS_GROUPBOX | WS_GROUP, 0, 8, 5, 240, 44},
         {105, "Static", "Activity:", SS_LEFT, 0, 16, 19, 36, 8},
         {110, "Edit", "", ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0, 48, 17, 188, 12},
         {112, "Button", "Unpaid?", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 49, 32, 60, 12},
         {IDOK, "Button", "OK", button, 0, 136, 56, 50, 14},
         {IDCANCEL, "Button", "Cancel", button, 0, 196, 56, 50, 14}});
}

std::string lastItem(HMENU menu) {
    char text[300] = "";
    const int last = GetMenuItemCount(menu) - 1;
    GetMenuStringA(menu, static_cast<UINT>(last), text, sizeof text, MF_BYPOSITION);
    return std::to_string(GetMenuItemID(menu, last)) + " " + text;
}

std::string fileText(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        text.assign(buffer, std::fread(buffer, 1, sizeof buffer, f));
        std::fclose(f);
    }
    return text;
}

// Types a name, ticks Unpaid? when asked, and clicks OK.
void add(HWND d, const char* name, bool unpaid) {
    typeInto(d, IDC_NEW_ACTIVITY_NAME, name);
    if (unpaid) {
        click(d, IDC_NEW_ACTIVITY_UNPAID);
    }
    click(d, IDOK);
}

TEST_F(AppTest, NewActivityJoinsTheFileTheListAndBothMenus) {
    start();
    const std::string acts = folder + "\\acts.txt";
    const std::string before = fileText(acts);
    EXPECT_TRUE(driveDialog(window, CMD_NEW_ACTIVITY, [&] {
        HWND d = waitForDialog(CAPTION);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(focusedWindow(d), GetDlgItem(d, IDC_NEW_ACTIVITY_NAME));
        EXPECT_FALSE(isChecked(d, IDC_NEW_ACTIVITY_UNPAID));
        click(d, IDOK);  // no name: the dialog stays and nothing is written
        EXPECT_TRUE(IsWindowVisible(d));
        add(d, "Gardening", true);
        EXPECT_TRUE(waitForDialogGone(CAPTION));
    }));
    EXPECT_EQ(fileText(acts), before + "!Gardening\r\n");
    ASSERT_EQ(app->day().activities().count, 4);
    EXPECT_EQ(app->day().activities().paid[3], 0);
    for (HMENU menu : {app->mainWindow().activitiesMenu(), app->mainWindow().systemMenu()}) {
        EXPECT_EQ(lastItem(menu), "12003 &4 Gardening (unpaid)");
        EXPECT_TRUE(GetMenuState(menu, 12001, MF_BYCOMMAND) & MF_CHECKED);
    }
    command(WM_COMMAND, 12003);  // picked at once
    EXPECT_EQ(app->day().current(), 3);

    // A file that cannot be opened: the user is told, and may try again or cancel.
    app->day().activitiesFileChosen((folder + "\\missing\\acts.txt").c_str());
    std::string told;
    EXPECT_TRUE(driveDialog(window, CMD_NEW_ACTIVITY, [&] {
        HWND d = waitForDialog(CAPTION);
        ASSERT_NE(d, nullptr);
        typeInto(d, IDC_NEW_ACTIVITY_NAME, "Filing");
        clickLater(d, IDOK);
        HWND box = waitForDialog(NEW_ACTIVITY_OPEN_FAILED_CAPTION);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(GetWindow(box, GW_OWNER), d);
        told = controlText(box, 0xFFFF);
        pressKey(box, IDOK, VK_RETURN);
        EXPECT_TRUE(waitForDialogGone(NEW_ACTIVITY_OPEN_FAILED_CAPTION));
        EXPECT_TRUE(IsWindowVisible(d));
        pressKey(d, IDC_NEW_ACTIVITY_NAME, VK_ESCAPE);
        EXPECT_TRUE(waitForDialogGone(CAPTION));
    }));
    EXPECT_EQ(told, NEW_ACTIVITY_OPEN_FAILED_TEXT);
    EXPECT_EQ(app->day().activities().count, 4);
}

TEST_F(AppTest, NewActivityBeyondAFullListGoesOnlyToTheFile) {
    std::string lines;
    for (int i = 0; i < 128; ++i) {
        lines += "Job " + std::to_string(i) + "\n";
    }
    writeFile(folder + "\\acts.txt", lines.c_str());
    start();
    const int items = GetMenuItemCount(app->mainWindow().activitiesMenu());
    EXPECT_TRUE(driveDialog(window, CMD_NEW_ACTIVITY, [&] {
        HWND d = waitForDialog(CAPTION);
        ASSERT_NE(d, nullptr);
        add(d, "One too many", false);
        EXPECT_TRUE(waitForDialogGone(CAPTION));
    }));
    const std::string text = fileText(folder + "\\acts.txt");
    EXPECT_EQ(text.substr(text.size() - 14), "One too many\r\n");
    EXPECT_EQ(app->day().activities().count, 128);
    EXPECT_EQ(GetMenuItemCount(app->mainWindow().activitiesMenu()), items);
}

}  // namespace
