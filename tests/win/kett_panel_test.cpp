#include "meter/kett_panel_win.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "meter/currency.h"
#include "meter/digits_bitmap_win.h"
#include "meter/odometer.h"
#include "win_test_support.h"

namespace {

struct PanelTest : ::testing::Test {
    Rate rate;
    HWND parent = createTestParent(640, 120);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    void TearDown() override { DestroyWindow(parent); }

    // One timer tick and the paint it asks for.
    static void tickAndPaint(KettPanel& panel) {
        SendMessageA(panel.window, WM_TIMER, 12345, 0);  // any timer id runs the step
        UpdateWindow(panel.window);
    }

    static Pixels stripOf(const KettPanel& panel) {
        BITMAP info{};
        GetObjectA(panel.digitsBitmap.get(), sizeof info, &info);
        return capture(panel.digitsDC.get(), 0, 0, info.bmWidth, info.bmHeight);
    }

    static void expectShowsItsTotal(const KettPanel& panel) {
        const Pixels expected =
            renderLayout(stripOf(panel),
                         layoutOdometer(panel.meter.total, panel.decimalsMode, panel.cellWidth,
                                        panel.cellHeight, panel.width),
                         panel.width, panel.height);
        const Pixels back = capture(panel.backDC.get(), 0, 0, panel.width, panel.height);
        ASSERT_EQ(back.rgb.size(), expected.rgb.size());
        EXPECT_TRUE(back.rgb == expected.rgb) << "total " << panel.meter.total;
        // The screen shows the back buffer after the one final copy.
        WindowDC screen(panel.window);
        const Pixels shown = capture(screen.get(), 0, 0, panel.width, panel.height);
        EXPECT_TRUE(shown.rgb == back.rgb) << "total " << panel.meter.total;
    }
};

struct Drawing {
    double total;
    int decimalsMode;
};

class BuiltInStrip : public PanelTest, public ::testing::WithParamInterface<int> {};

TEST_P(BuiltInStrip, PaintsTheCopiesTheLayoutPrescribes) {
    Accumulation meter(rate, 0.0);
    KettPanel panel(meter, parent, 0, 0, 8, true, loadDigitsBitmap(instance, GetParam(), ""),
                    instance);
    ASSERT_TRUE(panel.digitsBitmap);
    panel.createWindow();
    ASSERT_NE(panel.window, nullptr);
    EXPECT_EQ(panel.cellWidth, 36);
    EXPECT_EQ(panel.cellHeight, 45);
    EXPECT_EQ(panel.width, 306);
    EXPECT_EQ(panel.height, 45);
    EXPECT_EQ(panel.backgroundLogBrush.lbColor, RGB(255, 255, 255));
    ShowWindow(panel.window, SW_SHOWNORMAL);

    for (Drawing d : {Drawing{0, 1}, Drawing{1234.5678, 1}, Drawing{1299.9951, 1},
                      Drawing{199.5, 0}, Drawing{-41.37, 0}, Drawing{123456789.5, 1}}) {
        panel.meter.baseTotal = d.total;
        panel.decimalsMode = d.decimalsMode;
        tickAndPaint(panel);
        ASSERT_EQ(panel.meter.total, d.total);
        expectShowsItsTotal(panel);
    }
}

std::string currencyName(const ::testing::TestParamInfo<int>& info) {
    static const char* const names[] = {"Pounds", "Dollars", "Euros"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Currencies, BuiltInStrip,
                         ::testing::Values(CURRENCY_POUNDS, CURRENCY_DOLLARS, CURRENCY_EUROS),
                         currencyName);

TEST_F(PanelTest, TurningCurrencyGlyphLeavesBackgroundPastTheStrip) {
    // Twelve cells put the currency glyph inside the panel while it turns.
    Accumulation meter(rate, 999999999.9999);
    KettPanel panel(meter, parent, 0, 0, 12, true, loadDigitsBitmap(instance, CURRENCY_EUROS, ""),
                    instance);
    panel.decimalsMode = DECIMALS_TWO;
    panel.createWindow();
    ShowWindow(panel.window, SW_SHOWNORMAL);
    tickAndPaint(panel);
    expectShowsItsTotal(panel);
    // The wheel below the turning currency glyph reads nothing: the panel is white there.
    const OdometerLayout layout = layoutOdometer(panel.meter.total, 1, 36, 45, panel.width);
    const GlyphCopy& following = layout.copies[layout.count - 1];
    ASSERT_GE(following.x, 0);
    ASSERT_EQ(following.sourceX, 11 * 36);
    const Pixels back = capture(panel.backDC.get(), 0, 0, panel.width, panel.height);
    for (int y = std::max(0, following.y); y < panel.height; ++y) {
        for (int x = following.x; x < following.x + following.width; ++x) {
            ASSERT_EQ(back.at(x, y), 0xFFFFFFu) << x << "," << y;
        }
    }
}

TEST_F(PanelTest, WithoutAStripPaintsWhiteAndKeepsCounting) {
    for (HBITMAP bitmap : {static_cast<HBITMAP>(nullptr), CreateBitmap(10, 45, 1, 32, nullptr)}) {
        Accumulation meter(rate, 5.0);
        KettPanel panel(meter, parent, 0, 0, 8, true, bitmap, instance);
        panel.createWindow();
        ASSERT_NE(panel.window, nullptr);
        EXPECT_EQ(panel.cellWidth, 0);
        EXPECT_EQ(panel.width, 0);
        EXPECT_EQ(panel.backgroundLogBrush.lbColor, RGB(255, 255, 255));
        ShowWindow(panel.window, SW_SHOWNORMAL);
        rate.changed = false;
        panel.meter.start(GetTickCount() - 3600000, true);
        tickAndPaint(panel);
        EXPECT_NEAR(panel.meter.total, 30.0, 0.01);
    }
}

TEST_F(PanelTest, ChangeBitmapRebuildsTheWindowAroundTheNewStrip) {
    const COLORREF cream = RGB(255, 250, 200);
    const std::string path = tempPath("strip-220x30.bmp");
    ASSERT_TRUE(writeBitmapFile(path, 220, 30, [&](int x, int y) {
        return (x % 20 > 5 && x % 20 < 14 && y > 4 && y < 25) ? RGB(20, 20, 90) : cream;
    }));
    Accumulation meter(rate, 42.0);
    KettPanel panel(meter, parent, 0, 0, 8, true, loadDigitsBitmap(instance, CURRENCY_POUNDS, ""),
                    instance);
    panel.createWindow();
    ShowWindow(panel.window, SW_SHOWNORMAL);
    const HWND before = panel.window;

    HBITMAP custom = loadDigitsBitmap(instance, CURRENCY_CUSTOM, path.c_str());
    ASSERT_NE(custom, nullptr);
    panel.changeBitmap(custom);

    EXPECT_FALSE(IsWindow(before));
    ASSERT_NE(panel.window, nullptr);
    EXPECT_EQ(panel.digitsBitmap.get(), custom);
    EXPECT_EQ(panel.cellWidth, 20);
    EXPECT_EQ(panel.cellHeight, 30);
    EXPECT_EQ(panel.width, 170);
    EXPECT_EQ(panel.height, 30);
    EXPECT_TRUE(IsWindowVisible(panel.window));
    RECT client{};
    GetClientRect(panel.window, &client);
    EXPECT_EQ(client.right, 170);
    EXPECT_EQ(client.bottom, 30);
    EXPECT_EQ(panel.backgroundLogBrush.lbColor, cream);
    LOGBRUSH made{};
    ASSERT_NE(GetObjectA(panel.backgroundBrush.get(), sizeof made, &made), 0);
    EXPECT_EQ(made.lbColor, cream);

    // Running, the new window's own timer re-bases on a changed rate within a few periods.
    rate.hourly = 3600000.0;  // fast enough for a tick every 20 ms
    panel.meter.start(GetTickCount(), true);
    panel.schedule();
    rate.changed = true;
    EXPECT_TRUE(pumpMessagesUntil(2000, [&] { return !rate.changed; }));
    UpdateWindow(panel.window);
    expectShowsItsTotal(panel);
}

bool asksForPaint(const KettPanel& panel) {
    RECT dirty{};
    return GetUpdateRect(panel.window, &dirty, FALSE) != FALSE;
}

TEST_F(PanelTest, PaintsOnlyWhenThePictureChanges) {
    Accumulation meter(rate, 1234.5);
    KettPanel panel(meter, parent, 0, 0, 8, true, loadDigitsBitmap(instance, CURRENCY_POUNDS, ""),
                    instance);
    panel.decimalsMode = DECIMALS_TWO;
    panel.createWindow();
    ShowWindow(panel.window, SW_SHOWNORMAL);
    UpdateWindow(panel.window);
    rate.changed = false;
    const unsigned first = panel.paints;
    ASSERT_GE(first, 1u);
    EXPECT_EQ(SendMessageA(panel.window, paintCountMessage(), 0, 0), static_cast<LRESULT>(first));

    // Standing still, a second of ticks asks for no paint at all.
    pumpMessagesUntil(1000, [] { return false; });
    EXPECT_EQ(panel.paints, first);

    // Covered and uncovered, it shows its total; a paint the system asks for is done.
    HWND cover = createTestParent(200, 60);
    UpdateWindow(cover);
    DestroyWindow(cover);
    pumpMessagesUntil(200, [] { return false; });
    expectShowsItsTotal(panel);
    RedrawWindow(panel.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(panel.paints, first + 1);
    expectShowsItsTotal(panel);

    // A tick asks for a paint exactly when the picture would change.
    SendMessageA(panel.window, WM_TIMER, PANEL_TIMER_ID, 0);
    EXPECT_FALSE(asksForPaint(panel));
    panel.meter.baseTotal = 1234.56;  // another last wheel position
    SendMessageA(panel.window, WM_TIMER, PANEL_TIMER_ID, 0);
    EXPECT_TRUE(asksForPaint(panel));
    UpdateWindow(panel.window);
    expectShowsItsTotal(panel);
    SendMessageA(panel.window, WM_TIMER, PANEL_TIMER_ID, 0);
    EXPECT_FALSE(asksForPaint(panel));
    panel.decimalsMode = DECIMALS_NONE;
    SendMessageA(panel.window, WM_TIMER, PANEL_TIMER_ID, 0);
    EXPECT_TRUE(asksForPaint(panel));
    UpdateWindow(panel.window);

    // A new rate for a running meter moves the total, and so the picture.
    panel.meter.start(GetTickCount(), true);
    rate.hourly = 3600000.0;
    rate.recalc(RECALC_HOURLY);
    Sleep(30);
    SendMessageA(panel.window, WM_TIMER, PANEL_TIMER_ID, 0);  // the re-base
    Sleep(30);
    SendMessageA(panel.window, WM_TIMER, PANEL_TIMER_ID, 0);
    EXPECT_TRUE(asksForPaint(panel));

    // A new strip is a new window, painted at once.
    panel.meter.stop();
    const unsigned before = panel.paints;
    panel.changeBitmap(loadDigitsBitmap(instance, CURRENCY_EUROS, ""));
    UpdateWindow(panel.window);
    EXPECT_EQ(panel.paints, before + 1);
    expectShowsItsTotal(panel);
}

TEST_F(PanelTest, TimerRunsOnceTheWindowExists) {
    Accumulation meter(rate, 0.0);
    KettPanel panel(meter, parent, 0, 0, 8, true, loadDigitsBitmap(instance, CURRENCY_POUNDS, ""),
                    instance);
    panel.createWindow();
    ShowWindow(panel.window, SW_SHOWNORMAL);
    panel.meter.start(GetTickCount(), true);
    rate.hourly = 3600000.0;  // a unit a millisecond, so that any tick moves the total
    panel.schedule();
    const double first = panel.meter.total;
    EXPECT_TRUE(
        pumpMessagesUntil(2000, [&] { return panel.ticks > 0 && panel.meter.total > first; }));
}

}  // namespace
