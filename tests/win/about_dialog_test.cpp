#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "dialogs/dialogs_win.h"
#include "dialogs/link_opener.h"
#include "dialogs/link_opener_win.h"
#include "resources/resource.h"
#include "win_test_support.h"

namespace {

TEST(AboutDialog, TemplateIsAsItsTable) {
    const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
    const DialogTemplate t = loadDialogTemplate(IDD_ABOUT);
    ASSERT_EQ(t.controls.size(), 6u);
    const std::string text = t.controls[5].caption;  // the about text, checked for its content
    EXPECT_NE(text.find("fun"), std::string::npos);
    EXPECT_NE(text.find("Mail button below"), std::string::npos);
    expectTemplate(IDD_ABOUT, "About Cointrel v1.0", 277, 167, false,
                   {{201, "Button", "Marrowfen", BS_GROUPBOX | WS_GROUP, 0, 4, 4, 268, 132},
                    {IDOK, "Button", "OK", button, 0, 113, 144, 50, 14},
                    {101, "Button", "Web: www.marrowfen.example", button, 0, 20, 80, 108, 12},
                    {102, "Button", "Mail: mail@marrowfen.example", button, 0, 144, 80, 108, 12},
                    {104, "Static", "", SS_BITMAP | SS_SUNKEN, 0, 73, 100, 129, 27},
                    {103, "Static", text, SS_LEFT | SS_SUNKEN, 0, 20, 20, 236, 52}});
}

TEST(AboutDialog, ShowsTheLogoAndOpensBothLinksWithoutClosing) {
    std::vector<std::string> opened;
    HBITMAP logo = nullptr;
    SIZE size{};
    EXPECT_TRUE(driveDialog(
        [&] {
            runAboutDialog(GetModuleHandleA(nullptr), nullptr,
                           [&](const char* url) { opened.emplace_back(url); });
        },
        [&] {
            HWND d = waitForDialog("About Cointrel v1.0");
            ASSERT_NE(d, nullptr);
            logo = reinterpret_cast<HBITMAP>(
                SendDlgItemMessageA(d, IDC_ABOUT_LOGO, STM_GETIMAGE, IMAGE_BITMAP, 0));
            BITMAP info{};
            GetObjectA(logo, sizeof info, &info);
            size = {info.bmWidth, info.bmHeight};
            click(d, IDC_ABOUT_WEB);
            click(d, IDC_ABOUT_MAIL);
            EXPECT_TRUE(IsWindowVisible(d));
            click(d, IDOK);
            EXPECT_TRUE(waitForDialogGone("About Cointrel v1.0"));
        }));
    EXPECT_EQ(size.cx, 191);
    EXPECT_EQ(size.cy, 42);
    EXPECT_EQ(GetObjectType(logo), 0u) << "the logo is released with the dialog";
    EXPECT_EQ(opened, (std::vector<std::string>{MAKER_WEB_URL, MAKER_MAIL_URL}));
}

// A classes key of the test's own, with ".htm" documents opened by the test driver, which writes
// its command line down instead of browsing.
struct LinkOpenerTest : ::testing::Test {
    std::string path =
        "Software\\Marrowfen\\CointrelTest\\Classes" + std::to_string(GetCurrentProcessId());
    HKEY root = nullptr;
    std::string record = tempPath("browser.txt");

    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &root, nullptr),
                  ERROR_SUCCESS);
        char self[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, self, sizeof self);
        std::string driver = self;
        driver = driver.substr(0, driver.rfind('\\')) + "\\driver.exe";
        setDefault(".htm", "CointrelTestPage");
        setDefault("CointrelTestPage\\shell\\open\\command",
                   "\"" + driver + "\" record \"" + record + "\" -url \"%1\" -new");
        DeleteFileA(record.c_str());
    }
    void TearDown() override {
        RegCloseKey(root);
        RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    }
    void setDefault(const char* key, const std::string& value, bool terminated = true) {
        HKEY k = nullptr;
        RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
        RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + (terminated ? 1 : 0)));
        RegCloseKey(k);
    }
    std::string recorded(DWORD waitMs) {
        std::string text;
        pumpMessagesUntil(waitMs, [&] {
            FILE* f = std::fopen(record.c_str(), "r");
            if (f == nullptr) {
                return false;
            }
            char line[1024] = "";
            std::fgets(line, sizeof line, f);
            std::fclose(f);
            text = line;
            return !text.empty();
        });
        return text;
    }
};

TEST_F(LinkOpenerTest, ReadDefaultValueTakesOnlyAWholeValue) {
    char out[LINK_COMMAND_SIZE] = "unchanged";
    EXPECT_NE(readDefaultValue(root, "no such key", out, sizeof out), ERROR_SUCCESS);
    setDefault("long", std::string(300, 'x'));
    EXPECT_NE(readDefaultValue(root, "long", out, sizeof out), ERROR_SUCCESS);
    EXPECT_STREQ(out, "unchanged");
    setDefault("bare", "TextWithoutItsTerminator", false);
    EXPECT_EQ(readDefaultValue(root, "bare", out, sizeof out), ERROR_SUCCESS);
    EXPECT_STREQ(out, "TextWithoutItsTerminator");
    setDefault("longest", std::string(259, 'y'));
    EXPECT_EQ(readDefaultValue(root, "longest", out, sizeof out), ERROR_SUCCESS);
    EXPECT_EQ(std::string(out), std::string(259, 'y'));
}

TEST_F(LinkOpenerTest, UnopenableLinkFallsBackToTheHtmlCommand) {
    // No application takes this scheme, so the desktop's "open" fails.
    openLink("cointrel-test-nowhere:page", root);
    const std::string line = recorded(10000);
    const std::string tail = "-url  cointrel-test-nowhere:page";
    ASSERT_GE(line.size(), tail.size()) << line;
    EXPECT_EQ(line.substr(line.size() - tail.size()), tail) << line;

    // An empty ".htm" value names a key that cannot be opened: nothing is run.
    DeleteFileA(record.c_str());
    setDefault(".htm", "");
    openLink("cointrel-test-nowhere:page", root);
    EXPECT_EQ(recorded(1000), "");
}

}  // namespace
