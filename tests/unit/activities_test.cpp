#include "activities/activities.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "activities/activity_label.h"
#include "test_files.h"

namespace {

using Entry = std::pair<std::string, bool>;  // name, paid

std::vector<Entry> entriesOf(const Activities& list) {
    std::vector<Entry> entries;
    for (int i = 0; i < list.count; ++i) {
        entries.emplace_back(list.name(i), list.paid[static_cast<std::size_t>(i)] != 0);
    }
    return entries;
}

std::vector<Entry> load(const std::string& bytes) {
    TempDir dir;
    const std::string path = dir.file("acts.txt");
    writeBytes(path, bytes);
    const Activities list(path.c_str());
    EXPECT_EQ(readBytes(path), bytes) << "a readable file is never written";
    return entriesOf(list);
}

const std::vector<Entry> DEFAULTS = {
    {"Nothing in particular", false}, {"Working", true}, {"Lunch", false}};

TEST(ActivitiesFile, MissingFileGivesDefaultsAndWritesTheDefaultFile) {
    TempDir dir;
    const std::string path = dir.file("acts.txt");
    const Activities first(path.c_str());
    EXPECT_EQ(entriesOf(first), DEFAULTS);
    EXPECT_EQ(readBytes(path), onDisk("# Default Cointrel Activities File\n"
                                      "# Update with your own activities list as necessary\n"
                                      "#   - A leading '#' indicates a comment\n"
                                      "#   - A leading '!' indicates an unpaid activity\n\n"
                                      "!Nothing in particular\n"
                                      "Working\n"
                                      "!Lunch\n"));
    // Read back, the file gives the very list the first run used: lunch stays unpaid.
    const Activities second(path.c_str());
    EXPECT_EQ(entriesOf(second), DEFAULTS);
}

TEST(ActivitiesFile, UnwritableDefaultFileStillGivesDefaults) {
    TempDir dir;
    const std::string path = dir.file("no-such-folder/acts.txt");
    const Activities list(path.c_str());
    EXPECT_EQ(entriesOf(list), DEFAULTS);
    EXPECT_FALSE(exists(path));
}

TEST(ActivitiesFile, LineRules) {
    EXPECT_EQ(load("Working\r\nLunch\r\n"),
              (std::vector<Entry>{{"Working", true}, {"Lunch", true}}));
    EXPECT_EQ(load("A\nB"), (std::vector<Entry>{{"A", true}, {"B", true}}));
    EXPECT_EQ(
        load("!\n\n!#x\n #x\ntrailing  \t\n"),
        (std::vector<Entry>{{"", false}, {"#x", false}, {" #x", true}, {"trailing  \t", true}}));
    EXPECT_EQ(load("# only\n\n#comments\n\n"), std::vector<Entry>{});
}

TEST(ActivitiesFile, LongLinesAreReadIn255CharacterPieces) {
    const std::string a255(255, 'a'), b256(256, 'b'), c300(300, 'c');
    EXPECT_EQ(load(a255 + "\n"), (std::vector<Entry>{{a255, true}}));
    EXPECT_EQ(load(b256 + "\n"), (std::vector<Entry>{{std::string(255, 'b'), true}, {"b", true}}));
    EXPECT_EQ(load("!" + c300 + "\n"),
              (std::vector<Entry>{{std::string(254, 'c'), false}, {std::string(46, 'c'), true}}));
    EXPECT_EQ(load(c300),
              (std::vector<Entry>{{std::string(255, 'c'), true}, {std::string(45, 'c'), true}}));
}

TEST(ActivitiesFile, ReadingStopsAt128Activities) {
    std::string bytes;
    for (int i = 1; i <= 130; ++i) {
        bytes += "# before " + std::to_string(i) + "\n\nactivity " + std::to_string(i) + "\n";
    }
    const std::vector<Entry> entries = load(bytes);
    ASSERT_EQ(entries.size(), 128u);
    EXPECT_EQ(entries.front().first, "activity 1");
    EXPECT_EQ(entries.back().first, "activity 128");
}

TEST(Activities, AddAndFind) {
    Activities list;
    EXPECT_EQ(list.find("Working"), -1);
    ASSERT_TRUE(list.add("Lunch", false));
    ASSERT_TRUE(list.add("Working", true));
    ASSERT_TRUE(list.add("Lunch", true));
    EXPECT_EQ(list.find("Lunch"), 0);
    EXPECT_EQ(list.find("Working"), 1);
    EXPECT_EQ(list.find("working"), -1);
    EXPECT_EQ(list.find("Working "), -1);

    // The list keeps its own copy of a name.
    char name[] = "Admin";
    ASSERT_TRUE(list.add(name, true));
    name[0] = 'X';
    EXPECT_STREQ(list.name(3), "Admin");

    while (list.count < MAX_ACTIVITIES) {
        ASSERT_TRUE(list.add("filler", true));
    }
    EXPECT_FALSE(list.add("one too many", true));
    EXPECT_EQ(list.count, MAX_ACTIVITIES);
    EXPECT_EQ(list.find("one too many"), -1);
}

bool append(const std::string& path, const char* name, bool paid) {
    std::FILE* file = std::fopen(path.c_str(), "a+");
    const bool written = file != nullptr && appendActivityLine(file, path.c_str(), name, paid);
    return file != nullptr && std::fclose(file) == 0 && written;
}

TEST(ActivitiesFile, AppendedLinesReadBackAsTheyWereAdded) {
    TempDir dir;
    const std::string path = dir.file("acts.txt");
    writeBytes(path, onDisk("Working\n"));
    ASSERT_TRUE(append(path, "Coffee break", false));
    ASSERT_TRUE(append(path, "Meetings", true));
    EXPECT_EQ(readBytes(path), onDisk("Working\n!Coffee break\nMeetings\n"));
    const Activities list(path.c_str());
    EXPECT_EQ(entriesOf(list),
              (std::vector<Entry>{{"Working", true}, {"Coffee break", false}, {"Meetings", true}}));
}

struct LabelCase {
    int index;
    std::string name;
    bool paid;
    std::string label;
};

TEST(ActivityLabel, PrefixNameAndUnpaidMark) {
    const std::string longest(255, 'n');
    const std::vector<LabelCase> cases = {
        {0, "Nothing in particular", false, "&1 Nothing in particular (unpaid)"},
        {1, "Working", true, "&2 Working"},
        {2, "Lunch", false, "&3 Lunch (unpaid)"},
        {8, "Ninth", true, "&9 Ninth"},
        {9, "Admin", true, "  Admin"},
        {127, "", false, "   (unpaid)"},
        {3, longest, false, "&4 " + longest + " (unpaid)"},
    };
    for (const LabelCase& c : cases) {
        EXPECT_EQ(std::string(activityLabel(c.index, c.name.c_str(), c.paid).data()), c.label);
    }
}

std::unique_ptr<Activities> listOf(std::initializer_list<const char*> names) {
    auto list = std::make_unique<Activities>();
    for (const char* n : names) {
        list->add(n, true);
    }
    return list;
}

TEST(Activities, ResolvesTheCurrentActivity) {
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

TEST(ActivityLabel, ActivityCommandsCoverTheWholeList) {
    EXPECT_FALSE(isActivityCommand(11999, 128));
    EXPECT_TRUE(isActivityCommand(12000, 128));
    EXPECT_TRUE(isActivityCommand(12051, 128));
    EXPECT_TRUE(isActivityCommand(12127, 128));
    EXPECT_FALSE(isActivityCommand(12128, 128));
    EXPECT_FALSE(isActivityCommand(12003, 3));
    EXPECT_FALSE(isActivityCommand(12000, 0));
    EXPECT_FALSE(isActivityCommand(199, 3));
}

}  // namespace
