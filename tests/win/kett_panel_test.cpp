#include "meter/kett_panel_win.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "meter/currency.h"
#include "meter/digits_bitmap_win.h"
#include "meter/odometer.h"
#include "win_test_support.h"

namespace {

// The tick count the meter and its owner read.
struct SystemTicks : Ticks {
    std::uint32_t tickCount() override { return GetTickCount(); }
};

struct PanelTest : ::testing::Test {
    SystemTicks ticks;
    HWND parent = createTestParent(640, 120);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    void TearDown() override { DestroyWindow(parent); }

    // A meter of `digits` cells showing `meter` with a strip of `currency` (or `strip`).
    KettPanelArgs args(const Accumulation& meter, int currency, int digits = 8,
                       HBITMAP strip = nullptr) {
        KettPanelArgs a;
        a.instance = instance;
        a.parent = parent;
        a.digitCount = digits;
        a.shown = &meter;
        a.ticks = &ticks;
        a.look = {currency >= 0 ? loadDigitsBitmap(instance, currency, "") : strip, DECIMALS_TWO,
                  ""};
        return a;
    }

    // One timer tick and the paint it asks for.
    static void tickAndPaint(KettPanel& panel) {
        SendMessageA(panel.window(), WM_TIMER, 12345, 0);  // any timer id shows the total
        UpdateWindow(panel.window());
    }

    static Pixels stripOf(const KettPanel& panel) {
        BITMAP info{};
        GetObjectA(panel.strip(), sizeof info, &info);
        return capture(panel.stripDC(), 0, 0, info.bmWidth, info.bmHeight);
    }

