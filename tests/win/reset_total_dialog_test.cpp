#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app_fixture.h"
#include "dialog_driver.h"
#include "resources/resource.h"

namespace {

constexpr DWORD BUTTON = BS_PUSHBUTTON | WS_TABSTOP;

TEST(ResetTotalDialog, TemplateIsAsItsTable) {
    expectTemplate(IDD_RESET_TOTAL, "Reset total...", 200, 65, true,
                   {{109, "Button", "Reset total kett", BS_GROUPBOX, 0, 8, 5, 184, 35},
                    {105, "Static", "New total:", SS_LEFT, 0, 20, 19, 36, 8},
                    {110, "Edit", "", ES_LEFT | WS_BORDER | WS_TABSTOP, 0, 57, 17, 64, 12},
                    {101, "Button", "Zero", BUTTON, 0, 128, 16, 50, 14},
                    {IDOK, "Button", "OK", BUTTON, 0, 84, 44, 50, 14},
                    {IDCANCEL, "Button", "Cancel", BUTTON, 0, 140, 44, 50, 14}});
}

std::string readAll(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f) != nullptr) {
            text += line;
        }
        std::fclose(f);
    }
    return text;
}

TEST_F(AppTest, ResetTotalRestartsTheMeterFromTheTypedValue) {
    setInt("Logging", 1);
    float stored = 77.5f;
    setValue("Kett", REG_BINARY, &stored, 4);
    start();
    command(WM_COMMAND, 12002);  // Lunch, unpaid: the meter stands still
    ASSERT_FALSE(app->day().meter().running());

    EXPECT_TRUE(driveDialog(window, CMD_RESET, [&] {
        HWND d = waitForDialog("Reset total...");
        ASSERT_NE(d, nullptr);
        HWND field = GetDlgItem(d, IDC_RESET_TOTAL);
        EXPECT_EQ(controlText(d, IDC_RESET_TOTAL), "77.50");
        EXPECT_EQ(SendMessageA(field, EM_GETSEL, 0, 0), MAKELRESULT(0, 5));  // all selected
        EXPECT_EQ(focusedWindow(d), field);
        click(d, IDC_RESET_ZERO);
        EXPECT_EQ(controlText(d, IDC_RESET_TOTAL), "0.00");
        typeInto(d, IDC_RESET_TOTAL, "123.45");
        click(d, IDOK);
        EXPECT_TRUE(waitForDialogGone("Reset total..."));
    }));
    const Accumulation& meter = app->day().meter();
    EXPECT_EQ(meter.totalAt(meter.startTick()), 123.44999694824219);
    // Until the next switch the meter runs, even though Lunch is unpaid.
    EXPECT_TRUE(app->day().meter().running());
    EXPECT_EQ(app->day().current(), 2);
    const std::string log = readAll(folder + "\\log.txt");
    const std::size_t lunch = log.rfind("  Lunch\n");
    ASSERT_NE(lunch, std::string::npos) << log;
    const std::string tail = log.substr(lunch);
    const std::size_t finished = tail.find(", Finished\n    Duration: ");
    const std::size_t none = tail.find("\n  None\n    ");
    EXPECT_NE(finished, std::string::npos) << tail;
    EXPECT_NE(none, std::string::npos) << tail;
    EXPECT_LT(finished, none);
    EXPECT_EQ(tail.substr(tail.size() - 10), ", Started\n");

    // No number, a number out of range, Zero then Cancel: nothing changes, nothing is logged.
    for (const char* typed : std::initializer_list<const char*>{"letters", "1000000", nullptr}) {
        EXPECT_TRUE(driveDialog(window, CMD_RESET, [&] {
            HWND d = waitForDialog("Reset total...");
            ASSERT_NE(d, nullptr);
            if (typed != nullptr) {
                typeInto(d, IDC_RESET_TOTAL, typed);
                click(d, IDOK);
            } else {
                click(d, IDC_RESET_ZERO);
                pressKey(d, IDC_RESET_TOTAL, VK_ESCAPE);
            }
            EXPECT_TRUE(waitForDialogGone("Reset total..."));
        }));
        EXPECT_EQ(meter.totalAt(meter.startTick()), 123.44999694824219);
    }
    EXPECT_EQ(readAll(folder + "\\log.txt"), log);
}

}  // namespace
