#include <gtest/gtest.h>

#include <string>

#include "app_fixture.h"
#include "dialog_driver.h"
#include "resources/resource.h"
#include "win32/context_help.h"

namespace {

// What the "?" button does on a click on a control: WM_HELP, then the popup, if any.
HWND askHelp(HWND dialog, int id) {
    HELPINFO request{sizeof request, HELPINFO_WINDOW, id, GetDlgItem(dialog, id), 0, {0, 0}};
    SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&request));
    HWND popup = FindWindowA(HELP_POPUP_CLASS, nullptr);
    return popup != nullptr && GetWindow(popup, GW_OWNER) == dialog ? popup : nullptr;
}

TEST_F(AppTest, ContextHelpExplainsTheControlAskedAboutAndNotItsLabel) {
    start();
    struct Case {
        unsigned command;
        const char* caption;
        int control, label;
        const char* says;
    } const cases[] = {
        {CMD_RESET, "Reset total...", IDC_RESET_TOTAL, IDC_RESET_LABEL, "below 1000000"},
        {CMD_CURRENCY, "Select currency...", IDC_CURRENCY_BROWSE, IDC_CURRENCY_FILE_LABEL,
         "bitmap"},
        {CMD_LOGGING, "Activity logging options...", IDC_LOGGING_ENABLED, IDC_FILE_LABEL,
         "start and finish"},
        {CMD_EDIT_ACTIVITIES, "Activites...", IDC_FILE_NAME, IDC_FILE_OPEN_NOTE, "! before"},
        {CMD_NEW_ACTIVITY, "Add new activity...", IDC_NEW_ACTIVITY_UNPAID, IDC_NEW_ACTIVITY_LABEL,
         "stand still"},
        {CMD_OPTIONS, "Options", IDC_OPTIONS_MINUTES, IDC_OPTIONS_MINUTES_LABEL, "1 to 720"},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(driveDialog(window, c.command, [&] {
            HWND d = waitForDialog(c.caption);
            ASSERT_NE(d, nullptr) << c.caption;
            EXPECT_EQ(askHelp(d, c.label), nullptr) << c.caption << ": a label explains nothing";
            HWND popup = askHelp(d, c.control);
            ASSERT_NE(popup, nullptr) << c.caption << ": no help for control " << c.control;
            char text[512] = "";
            GetWindowTextA(popup, text, sizeof text);
            EXPECT_NE(std::string(text).find(c.says), std::string::npos)
                << c.caption << ": " << text;
            RECT shown{}, control{};
            GetWindowRect(popup, &shown);
            GetWindowRect(GetDlgItem(d, c.control), &control);
            EXPECT_TRUE(shown.top >= control.bottom || shown.bottom <= control.top)
                << c.caption << ": the popup covers the control";
            EXPECT_LT(std::abs(shown.left - control.left), 40)
                << c.caption << ": not at the control";
            SendMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
            EXPECT_FALSE(IsWindow(popup)) << c.caption << ": a key leaves the popup open";
            click(d, IDCANCEL);
        }));
    }
}

}  // namespace
