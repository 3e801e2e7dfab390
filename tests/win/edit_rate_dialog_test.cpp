#include <gtest/gtest.h>

#include "app_fixture.h"
#include "dialog_driver.h"
#include "resources/resource.h"

namespace {

constexpr DWORD FIELD = ES_LEFT | WS_BORDER | WS_TABSTOP;
constexpr DWORD BUTTON = BS_PUSHBUTTON | WS_TABSTOP;

TEST(EditRateDialog, TemplateIsAsItsTable) {
    expectTemplate(IDD_EDIT_RATE, "Edit rate...", 240, 111, false,
                   {{201, "Button", "Rate of kett", BS_GROUPBOX, 0, 4, 4, 232, 80},
                    {130, "Static", "Hourly:", SS_LEFT, 0, 16, 18, 28, 8},
                    {105, "Edit", "", FIELD, 0, 44, 16, 52, 12},
                    {132, "Static", "Daily:", SS_LEFT, 0, 16, 42, 28, 8},
                    {107, "Edit", "", FIELD, 0, 44, 40, 52, 12},
                    {133, "Static", "Hours per day:", SS_LEFT, 0, 108, 42, 52, 8},
                    {109, "Edit", "", FIELD, 0, 160, 40, 52, 12},
                    {131, "Static", "Yearly:", SS_LEFT, 0, 16, 66, 28, 8},
                    {106, "Edit", "", FIELD, WS_EX_RIGHT, 44, 64, 52, 12},
                    {134, "Static", "Days per year:", SS_LEFT, 0, 108, 66, 52, 8},
                    {110, "Edit", "", FIELD, 0, 160, 64, 52, 12},
                    {IDOK, "Button", "OK", BUTTON, 0, 128, 92, 50, 14},
                    {IDCANCEL, "Button", "Cancel", BUTTON, 0, 184, 92, 50, 14}});
}

TEST_F(AppTest, EditRateDialogChangesTheLiveRateOnlyOnOk) {
    start();
    // A total of 25 that grows at 25 an hour: any jump at the new rate would show.
    app->day().resetTotal(25.0);

    EXPECT_TRUE(driveDialog(window, CMD_EDIT_RATE, [&] {
        HWND d = waitForDialog("Edit rate...");
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(focusedWindow(d), GetDlgItem(d, IDC_RATE_HOURLY));
        EXPECT_EQ(controlText(d, IDC_RATE_YEARLY), "48375.00");
        EXPECT_EQ(controlText(d, IDC_RATE_DAYS_PER_YEAR), "258");
        typeInto(d, IDC_RATE_HOURLY, "30");
        leaveField(d);
        EXPECT_EQ(controlText(d, IDC_RATE_DAILY), "225.00");
        EXPECT_EQ(controlText(d, IDC_RATE_YEARLY), "58050.00");
        focusControl(d, IDC_RATE_DAYS_PER_YEAR);
        typeInto(d, IDC_RATE_DAYS_PER_YEAR, "abc");
        leaveField(d);
        EXPECT_EQ(controlText(d, IDC_RATE_DAYS_PER_YEAR), "258");
        EXPECT_EQ(app->day().rate().hourly, 25.0);  // nothing reaches the live rate before OK
        // Enter while the field still has the focus applies the typed figure and closes.
        focusControl(d, IDC_RATE_HOURS_PER_DAY);
        typeInto(d, IDC_RATE_HOURS_PER_DAY, "8");
        pressKey(d, IDC_RATE_HOURS_PER_DAY, VK_RETURN);
        EXPECT_TRUE(waitForDialogGone("Edit rate..."));
    }));
    EXPECT_EQ(app->day().rate().hoursPerDay, 8.0);
    EXPECT_EQ(app->day().rate().daily, 225.0);
    EXPECT_EQ(app->day().rate().hourly, 28.125);
    EXPECT_EQ(app->day().meter().hourly(), 28.125);
    EXPECT_NEAR(app->day().currentTotal(), 25.0, 0.1);

    // Escape and the close box throw the working copy away.
    for (bool closeBox : {false, true}) {
        EXPECT_TRUE(driveDialog(window, CMD_EDIT_RATE, [&] {
            HWND d = waitForDialog("Edit rate...");
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(controlText(d, IDC_RATE_HOURLY), "28.12");  // 28.125, half to even
            typeInto(d, IDC_RATE_HOURLY, "99");
            leaveField(d);
            if (closeBox) {
                SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0);
            } else {
                pressKey(d, IDC_RATE_DAILY, VK_ESCAPE);
            }
            EXPECT_TRUE(waitForDialogGone("Edit rate..."));
        }));
        EXPECT_EQ(app->day().rate().hourly, 28.125);
    }
}

}  // namespace
