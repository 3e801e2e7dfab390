#include "app/startup_logic.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::unique_ptr<Activities> listOf(std::initializer_list<const char*> names) {
    auto list = std::make_unique<Activities>();
    for (const char* n : names) {
        list->add(n, true);
    }
    return list;
}

TEST(StartupLogic, ResolvesTheCurrentActivity) {
    const auto defaults = listOf({"Nothing in particular", "Working", "Lunch"});
    EXPECT_EQ(resolveCurrentActivity(*defaults, "Lunch"), 2);
    EXPECT_EQ(resolveCurrentActivity(*defaults, ""), 1);
    EXPECT_EQ(resolveCurrentActivity(*defaults, "lunch"), 1);
    const auto noWorking = listOf({"Design", "Build", "Test"});
    EXPECT_EQ(resolveCurrentActivity(*noWorking, "Gone"), 1);
    const auto one = listOf({"Solo"});
    EXPECT_EQ(resolveCurrentActivity(*one, "Gone"), 0);
    const Activities none;
    EXPECT_EQ(resolveCurrentActivity(none, "Working"), -1);
}

TEST(StartupLogic, ActivityCommandsCoverTheWholeList) {
    EXPECT_FALSE(isActivityCommand(11999, 128));
    EXPECT_TRUE(isActivityCommand(12000, 128));
    EXPECT_TRUE(isActivityCommand(12051, 128));
    EXPECT_TRUE(isActivityCommand(12127, 128));
    EXPECT_FALSE(isActivityCommand(12128, 128));
    EXPECT_FALSE(isActivityCommand(12003, 3));
    EXPECT_FALSE(isActivityCommand(12000, 0));
    EXPECT_FALSE(isActivityCommand(199, 3));
}

TEST(StartupLogic, TitlesHoldTheWholeName) {
    EXPECT_STREQ(windowTitle("Working").text, "Working - Cointrel");
    EXPECT_STREQ(windowTitle(nullptr).text, "Cointrel");
    const std::string longName(255, 'x');
    EXPECT_EQ(windowTitle(longName.c_str()).text, longName + " - Cointrel");
}

TEST(StartupLogic, ShowCommands) {
    EXPECT_EQ(startShowCommand(1), 1);
    EXPECT_EQ(startShowCommand(2), 2);
    EXPECT_EQ(startShowCommand(3), 3);
    EXPECT_EQ(startShowCommand(0), 1);  // hidden
    EXPECT_EQ(startShowCommand(5), 1);
    EXPECT_EQ(startShowCommand(0xFFFFFFFF), 1);
}

TEST(StartupLogic, MoveOntoKeepsSizeAndBringsTheWindowIn) {
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