    void expectShowsItsTotal(const KettPanel& panel, const Accumulation& meter) {
        const double total = meter.totalAt(ticks.tickCount());
        const Pixels expected =
            renderLayout(stripOf(panel),
                         layoutOdometer(total, panel.decimalsMode(), panel.cellWidth(),
                                        panel.cellHeight(), panel.width()),
                         panel.width(), panel.height());
        const Pixels back = capture(panel.pictureDC(), 0, 0, panel.width(), panel.height());
        ASSERT_EQ(back.rgb.size(), expected.rgb.size());
        EXPECT_TRUE(back.rgb == expected.rgb) << "total " << total;
        // The screen shows the back buffer after the one final copy.
        WindowDC screen(panel.window());
        const Pixels shown = capture(screen.get(), 0, 0, panel.width(), panel.height());
        EXPECT_TRUE(shown.rgb == back.rgb) << "total " << total;
    }
};

struct Drawing {
    double total;
    int decimalsMode;
};

class BuiltInStrip : public PanelTest, public ::testing::WithParamInterface<int> {};

TEST_P(BuiltInStrip, PaintsTheCopiesTheLayoutPrescribes) {
    Accumulation meter(0.0, 25.0);
    KettPanel panel(args(meter, GetParam()));
    ASSERT_NE(panel.strip(), nullptr);
    panel.createWindow();
    ASSERT_NE(panel.window(), nullptr);
    EXPECT_EQ(panel.cellWidth(), 36);
    EXPECT_EQ(panel.cellHeight(), 45);
    EXPECT_EQ(panel.width(), 306);
    EXPECT_EQ(panel.height(), 45);
    EXPECT_EQ(panel.background(), RGB(255, 255, 255));
    ShowWindow(panel.window(), SW_SHOWNORMAL);

    for (Drawing d : {Drawing{0, 1}, Drawing{1234.5678, 1}, Drawing{1299.9951, 1},
                      Drawing{199.5, 0}, Drawing{-41.37, 0}, Drawing{123456789.5, 1}}) {
        meter.setTotal(ticks.tickCount(), d.total);
        panel.setLook({panel.strip(), d.decimalsMode, ""});
        tickAndPaint(panel);
        ASSERT_EQ(meter.totalAt(ticks.tickCount()), d.total);
        expectShowsItsTotal(panel, meter);
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
    Accumulation meter(999999999.9999, 25.0);
    KettPanel panel(args(meter, CURRENCY_EUROS, 12));
    panel.createWindow();
    ShowWindow(panel.window(), SW_SHOWNORMAL);
    tickAndPaint(panel);
    expectShowsItsTotal(panel, meter);
    // The wheel below the turning currency glyph reads nothing: the panel is white there.
    const OdometerLayout layout = layoutOdometer(meter.totalAt(0), 1, 36, 45, panel.width());
    const GlyphCopy& following = layout.copies[layout.count - 1];
    ASSERT_GE(following.x, 0);
    ASSERT_EQ(following.sourceX, 11 * 36);
    const Pixels back = capture(panel.pictureDC(), 0, 0, panel.width(), panel.height());
    for (int y = std::max(0, following.y); y < panel.height(); ++y) {
        for (int x = following.x; x < following.x + following.width; ++x) {
            ASSERT_EQ(back.at(x, y), 0xFFFFFFu) << x << "," << y;
        }
    }
}

TEST_F(PanelTest, WithoutAStripPaintsWhiteAndKeepsCounting) {
    for (HBITMAP bitmap : {static_cast<HBITMAP>(nullptr), CreateBitmap(10, 45, 1, 32, nullptr)}) {
        Accumulation meter(5.0, 25.0);
        KettPanel panel(args(meter, -1, 8, bitmap));
        panel.createWindow();
        ASSERT_NE(panel.window(), nullptr);
        EXPECT_EQ(panel.cellWidth(), 0);
        EXPECT_EQ(panel.width(), 0);
        EXPECT_EQ(panel.background(), RGB(255, 255, 255));
        ShowWindow(panel.window(), SW_SHOWNORMAL);
        meter.start(GetTickCount() - 3600000, true);
        tickAndPaint(panel);
        EXPECT_NEAR(meter.totalAt(GetTickCount()), 30.0, 0.01);
    }
}

TEST_F(PanelTest, ANewStripRebuildsTheWindowAroundIt) {
    const COLORREF cream = RGB(255, 250, 200);
    const std::string path = tempPath("strip-220x30.bmp");
    ASSERT_TRUE(writeBitmapFile(path, 220, 30, [&](int x, int y) {
        return (x % 20 > 5 && x % 20 < 14 && y > 4 && y < 25) ? RGB(20, 20, 90) : cream;
    }));
    Accumulation meter(42.0, 25.0);
    KettPanel panel(args(meter, CURRENCY_POUNDS));
    panel.createWindow();
    ShowWindow(panel.window(), SW_SHOWNORMAL);
    const HWND before = panel.window();

    HBITMAP custom = loadDigitsBitmap(instance, CURRENCY_CUSTOM, path.c_str());
    ASSERT_NE(custom, nullptr);
    panel.setLook({custom, DECIMALS_TWO, ""});

    EXPECT_FALSE(IsWindow(before));
    ASSERT_NE(panel.window(), nullptr);
    EXPECT_EQ(panel.strip(), custom);
    EXPECT_EQ(panel.cellWidth(), 20);
    EXPECT_EQ(panel.cellHeight(), 30);
    EXPECT_EQ(panel.width(), 170);
    EXPECT_EQ(panel.height(), 30);
    EXPECT_TRUE(IsWindowVisible(panel.window()));
    RECT client{};
    GetClientRect(panel.window(), &client);
    EXPECT_EQ(client.right, 170);
    EXPECT_EQ(client.bottom, 30);
    EXPECT_EQ(panel.background(), cream);

    // Running, the new window's own timer follows a new rate within a few periods.
    meter.start(GetTickCount(), true);
    meter.changeRate(GetTickCount(), 3600000.0);  // fast enough for a tick every 20 ms
    const unsigned ticked = panel.ticks();
    EXPECT_TRUE(pumpMessagesUntil(2000, [&] { return panel.ticks() > ticked + 2; }));
    meter.stop(GetTickCount());
    tickAndPaint(panel);
    expectShowsItsTotal(panel, meter);
}

bool asksForPaint(const KettPanel& panel) {
    RECT dirty{};
    return GetUpdateRect(panel.window(), &dirty, FALSE) != FALSE;
}

TEST_F(PanelTest, PaintsOnlyWhenThePictureChanges) {
    Accumulation meter(1234.5, 25.0);
    KettPanel panel(args(meter, CURRENCY_POUNDS));
    panel.createWindow();
    ShowWindow(panel.window(), SW_SHOWNORMAL);
    UpdateWindow(panel.window());
    const unsigned first = panel.paints();
    ASSERT_GE(first, 1u);
    EXPECT_EQ(SendMessageA(panel.window(), paintCountMessage(), 0, 0), static_cast<LRESULT>(first));

    // Standing still, a second of ticks asks for no paint at all.
    pumpMessagesUntil(1000, [] { return false; });
    EXPECT_EQ(panel.paints(), first);

    // Covered and uncovered, it shows its total; a paint the system asks for is done.
    HWND cover = createTestParent(200, 60);
    UpdateWindow(cover);
    DestroyWindow(cover);
    pumpMessagesUntil(200, [] { return false; });
    expectShowsItsTotal(panel, meter);
    RedrawWindow(panel.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(panel.paints(), first + 1);
    expectShowsItsTotal(panel, meter);

    // A tick asks for a paint exactly when the picture would change.
    SendMessageA(panel.window(), WM_TIMER, PANEL_TIMER_ID, 0);
    EXPECT_FALSE(asksForPaint(panel));
    meter.setTotal(ticks.tickCount(), 1234.56);  // another last wheel position
    SendMessageA(panel.window(), WM_TIMER, PANEL_TIMER_ID, 0);
    EXPECT_TRUE(asksForPaint(panel));
    UpdateWindow(panel.window());
    expectShowsItsTotal(panel, meter);
    SendMessageA(panel.window(), WM_TIMER, PANEL_TIMER_ID, 0);
    EXPECT_FALSE(asksForPaint(panel));
    panel.setLook({panel.strip(), DECIMALS_NONE, ""});
    EXPECT_TRUE(asksForPaint(panel));
    UpdateWindow(panel.window());

    // A new rate for a running meter moves the total, and so the picture.
    meter.start(GetTickCount(), true);
    meter.changeRate(GetTickCount(), 3600000.0);
    Sleep(30);
    SendMessageA(panel.window(), WM_TIMER, PANEL_TIMER_ID, 0);
    EXPECT_TRUE(asksForPaint(panel));

    // A new strip is a new window, painted at once.
    meter.stop(GetTickCount());
    const unsigned before = panel.paints();
    panel.setLook({loadDigitsBitmap(instance, CURRENCY_EUROS, ""), DECIMALS_NONE, ""});
    UpdateWindow(panel.window());
    EXPECT_EQ(panel.paints(), before + 1);
    expectShowsItsTotal(panel, meter);
}

// The meter only reads the total; whoever owns it starts it, and the meter's timer follows.
TEST_F(PanelTest, TimerRunsOnceTheWindowExistsAndTheTotalRuns) {
    Accumulation meter(0.0, 3600000.0);  // a unit a millisecond, so that any tick moves it
    KettPanel panel(args(meter, CURRENCY_POUNDS));
    panel.createWindow();
    ShowWindow(panel.window(), SW_SHOWNORMAL);
    pumpMessagesUntil(200, [] { return false; });
    EXPECT_EQ(panel.ticks(), 0u) << "standing";
    meter.start(GetTickCount(), true);
    const double first = meter.totalAt(GetTickCount());
    EXPECT_TRUE(pumpMessagesUntil(
        2000, [&] { return panel.ticks() > 0 && meter.totalAt(GetTickCount()) > first; }));
    meter.stop(GetTickCount());
    const unsigned stopped = panel.ticks();
    pumpMessagesUntil(200, [] { return false; });
    EXPECT_EQ(panel.ticks(), stopped) << "stopped";
}

}  // namespace
