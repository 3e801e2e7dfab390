#include "dialogs/new_activity.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "test_files.h"

namespace {

struct LineCase {
    const char* before;  // the file as stored; null: no file yet
    std::string typed;
    bool unpaid;
    NewActivity::Outcome outcome;
    std::string after;  // null-free bytes as stored
};

TEST(NewActivity, OkAppendsOneLineOfItsOwn) {
    const std::string longName(100, 'n');
    const LineCase cases[] = {
        {nullptr, "Gardening", true, NewActivity::Outcome::Added, "!Gardening\n"},
        {"", "Gardening", false, NewActivity::Outcome::Added, "Gardening\n"},
        {"Working\n", "Filing", false, NewActivity::Outcome::Added, "Working\nFiling\n"},
        {"Working\r\n", "Filing", false, NewActivity::Outcome::Added, "Working\r\nFiling\n"},
        // Saved by an editor without a final line end: the new line must not join the last.
        {"Working", "Filing", true, NewActivity::Outcome::Added, "Working\n!Filing\n"},
        {"Working\n", longName, false, NewActivity::Outcome::Added,
         "Working\n" + longName.substr(0, 78) + "\n"},
        {"Working\n", "#Notes", false, NewActivity::Outcome::Added, "Working\n#Notes\n"},
        {"Working\n", "Two\r\nlines", false, NewActivity::Outcome::Added, "Working\nTwo\n"},
        // No name: nothing written, the dialog stays open (the file is created all the same).
        {nullptr, "", false, NewActivity::Outcome::NoName, ""},
        {"Working\n", "\r\nafter a break", false, NewActivity::Outcome::NoName, "Working\n"},
    };
    for (const LineCase& c : cases) {
        TempDir dir;
        const std::string path = dir.file("acts.txt");
        if (c.before != nullptr) {
            writeBytes(path, onDisk(c.before));
        }
        NewActivity d;
        const DialogDecision opened = d.opened(path.c_str());
        ASSERT_EQ(opened.checkCount, 1u);  // Unpaid? unchecked
        EXPECT_FALSE(opened.checks[0].checked);
        std::strncpy(d.name, c.typed.c_str(), sizeof d.name - 1);
        const DialogDecision ok = d.ok(c.unpaid);
        EXPECT_EQ(d.outcome, c.outcome) << c.typed;
        EXPECT_EQ(readBytes(path), onDisk(c.after)) << c.typed;
        EXPECT_EQ(ok.end, c.outcome == NewActivity::Outcome::Added) << c.typed;
        EXPECT_EQ(d.paid, !c.unpaid);
    }
}

TEST(NewActivity, FileThatCannotBeOpenedKeepsTheDialogOpen) {
    TempDir dir;
    NewActivity d;
    d.opened(dir.file("missing/acts.txt").c_str());
    std::strcpy(d.name, "Gardening");
    EXPECT_FALSE(d.ok(false).end);
    EXPECT_EQ(d.outcome, NewActivity::Outcome::CannotOpen);
    EXPECT_FALSE(exists(dir.file("missing/acts.txt")));
    const DialogDecision cancelled = d.cancel();
    EXPECT_TRUE(cancelled.end);
    EXPECT_EQ(cancelled.result, 0);
}

}  // namespace
