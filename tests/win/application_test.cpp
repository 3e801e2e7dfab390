#include "app/application_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "resources/resource.h"
#include "app_fixture.h"
#include "win_test_support.h"

namespace {

std::string menuText(HMENU menu, int position) {
    char text[300] = "";
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

std::string titleOf(HWND window) {
    char text[400] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool checked(HMENU menu, UINT id) {
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// Ids of the checked activity items of a menu.
std::vector<UINT> checkedActivities(HMENU menu) {
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT id = GetMenuItemID(menu, i);
        if (id >= ACTIVITY_COMMAND_BASE && checked(menu, id)) {
            ids.push_back(id);
        }
    }
    return ids;
}

TEST_F(AppTest, MenusAtCreationHaveEveryItemAndOneCheckMarkEach) {
    start();
    HMENU bar = GetMenu(window);
    ASSERT_EQ(GetMenuItemCount(bar), 3);
    EXPECT_EQ(menuText(bar, 0), "&Counter");
    EXPECT_EQ(menuText(bar, 1), "&Acti&vities");
    EXPECT_EQ(menuText(bar, 2), "&Help");

    struct Item {
        const char* text;
        UINT id;
    };
    auto expectItems = [](HMENU menu, std::vector<Item> items) {
        ASSERT_GE(GetMenuItemCount(menu), static_cast<int>(items.size()));
        for (std::size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(menuText(menu, static_cast<int>(i)), items[i].text) << i;
            EXPECT_EQ(GetMenuItemID(menu, static_cast<int>(i)), items[i].id) << i;
        }
    };
    expectItems(app->mainWindow().counterMenu(), {{"&Always on top", CMD_ALWAYS_ON_TOP},
                                                  {"&Reset...", CMD_RESET},
                                                  {"&Currency...", CMD_CURRENCY},
                                                  {"&Logging...", CMD_LOGGING},
                                                  {"&Summary...", CMD_SUMMARY},
                                                  {"&Options...", CMD_OPTIONS},
                                                  {"E&xit", CMD_EXIT}});
    EXPECT_EQ(GetMenuItemCount(app->mainWindow().counterMenu()), 7);
    expectItems(app->mainWindow().activitiesMenu(), {{"Edit &rate...", CMD_EDIT_RATE},
                                                     {"", 0},
                                                     {"&New activity...", CMD_NEW_ACTIVITY},
                                                     {"Edit &activities...", CMD_EDIT_ACTIVITIES},
                                                     {"", 0},
                                                     {"&1 Nothing in particular (unpaid)", 12000},
                                                     {"&2 Working", 12001},
                                                     {"&3 Lunch (unpaid)", 12002}});
    EXPECT_EQ(GetMenuItemCount(app->mainWindow().activitiesMenu()), 8);
    expectItems(GetSubMenu(bar, 2), {{"&About...", CMD_ABOUT}});

    HMENU system = GetSystemMenu(window, FALSE);
    const int n = GetMenuItemCount(system);
    ASSERT_GT(n, 6);
    EXPECT_EQ(GetMenuItemID(system, n - 6), 0u);  // separator
    EXPECT_EQ(menuText(system, n - 5), "New &activity...");
    EXPECT_EQ(GetMenuItemID(system, n - 5), static_cast<UINT>(CMD_NEW_ACTIVITY));
    EXPECT_EQ(GetMenuItemID(system, n - 4), 0u);
    EXPECT_EQ(menuText(system, n - 2), "&2 Working");

    EXPECT_EQ(checkedActivities(app->mainWindow().activitiesMenu()), std::vector<UINT>{12001});
    EXPECT_EQ(checkedActivities(system), std::vector<UINT>{12001});
    EXPECT_FALSE(checked(app->mainWindow().counterMenu(), CMD_ALWAYS_ON_TOP));
}

TEST_F(AppTest, FirstRunWindowFitsTheMeter) {
    start();
    EXPECT_EQ(titleOf(window), "Working - Cointrel");
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 306);
    EXPECT_EQ(client.bottom, 45);
    EXPECT_TRUE(app->day().meter().running());
    EXPECT_EQ(GetFileAttributesA((folder + "\\acts.txt").c_str()) == INVALID_FILE_ATTRIBUTES,
              false);
}

TEST_F(AppTest, SwitchingFromEitherMenuMovesTitleAndCheckMarks) {
    start();
    command(WM_COMMAND, 12002);
    EXPECT_EQ(titleOf(window), "Lunch - Cointrel");
    EXPECT_FALSE(app->day().meter().running());
    EXPECT_EQ(checkedActivities(app->mainWindow().activitiesMenu()), std::vector<UINT>{12002});
    EXPECT_EQ(checkedActivities(app->mainWindow().systemMenu()), std::vector<UINT>{12002});
    EXPECT_STREQ(app->day().currentActivityName(), "Lunch");

    command(WM_SYSCOMMAND, 12000);
    EXPECT_EQ(titleOf(window), "Nothing in particular - Cointrel");
    EXPECT_EQ(app->day().current(), 0);
    EXPECT_EQ(checkedActivities(app->mainWindow().activitiesMenu()), std::vector<UINT>{12000});
    EXPECT_EQ(checkedActivities(app->mainWindow().systemMenu()), std::vector<UINT>{12000});
}

TEST_F(AppTest, IdsPastTheListAreIgnored) {
    start();
    for (unsigned id : {12003u, 12050u, 12127u, 12128u}) {
        command(WM_COMMAND, id);
        command(WM_SYSCOMMAND, id);
    }
    EXPECT_EQ(titleOf(window), "Working - Cointrel");
    EXPECT_EQ(app->day().current(), 1);
    EXPECT_EQ(checkedActivities(app->mainWindow().activitiesMenu()), std::vector<UINT>{12001});
    EXPECT_EQ(checkedActivities(app->mainWindow().systemMenu()), std::vector<UINT>{12001});
}

TEST_F(AppTest, EveryActivityOfAFullListCanBePicked) {
    std::string lines;
    for (int i = 0; i < 128; ++i) {
        lines += "Job " + std::to_string(i) + "\n";
    }
    writeFile(folder + "\\acts.txt", lines.c_str());
    start();
    command(WM_COMMAND, 12127);
    EXPECT_EQ(titleOf(window), "Job 127 - Cointrel");
    command(WM_SYSCOMMAND, 12100);
    EXPECT_EQ(titleOf(window), "Job 100 - Cointrel");
    EXPECT_EQ(checkedActivities(app->mainWindow().systemMenu()), std::vector<UINT>{12100});
}

TEST_F(AppTest, SingleActivityListStartsWithIt) {
    writeFile(folder + "\\acts.txt", "# mine\nSolo\n");
    start();
    EXPECT_EQ(app->day().current(), 0);
    EXPECT_EQ(titleOf(window), "Solo - Cointrel");
}

TEST_F(AppTest, EmptyListHasNoCurrentActivity) {
    writeFile(folder + "\\acts.txt", "# nothing yet\n");
    setText("CurrentActivity", "Gone fishing");
    setInt("Logging", 1);
    start();
    EXPECT_EQ(app->day().current(), -1);
    EXPECT_EQ(titleOf(window), "Cointrel");
    EXPECT_FALSE(app->day().meter().running());
    EXPECT_EQ(GetMenuItemCount(app->mainWindow().activitiesMenu()), 5);
    EXPECT_STREQ(app->day().currentActivityName(), "Gone fishing");
    DestroyWindow(window);

    FILE* f = std::fopen((folder + "\\log.txt").c_str(), "r");
    ASSERT_NE(f, nullptr);
    char line[128];
    std::string log;
    while (std::fgets(line, sizeof line, f) != nullptr) {
        log += line;
    }
    std::fclose(f);
    EXPECT_NE(log.find("  None\n"), std::string::npos) << log;
    Settings saved;
    Rate rate;
    RegistryStore(key.c_str()).read([&](SettingsReader* k) { loadSettings(k, saved, rate); });
    EXPECT_STREQ(saved.currentActivityName, "Gone fishing");
}

TEST_F(AppTest, SavedPlacementOffEveryMonitorIsBroughtBack) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    placement.showCmd = SW_HIDE;
    placement.rcNormalPosition = {5000, 4000, 5300, 4100};
    setValue("Placement", REG_BINARY, &placement, sizeof placement);
    start();
    EXPECT_TRUE(IsWindowVisible(window));
    RECT r{};
    GetWindowRect(window, &r);
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.right, screenW);
    EXPECT_LE(r.bottom, screenH);
}

