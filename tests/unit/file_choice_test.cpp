#include "dialogs/file_choice.h"

#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"

namespace {

TEST(FileChoice, LoggingDialogInSequence) {
    Settings settings;
    copyText(settings.logFile, "log.txt");
    settings.logging = true;

    FileChoice d;
    const DialogDecision opened = d.opened(settings.logFile, settings.logging);
    EXPECT_STREQ(d.field, "log.txt");
    EXPECT_STREQ(d.browseFileName, "log.txt");
    ASSERT_EQ(opened.checkCount, 1u);
    EXPECT_EQ(opened.checks[0].id, IDC_LOGGING_ENABLED);
    EXPECT_TRUE(opened.checks[0].checked);

    EXPECT_TRUE(d.openClicked().openFile);
    EXPECT_TRUE(d.browseClicked().browse);
    // A picked path of 255 characters is kept, and stored, whole.
    const std::string picked = "C:\\" + std::string(246, 'l') + "\\a.txt";
    ASSERT_EQ(picked.size(), 255u);
    const DialogDecision shown = d.filePicked(picked.c_str());
    EXPECT_EQ(std::string(d.field), picked);
    EXPECT_EQ(std::string(d.browseFileName), picked);
    EXPECT_TRUE(shown.writeFields);
    EXPECT_FALSE(shown.end);

    const DialogDecision ok = d.okLogging(settings, false);
    EXPECT_EQ(std::string(settings.logFile), picked);
    EXPECT_FALSE(settings.logging);
    EXPECT_TRUE(ok.end);
    EXPECT_EQ(ok.result, 0);
}

TEST(FileChoice, CancelAfterBrowseChangesNothingAndTheNextOpeningStartsAfresh) {
    Settings settings;
    copyText(settings.activitiesFile, "acts.txt");
    FileChoice d;
    EXPECT_EQ(d.opened(settings.activitiesFile).checkCount, 0u);
    d.filePicked("other.txt");
    EXPECT_TRUE(d.cancel().end);
    EXPECT_STREQ(settings.activitiesFile, "acts.txt");
    d.opened(settings.activitiesFile);
    EXPECT_STREQ(d.browseFileName, "acts.txt");
    d.filePicked("other.txt");
    d.ok(settings.activitiesFile);
    EXPECT_STREQ(settings.activitiesFile, "other.txt");
}

}  // namespace
