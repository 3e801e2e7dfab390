#include "dialogs/file_choice.h"

#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"

namespace {

TEST(FileChoice, LoggingDialogInSequence) {
    Settings settings;
    copyText(settings.logFile, "log.txt");
    char meterLog[260] = "log.txt";
    bool logging = true;

    FileChoice d;
    d.opened(settings.logFile, logging);
    EXPECT_STREQ(d.field, "log.txt");
    EXPECT_STREQ(d.browseFileName, "log.txt");
    ASSERT_EQ(d.decision.checkCount, 1u);
    EXPECT_EQ(d.decision.checks[0].id, IDC_LOGGING_ENABLED);
    EXPECT_TRUE(d.decision.checks[0].checked);

    d.openClicked();
    EXPECT_TRUE(d.decision.openFile);
    d.browseClicked();
    EXPECT_TRUE(d.decision.browse);
    // A picked path of 255 characters is kept, and stored, whole.
    const std::string picked = "C:\\" + std::string(246, 'l') + "\\a.txt";
    ASSERT_EQ(picked.size(), 255u);
    d.filePicked(picked.c_str());
    EXPECT_EQ(std::string(d.field), picked);
    EXPECT_EQ(std::string(d.browseFileName), picked);
    EXPECT_TRUE(d.decision.writeFields);
    EXPECT_FALSE(d.decision.end);

    d.okLogging(settings.logFile, meterLog, logging, false);
    EXPECT_EQ(std::string(settings.logFile), picked);
    EXPECT_EQ(std::string(meterLog), picked);
    EXPECT_FALSE(logging);
    EXPECT_TRUE(d.decision.end);
    EXPECT_EQ(d.decision.result, 0);
}

TEST(FileChoice, CancelAfterBrowseChangesNothingAndTheNextOpeningStartsAfresh) {
    Settings settings;
    copyText(settings.activitiesFile, "acts.txt");
    FileChoice d;
    d.opened(settings.activitiesFile);
    EXPECT_EQ(d.decision.checkCount, 0u);
    d.filePicked("other.txt");
    d.cancel();
    EXPECT_TRUE(d.decision.end);
    EXPECT_STREQ(settings.activitiesFile, "acts.txt");
    d.opened(settings.activitiesFile);
    EXPECT_STREQ(d.browseFileName, "acts.txt");
    d.filePicked("other.txt");
    d.ok(settings.activitiesFile);
    EXPECT_STREQ(settings.activitiesFile, "other.txt");
}

}  // namespace