TEST_F(AppTest, SavedPlacementOnScreenIsKept) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    placement.showCmd = SW_SHOWNORMAL;
    placement.rcNormalPosition = {120, 80, 900, 700};  // the size is not used
    setValue("Placement", REG_BINARY, &placement, sizeof placement);
    start();
    RECT r{}, client{};
    GetWindowRect(window, &r);
    GetClientRect(window, &client);
    EXPECT_EQ(r.left, 120);
    EXPECT_EQ(r.top, 80);
    EXPECT_EQ(client.right, 306);
    EXPECT_EQ(client.bottom, 45);
}

TEST_F(AppTest, AlwaysOnTopTwiceReturnsToTheFirstState) {
    start();
    auto topMost = [&] { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    EXPECT_FALSE(topMost());
    command(WM_COMMAND, CMD_ALWAYS_ON_TOP);
    EXPECT_TRUE(topMost());
    EXPECT_TRUE(checked(app->mainWindow().counterMenu(), CMD_ALWAYS_ON_TOP));
    EXPECT_TRUE(app->day().settings().topMost);
    command(WM_COMMAND, CMD_ALWAYS_ON_TOP);
    EXPECT_FALSE(topMost());
    EXPECT_FALSE(checked(app->mainWindow().counterMenu(), CMD_ALWAYS_ON_TOP));
    EXPECT_FALSE(app->day().settings().topMost);
}

// Moved to a screen of 200 %, the window takes the suggested place and fits a meter drawn for it;
// back at 100 %, the meter is as it was.
TEST_F(AppTest, ResolutionChangeRedrawsTheMeterAtItsPhysicalSize) {
    start();
    for (const auto& [dpi, width, height] : {std::tuple{192, 612, 90}, std::tuple{96, 306, 45}}) {
        const RECT suggested{40, 30, 700, 300};
        SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        expectFitsMeterAt(suggested, width, height);
        EXPECT_EQ(app->mainWindow().meter().cellWidth(), width * 2 / 17) << "at " << dpi;
    }
}

TEST_F(AppTest, NewCurrencyBitmapResizesTheWindowAroundTheMeter) {
    start();
    RECT before{};
    GetWindowRect(window, &before);
    const std::string path = folder + "\\big.bmp";
    ASSERT_TRUE(writeBitmapFile(path, 11 * 40, 60, [](int, int) { return RGB(240, 240, 255); }));
    app->day().currencyChosen(3, 0, path.c_str());
    app->mainWindow().applyCurrency();
    expectFitsMeterAt(before, 40 * 8 + 20, 60);
    EXPECT_EQ(app->mainWindow().meter().decimalsMode(), 0);

    // A custom file that cannot be loaded falls back to pounds with two decimals.
    app->day().currencyChosen(3, 0, (folder + "\\missing.bmp").c_str());
    app->mainWindow().applyCurrency();
    expectFitsMeterAt(before, 306, 45);
    EXPECT_EQ(app->day().settings().currency, 0);
    EXPECT_EQ(app->day().settings().decimals, 1);
    EXPECT_EQ(app->mainWindow().meter().decimalsMode(), 1);
}

// A window that records the commands it receives.
std::vector<WPARAM> receivedCommands;
LRESULT CALLBACK recordingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_COMMAND) {
        receivedCommands.push_back(wp);
    }
    return DefWindowProcA(w, m, wp, lp);
}

TEST(Accelerators, F2ReachesNewActivity) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    HACCEL table = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = recordingProc;
    wc.hInstance = instance;
    wc.lpszClassName = "CointrelTestRecorder";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  instance, nullptr);
    MSG msg{window, WM_KEYDOWN, VK_F2, 0x003C0001, 0, {}};
    EXPECT_TRUE(TranslateAcceleratorA(window, table, &msg));
    ASSERT_EQ(receivedCommands.size(), 1u);
    EXPECT_EQ(LOWORD(receivedCommands[0]), CMD_NEW_ACTIVITY);
    EXPECT_EQ(HIWORD(receivedCommands[0]), 1);
    msg.wParam = VK_F3;
    EXPECT_FALSE(TranslateAcceleratorA(window, table, &msg));
    DestroyWindow(window);
}

}  // namespace
