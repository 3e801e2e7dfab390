// The Summary's chart as the user sees it: bars in proportion on the screen, a day picked by the
// mouse or the keys filling the activities list, and the same figures for a screen reader; the
// dialog fits a small screen at 150%.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "dialogs/dialogs_win.h"
#include "resources/resource.h"
#include "win_test_support.h"

namespace {

std::int64_t dayOfDate(int month, int day) {
    const LocalTime t{2026, std::uint16_t(month), 0, std::uint16_t(day), 12, 0, 0, 0};
    std::int64_t value = 0;
    wallClockValue(t, value);
    return dayOf(value);
}

// Pixels of the bar colour down the middle of each day's slot, as shown on the screen.
std::vector<int> barHeights(HWND chart) {
    RECT client{};
    GetClientRect(chart, &client);
    POINT origin{0, 0};
    ClientToScreen(chart, &origin);
    HDC screen = GetDC(nullptr);
    const Pixels p = capture(screen, origin.x, origin.y, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    const std::uint32_t bar = rgbOf(GetSysColor(COLOR_HIGHLIGHT));
    std::vector<int> heights;
    for (int i = 0; i < SUMMARY_DAYS; ++i) {
        const int x = p.width * (2 * i + 1) / (2 * SUMMARY_DAYS);
        int count = 0;
        for (int y = 0; y < p.height; ++y) {
            count += p.at(x, y) == bar ? 1 : 0;
        }
        heights.push_back(count);
    }
    return heights;
}

std::string firstActivity(HWND dialog) {
    char text[256] = "";
    LVITEMA item{};
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendDlgItemMessageA(dialog, IDC_SUMMARY_ACTIVITIES, LVM_GETITEMTEXTA, 0,
                        reinterpret_cast<LPARAM>(&item));
    return text;
}

TEST(SummaryDialog, ChartShowsTheDaysAndAPickedDayItsActivities) {
    // Tuesday 8 December 2026; a hundred earned on Monday, fifty today, nothing before.
    auto summary = std::make_unique<LedgerSummary>(dayOfDate(12, 8), 0);
    const std::string rows =
        "2026-12-07,09:00:00,13:00:00,Working,1,14400,25.00,100.00,GBP\r\n"
        "2026-12-08,09:00:00,11:00:00,Working,1,7200,25.00,50.00,GBP\r\n";
    summary->add(rows.data(), rows.size());
    summary->finish();
    std::vector<std::int64_t> asked;
    const auto dayOfChart = [&](std::int64_t day) {
        asked.push_back(day);
        auto one = std::make_unique<LedgerSummary>(day, 0);
        const std::string row = "2026-12-07,14:00:00,15:00:00,Gardening,1,3600,25.00,25.00,GBP\r\n";
        one->add(row.data(), row.size());
        one->finish();
        return one;
    };
    const CurrencySigns signs{{"\xA3", "$", "\x80", ""}};
    const SummaryView view{*summary, "GBP", signs, NumberStyle(), dayOfChart};
    Settings settings;
    settings.ledger = true;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    EXPECT_TRUE(driveDialog(
        [&] { runSummaryDialog(instance, nullptr, view, settings); },
        [&] {
            HWND d = waitForDialog("Summary");
            ASSERT_NE(d, nullptr) << "no Summary dialog";
            HWND chart = GetDlgItem(d, IDC_SUMMARY_CHART);
            ASSERT_NE(chart, nullptr) << "no chart";

            char reading[1024] = "";
            GetWindowTextA(chart, reading, sizeof reading);
            const std::string said = reading;
            EXPECT_EQ(said.find("Last 14 days: Wed 25 Nov \xA3"
                                "0.00; "),
                      0u)
                << said;
            EXPECT_NE(said.find("; Mon 7 Dec \xA3"
                                "100.00; Tue 8 Dec \xA3"
                                "50.00"),
                      std::string::npos)
                << said;

            std::vector<int> bars;
            pumpMessagesUntil(3000, [&] {
                bars = barHeights(chart);
                return bars[12] > 0;
            });
            EXPECT_GT(bars[12], 20) << "Monday's bar, the tallest";
            EXPECT_NEAR(bars[13], bars[12] / 2.0, 1.0) << "today's bar, half Monday's";
            for (int i = 0; i < 12; ++i) {
                EXPECT_EQ(bars[i], 0) << "a bar for day " << i << ", which earned nothing";
            }

            // A click on Monday: its activities below; then the left arrow, Sunday.
            RECT client{};
            GetClientRect(chart, &client);
            const int monday = client.right * 25 / 28;
            SendMessageA(chart, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(monday, client.bottom / 2));
            SendMessageA(chart, WM_LBUTTONUP, 0, MAKELPARAM(monday, client.bottom / 2));
            EXPECT_EQ(firstActivity(d), "Gardening") << "the activities of the day clicked";
            SendMessageA(chart, WM_KEYDOWN, VK_LEFT, 0);

            // 150% of this on a 1280 x 720 screen, less a taskbar.
            RECT frame{};
            GetWindowRect(d, &frame);
            EXPECT_LE((frame.right - frame.left) * 3 / 2, 1280);
            EXPECT_LE((frame.bottom - frame.top) * 3 / 2, 680);
            click(d, IDOK);
        }));
    const std::vector<std::int64_t> expected = {dayOfDate(12, 7), dayOfDate(12, 6)};
    EXPECT_EQ(asked, expected) << "the days whose activities were asked for";
}

}  // namespace
