#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "app_fixture.h"

namespace {

std::string textOf(HWND window) {
    char text[400] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Name changes of accessible objects in this process, for the window being watched.
HWND watched = nullptr;
int nameChanges = 0;
void CALLBACK countNameChange(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
    nameChanges += window == watched ? 1 : 0;
}

TEST_F(AppTest, MeterWindowTextIsTheTotalAsShown) {
    float stored = 41.37f;
    setValue("Kett", REG_BINARY, &stored, 4);
    setText("CurrentActivity", "Nothing in particular");
    start();
    HWND panel = app->mainWindow().meter().window();
    EXPECT_EQ(textOf(panel),
              "\xA3"
              "41.37");

    // Standing still for a second: no new text, no event.
    watched = panel;
    nameChanges = 0;
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, countNameChange,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    pumpMessagesUntil(1000, [] { return false; });
    EXPECT_EQ(nameChanges, 0);
    EXPECT_EQ(textOf(panel),
              "\xA3"
              "41.37");

    Rate slow = app->day().rate();
    slow.hourly = 0.001;  // so slow that the total stays put while it is looked at
    app->day().rateChosen(slow);
    app->day().resetTotal(123.45);
    pumpMessagesUntil(1000, [&] {
        return textOf(panel) ==
               "\xA3"
               "123.45";
    });
    EXPECT_EQ(textOf(panel),
              "\xA3"
              "123.45");
    pumpMessagesUntil(500, [] { return nameChanges > 0; });
    EXPECT_GE(nameChanges, 1);
    UnhookWinEvent(hook);
    app->day().switchTo(0);  // stand still again, on an unpaid activity

    app->day().currencyChosen(1, 1, "");
    app->mainWindow().applyCurrency();
    EXPECT_EQ(textOf(app->mainWindow().meter().window()), "$123.45");

    const std::string strip = folder + "\\strip.bmp";
    ASSERT_TRUE(writeBitmapFile(strip, 220, 30, [](int, int) { return RGB(255, 255, 255); }));
    app->day().currencyChosen(3, 0, strip.c_str());
    app->mainWindow().applyCurrency();
    KettPanel& meter = app->mainWindow().meter();
    EXPECT_EQ(textOf(meter.window()), "123");  // a strip of the user's own: digits alone
    meter.setLook({meter.strip(), DECIMALS_TWO, ""});
    EXPECT_EQ(textOf(meter.window()), "123.45");
}

// The meter ticks only while it runs and can be seen; read at any moment, its total is current.
TEST_F(AppTest, MeterTicksOnlyWhileItRunsAndCanBeSeen) {
    float hourly = 3600.0f;  // one a second
    setValue("Hourly", REG_BINARY, &hourly, 4);
    setText("CurrentActivity", "Lunch");
    start();
    KettPanel& meter = app->mainWindow().meter();
    const auto ticksWithin = [&](DWORD ms) {
        const unsigned before = meter.ticks();
        pumpMessagesUntil(ms, [] { return false; });
        return meter.ticks() - before;
    };
    EXPECT_EQ(ticksWithin(300), 0u) << "standing";
    command(WM_COMMAND, 12001);  // Working, paid
    const unsigned paid = meter.ticks();
    EXPECT_TRUE(pumpMessagesUntil(2000, [&] { return meter.ticks() > paid; })) << "running";
    ShowWindow(window, SW_MINIMIZE);
    const double before = app->day().currentTotal();
    EXPECT_EQ(ticksWithin(300), 0u) << "minimised";
    // Read without a tick, yet current: the figure of a moment between the two reads around it
    // (a hundredth goes by every 10 ms).
    const double earliest = app->day().currentTotal();
    const std::string text = textOf(meter.window());
    const double latest = app->day().currentTotal();
    EXPECT_GE(earliest, before + 0.28) << text;
    char first[READABLE_TOTAL_SIZE];
    char last[READABLE_TOTAL_SIZE];
    readableTotal(earliest, meter.decimalsMode(), "\xA3", first);
    readableTotal(latest, meter.decimalsMode(), "\xA3", last);
    const auto amount = [](const std::string& shown) {
        return std::strtod(shown.c_str() + 1, nullptr);
    };
    EXPECT_TRUE(amount(text) >= amount(first) && amount(text) <= amount(last))
        << text << " read between " << first << " and " << last;
    ShowWindow(window, SW_RESTORE);
    const unsigned restored = meter.ticks();
    EXPECT_TRUE(pumpMessagesUntil(2000, [&] { return meter.ticks() > restored; })) << "restored";
}

}  // namespace
