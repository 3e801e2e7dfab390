// Every dialog gives back what the user accepted, and nothing when cancelled, whatever was
// changed in it before: then no event reaches the workday.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "dialog_driver.h"
#include "dialogs/dialogs_win.h"
#include "resources/resource.h"
#include "win_test_support.h"

namespace {

struct Row {
    const char* caption;
    // Opens the dialog; whether it gave something back, and that as text.
    std::function<bool(std::string&)> open;
    // What the user changes before OK or Cancel.
    std::function<void(HWND)> change;
    int okId;
    std::string accepted;
};

TEST(DialogContract, CancelGivesNothingBackAndOkWhatWasAccepted) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    Settings settings;
    copyText(settings.activitiesFile, tempPath("contract-acts.txt").c_str());
    copyText(settings.logFile, "log.txt");
    settings.awayMinutes = 15;
    settings.ledger = true;
    Activities activities(settings.activitiesFile);
    auto summary = std::make_unique<LedgerSummary>(0, 0);
    const CurrencySigns signs{{"\xA3", "$", "\x80", ""}};
    const auto noDay = [](std::int64_t) { return std::unique_ptr<LedgerSummary>(); };
    const SummaryView view{*summary, "GBP", signs, NumberStyle(), noDay};
    const Row rows[] = {
        {"Edit rate...",
         [&](std::string& out) {
             const auto r = runEditRateDialog(instance, nullptr, Rate());
             out = r ? std::to_string(r->hourly) : "";
             return r.has_value();
         },
         [](HWND d) { typeInto(d, IDC_RATE_HOURLY, "30"); }, IDOK, "30.000000"},
        {"Reset total...",
         [&](std::string& out) {
             const auto r = runResetTotalDialog(instance, nullptr, 12.5);
             out = r ? std::to_string(*r) : "";
             return r.has_value();
         },
         [](HWND d) { typeInto(d, IDC_RESET_TOTAL, "5"); }, IDOK, "5.000000"},
        {"Select currency...",
         [&](std::string& out) {
             const auto r = runCurrencyDialog(instance, nullptr, settings);
             out = r ? std::to_string(r->currency) + "," + std::to_string(r->decimals) : "";
             return r.has_value();
         },
         [](HWND d) { click(d, IDC_CURRENCY_DOLLARS); }, IDOK, "1,1"},
        {"Activity logging options...",
         [&](std::string& out) {
             const auto r = runLoggingDialog(instance, nullptr, settings);
             out = r ? std::to_string(r->logging) + "," + r->logFile : "";
             return r.has_value();
         },
         [](HWND d) { click(d, IDC_LOGGING_ENABLED); }, IDOK, "1,log.txt"},
        {"Activites...",
         [&](std::string& out) {
             const auto r = runActivitiesFileDialog(instance, nullptr, settings);
             out = r ? r->name : "";
             return r.has_value();
         },
         [](HWND) {}, IDOK, settings.activitiesFile},
        {"Add new activity...",
         [&](std::string& out) {
             const auto r = runNewActivityDialog(instance, nullptr, settings);
             out = r ? std::string(r->name) + "," + std::to_string(r->paid) : "";
             return r.has_value();
         },
         [](HWND d) { typeInto(d, IDC_NEW_ACTIVITY_NAME, "Gardening"); }, IDOK, "Gardening,1"},
        {"Options",
         [&](std::string& out) {
             const auto r =
                 runOptionsDialog(instance, nullptr, {settings.awayMinutes, true, false});
             out = r ? std::to_string(r->awayMinutes) : "";
             return r.has_value();
         },
         [](HWND d) { typeInto(d, IDC_OPTIONS_MINUTES, "30"); }, IDOK, "30"},
        {"Time away",
         [&](std::string& out) {
             const auto r = runTimeAwayDialog(instance, nullptr, "Away?", "Keep?", activities, 2);
             out = r ? std::to_string(*r) : "";
             return r.has_value();
         },
         [](HWND) {}, IDOK, "2"},
        // Its one button closes it; the box gives back the switch once it was changed.
        {"Summary",
         [&](std::string& out) {
             const auto r = runSummaryDialog(instance, nullptr, view, settings);
             out = r ? std::to_string(*r) : "";
             return r.has_value();
         },
         [](HWND d) { click(d, IDC_SUMMARY_KEEP); }, IDOK, "0"},
    };
    for (const Row& row : rows) {
        for (const bool cancelled : {true, false}) {
            std::string given;
            bool gave = true;
            EXPECT_TRUE(driveDialog([&] { gave = row.open(given); },
                                    [&] {
                                        HWND d = waitForDialog(row.caption);
                                        ASSERT_NE(d, nullptr) << row.caption;
                                        row.change(d);
                                        if (cancelled) {
                                            pressKey(d, row.okId, VK_ESCAPE);
                                        } else {
                                            click(d, row.okId);
                                        }
                                        EXPECT_TRUE(waitForDialogGone(row.caption));
                                    }))
                << row.caption;
            if (cancelled && std::string(row.caption) != "Summary") {
                EXPECT_FALSE(gave) << row.caption << " gave back " << given << " when cancelled";
            } else {
                EXPECT_TRUE(gave) << row.caption;
                EXPECT_EQ(given, row.accepted) << row.caption;
            }
        }
    }
    // Unchanged, the Summary gives nothing back either way.
    bool gave = true;
    EXPECT_TRUE(
        driveDialog([&] { gave = runSummaryDialog(instance, nullptr, view, settings).has_value(); },
                    [&] {
                        HWND d = waitForDialog("Summary");
                        ASSERT_NE(d, nullptr);
                        click(d, IDOK);
                        EXPECT_TRUE(waitForDialogGone("Summary"));
                    }));
    EXPECT_FALSE(gave);
}

}  // namespace
