#include <gtest/gtest.h>

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
    HWND panel = app->meter->window;
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

    app->rate.hourly = 0.001;  // so slow that the total stays put while it is looked at
    app->resetTotal(123.45);
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
    app->finishActivity();  // stand still again

    app->settings.currency = 1;
    app->applyCurrency(window);
    EXPECT_EQ(textOf(app->meter->window), "$123.45");

    const std::string strip = folder + "\\strip.bmp";
    ASSERT_TRUE(writeBitmapFile(strip, 220, 30, [](int, int) { return RGB(255, 255, 255); }));
    app->settings.currency = 3;
    app->settings.decimals = 0;
    std::strcpy(app->settings.digitsBitmapFile, strip.c_str());
    app->applyCurrency(window);
    EXPECT_EQ(textOf(app->meter->window), "123");  // a strip of the user's own: digits alone
    app->meter->decimalsMode = 1;
    pumpMessagesUntil(1000, [&] { return textOf(app->meter->window) == "123.45"; });
    EXPECT_EQ(textOf(app->meter->window), "123.45");
}

}  // namespace
