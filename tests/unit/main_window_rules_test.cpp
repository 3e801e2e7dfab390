#include "app/main_window_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MainWindow, TitlesHoldTheWholeName) {
    EXPECT_STREQ(windowTitle("Working").text, "Working - Cointrel");
    EXPECT_STREQ(windowTitle(nullptr).text, "Cointrel");
    const std::string longName(255, 'x');
    EXPECT_EQ(windowTitle(longName.c_str()).text, longName + " - Cointrel");
}

TEST(MainWindow, ShowCommands) {
    EXPECT_EQ(startShowCommand(1), 1);
    EXPECT_EQ(startShowCommand(2), 2);
    EXPECT_EQ(startShowCommand(3), 3);
    EXPECT_EQ(startShowCommand(0), 1);  // hidden
    EXPECT_EQ(startShowCommand(5), 1);
    EXPECT_EQ(startShowCommand(0xFFFFFFFF), 1);
}

TEST(MainWindow, MoveOntoKeepsSizeAndBringsTheWindowIn) {
    const Rect area{0, 0, 1024, 738};
    auto same = [](Rect a, Rect b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    };
    EXPECT_TRUE(same(moveOnto({5000, 4000, 5320, 4090}, area), {704, 648, 1024, 738}));
    EXPECT_TRUE(same(moveOnto({-900, -50, -580, 40}, area), {0, 0, 320, 90}));
    EXPECT_TRUE(same(moveOnto({100, 100, 420, 190}, area), {100, 100, 420, 190}));
    EXPECT_TRUE(same(moveOnto({10, 10, 2010, 1010}, area), {0, 0, 2000, 1000}));
    EXPECT_TRUE(
        same(moveOnto({-2000, 10, -1680, 100}, {-1280, 0, 0, 1024}), {-1280, 10, -960, 100}));
}

}  // namespace
