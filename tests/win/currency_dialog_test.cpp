#include <gtest/gtest.h>

#include <string>

#include "app_fixture.h"
#include "dialog_driver.h"
#include "resources/resource.h"

namespace {

constexpr DWORD BUTTON = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD RADIO = BS_AUTORADIOBUTTON | WS_TABSTOP;

TEST(CurrencyDialog, TemplateIsAsItsTable) {
    expectTemplate(
        IDD_CURRENCY, "Select currency...", 277, 189, true,
        {{111, "Static", "Picture1", SS_BITMAP | SS_REALSIZEIMAGE | SS_SUNKEN, 0, 8, 119, 19, 17},
         {IDOK, "Button", "OK", BUTTON, 0, 158, 167, 50, 14},
         {IDCANCEL, "Button", "Cancel", BUTTON, 0, 218, 167, 50, 14},
         {101, "Button", "Standard Currencies", BS_GROUPBOX | WS_GROUP, 0, 8, 9, 260, 43},
         {102, "Button", "Pounds (two decimal places)", RADIO, 0, 20, 21, 108, 12},
         {103, "Button", "Dollars (two decimal places)", RADIO, 0, 132, 22, 108, 12},
         {104, "Button", "Euros (two decimal places)", RADIO, 0, 20, 32, 108, 12},
         {109, "Button", "Custom (set options below)", RADIO, 0, 132, 32, 108, 12},
         {105, "Button", "Custom Currency", BS_GROUPBOX | WS_GROUP, 0, 8, 60, 260, 52},
         {106, "Static", "Bitmap file name:", SS_LEFT, 0, 17, 74, 60, 8},
         {107, "Edit", "Edit2", ES_LEFT | ES_READONLY | WS_BORDER | WS_TABSTOP, 0, 74, 73, 178, 12},
         {108, "Button", "No decimal places", RADIO, 0, 16, 86, 81, 12},
         {110, "Button", "Two decimal places", RADIO, 0, 16, 96, 80, 12},
         {112, "Button", "Browse...", BUTTON, 0, 201, 88, 50, 14}});
}

HBITMAP preview(HWND d) {
    return reinterpret_cast<HBITMAP>(
        SendDlgItemMessageA(d, IDC_CURRENCY_PREVIEW, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

SIZE sizeOf(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

std::string currentDirectory() {
    char path[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof path, path);
    return path;
}

TEST_F(AppTest, CurrencyDialogPreviewsBrowsesAndRebuildsTheMeter) {
    start();
    const std::string pictures = folder + "\\pictures";
    CreateDirectoryA(pictures.c_str(), nullptr);
    ASSERT_TRUE(writeBitmapFile(pictures + "\\strip.bmp", 11 * 20, 30,
                                [](int, int) { return RGB(250, 240, 200); }));
    RECT before{};
    GetWindowRect(window, &before);
    const std::string startFolder = currentDirectory();
    const char* const fileDialog = "Choose a digits bitmap";

    EXPECT_TRUE(driveDialog(window, CMD_CURRENCY, [&] {
        HWND d = waitForDialog("Select currency...");
        ASSERT_NE(d, nullptr);
        EXPECT_TRUE(isChecked(d, IDC_CURRENCY_POUNDS));
        EXPECT_TRUE(isChecked(d, IDC_CURRENCY_TWO_DECIMALS));
        EXPECT_EQ(controlText(d, IDC_CURRENCY_FILE), "");
        const HBITMAP pounds = preview(d);
        ASSERT_NE(pounds, nullptr);
        click(d, IDC_CURRENCY_DOLLARS);
        const HBITMAP dollars = preview(d);
        EXPECT_NE(dollars, pounds);
        EXPECT_EQ(GetObjectType(pounds), 0u) << "the replaced preview is released";

        // Browse cancelled: nothing changes.
        clickLater(d, IDC_CURRENCY_BROWSE);
        HWND f = waitForDialog(fileDialog);
        ASSERT_NE(f, nullptr);
        click(f, IDCANCEL);
        EXPECT_TRUE(waitForDialogGone(fileDialog));
        EXPECT_TRUE(isChecked(d, IDC_CURRENCY_DOLLARS));
        EXPECT_EQ(preview(d), dollars);

        // Browse into a folder and pick a strip there: custom alone, shown and previewed.
        clickLater(d, IDC_CURRENCY_BROWSE);
        f = waitForDialog(fileDialog);
        ASSERT_NE(f, nullptr);
        SetDlgItemTextA(f, 1148, pictures.c_str());
        click(f, IDOK);
        SetDlgItemTextA(f, 1148, "strip.bmp");
        click(f, IDOK);
        EXPECT_TRUE(waitForDialogGone(fileDialog));
        EXPECT_TRUE(isChecked(d, IDC_CURRENCY_CUSTOM));
        EXPECT_FALSE(isChecked(d, IDC_CURRENCY_DOLLARS));
        EXPECT_EQ(controlText(d, IDC_CURRENCY_FILE), pictures + "\\strip.bmp");
        EXPECT_EQ(sizeOf(preview(d)).cx, 220);
        click(d, IDC_CURRENCY_NO_DECIMALS);
        const HBITMAP last = preview(d);
        click(d, IDOK);
        EXPECT_TRUE(waitForDialogGone("Select currency..."));
        EXPECT_EQ(GetObjectType(last), 0u) << "the last preview is released with the dialog";
    }));
    EXPECT_EQ(currentDirectory(), startFolder);
    EXPECT_EQ(app->day().settings().currency, 3);
    EXPECT_EQ(app->day().settings().decimals, 0);
    EXPECT_EQ(std::string(app->day().settings().digitsBitmapFile), pictures + "\\strip.bmp");
    EXPECT_EQ(app->mainWindow().meter().decimalsMode(), 0);
    expectFitsMeterAt(before, 20 * 8 + 10, 30);

    // Cancel after changes: the settings stay and the meter is not rebuilt.
    const HWND meterWindow = app->mainWindow().meter().window();
    EXPECT_TRUE(driveDialog(window, CMD_CURRENCY, [&] {
        HWND d = waitForDialog("Select currency...");
        ASSERT_NE(d, nullptr);
        EXPECT_TRUE(isChecked(d, IDC_CURRENCY_CUSTOM));
        EXPECT_TRUE(isChecked(d, IDC_CURRENCY_NO_DECIMALS));
        click(d, IDC_CURRENCY_EUROS);
        pressKey(d, IDC_CURRENCY_EUROS, VK_ESCAPE);
        EXPECT_TRUE(waitForDialogGone("Select currency..."));
    }));
    EXPECT_EQ(app->day().settings().currency, 3);
    EXPECT_EQ(app->mainWindow().meter().window(), meterWindow);
}

}  // namespace
