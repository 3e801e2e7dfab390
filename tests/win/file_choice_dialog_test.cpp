#include <gtest/gtest.h>

#include <string>

#include "app_fixture.h"
#include "dialog_driver.h"
#include "resources/resource.h"

namespace {

constexpr DWORD BUTTON = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD FILE_FIELD = ES_LEFT | ES_READONLY | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD GROUP = BS_GROUPBOX | WS_GROUP;

TEST(FileChoiceDialogs, TemplatesAreAsTheirTables) {
    expectTemplate(
        IDD_LOGGING, "Activity logging options...", 253, 122, true,
        {{104, "Button", "Logging options...", GROUP, 0, 8, 9, 240, 47},
         {IDOK, "Button", "OK", BUTTON, 0, 136, 104, 50, 14},
         {IDCANCEL, "Button", "Cancel", BUTTON, 0, 196, 104, 50, 14},
         {101, "Static", "File name:", SS_LEFT, 0, 32, 35, 36, 8},
         {102, "Edit", "", FILE_FIELD, 0, 68, 33, 108, 12},
         {103, "Button", "&Browse...", BUTTON, 0, 188, 32, 44, 14},
         {105, "Button", "Log activity changes to a file?", BS_AUTOCHECKBOX | WS_TABSTOP, 0, 16, 20,
          120, 12},
         {106, "Button", "View log...", GROUP, 0, 8, 60, 240, 36},
         {107, "Static",
          "Click the 'View...' button to view your log file in an appropriate application.",
          SS_LEFT | SS_SUNKEN, 0, 16, 72, 160, 19},
         {108, "Button", "&View...", BUTTON, 0, 188, 72, 44, 14}});
    expectTemplate(
        IDD_ACTIVITIES_FILE, "Activites...", 253, 98, true,
        {{104, "Button", "Activity file...", GROUP, 0, 8, 7, 240, 28},
         {IDOK, "Button", "OK", BUTTON, 0, 136, 80, 50, 14},
         {IDCANCEL, "Button", "Cancel", BUTTON, 0, 196, 80, 50, 14},
         {101, "Static", "File name:", SS_LEFT, 0, 16, 19, 36, 8},
         {102, "Edit", "", FILE_FIELD, 0, 52, 16, 124, 12},
         {103, "Button", "&Browse...", BUTTON, 0, 188, 16, 44, 14},
         {106, "Button", "Edit activities...", GROUP, 0, 8, 38, 240, 36},
         {107, "Static",
          "Click the 'Edit...' button to open your activity file in an appropriate application.",
          SS_LEFT | SS_SUNKEN, 0, 16, 49, 160, 19},
         {108, "Button", "&Edit...", BUTTON, 0, 188, 50, 44, 14}});
}

std::string currentDirectory() {
    char path[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof path, path);
    return path;
}

// Browse in an open file dialog: into `folder`, then picks `name` there.
void pickFile(HWND dialog, const std::string& folder, const char* name) {
    clickLater(dialog, IDC_FILE_BROWSE);
    HWND f = waitForDialog("Choose a message file");
    ASSERT_NE(f, nullptr);
    SetDlgItemTextA(f, 1148, folder.c_str());
    click(f, IDOK);
    SetDlgItemTextA(f, 1148, name);
    click(f, IDOK);
    EXPECT_TRUE(waitForDialogGone("Choose a message file"));
}

TEST_F(AppTest, LoggingDialogSwitchesLoggingToANewFile) {
    start();
    const std::string logs = folder + "\\logs";
    CreateDirectoryA(logs.c_str(), nullptr);
    const std::string startFolder = currentDirectory();
    const char* const caption = "Activity logging options...";
    EXPECT_TRUE(driveDialog(window, CMD_LOGGING, [&] {
        HWND d = waitForDialog(caption);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(controlText(d, IDC_FILE_NAME), "log.txt");
        EXPECT_FALSE(isChecked(d, IDC_LOGGING_ENABLED));
        clickLater(d, IDC_FILE_BROWSE);  // cancelled: nothing changes
        HWND f = waitForDialog("Choose a message file");
        ASSERT_NE(f, nullptr);
        click(f, IDCANCEL);
        EXPECT_TRUE(waitForDialogGone("Choose a message file"));
        EXPECT_EQ(controlText(d, IDC_FILE_NAME), "log.txt");
        pickFile(d, logs, "week.txt");
        EXPECT_EQ(controlText(d, IDC_FILE_NAME), logs + "\\week.txt");
        click(d, IDC_FILE_OPEN);  // no such log yet: nothing to see, the dialog stays
        EXPECT_TRUE(IsWindowVisible(d));
        click(d, IDC_LOGGING_ENABLED);
        click(d, IDOK);
        EXPECT_TRUE(waitForDialogGone(caption));
    }));
    EXPECT_EQ(currentDirectory(), startFolder);
    EXPECT_TRUE(app->day().settings().logging);
    EXPECT_EQ(std::string(app->day().settings().logFile), logs + "\\week.txt");
    command(WM_COMMAND, 12002);  // the next records go to the new file
    FILE* log = std::fopen((logs + "\\week.txt").c_str(), "r");
    ASSERT_NE(log, nullptr);
    std::string text;
    for (char line[128]; std::fgets(line, sizeof line, log) != nullptr;) {
        text += line;
    }
    std::fclose(log);
    // Switched on mid-period, the log starts with that period's start, so its finish is paired.
    EXPECT_EQ(text.rfind("  Working\n", 0), 0u) << text;
    EXPECT_LT(text.find(", Started\n"), text.find(", Finished\n")) << text;
    EXPECT_EQ(GetFileAttributesA((folder + "\\log.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(AppTest, ActivitiesFileDialogChoosesTheFileNewActivitiesGoTo) {
    start();
    writeFile(folder + "\\other.txt", "Alpha\n");
    const int items = GetMenuItemCount(app->mainWindow().activitiesMenu());
    EXPECT_TRUE(driveDialog(window, CMD_EDIT_ACTIVITIES, [&] {
        HWND d = waitForDialog("Activites...");
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(controlText(d, IDC_FILE_NAME), "acts.txt");
        pickFile(d, folder, "other.txt");
        click(d, IDOK);
        EXPECT_TRUE(waitForDialogGone("Activites..."));
    }));
    EXPECT_EQ(std::string(app->day().settings().activitiesFile), folder + "\\other.txt");
    EXPECT_EQ(GetMenuItemCount(app->mainWindow().activitiesMenu()),
              items);  // read at the next start
    EXPECT_TRUE(driveDialog(window, CMD_NEW_ACTIVITY, [&] {
        HWND d = waitForDialog("Add new activity...");
        ASSERT_NE(d, nullptr);
        typeInto(d, IDC_NEW_ACTIVITY_NAME, "Beta");
        click(d, IDOK);
        EXPECT_TRUE(waitForDialogGone("Add new activity..."));
    }));
    FILE* f = std::fopen((folder + "\\other.txt").c_str(), "r");
    ASSERT_NE(f, nullptr);
    char text[64] = "";
    const std::size_t n = std::fread(text, 1, sizeof text - 1, f);
    std::fclose(f);
    EXPECT_EQ(std::string(text, n), "Alpha\nBeta\n");
}

}  // namespace
