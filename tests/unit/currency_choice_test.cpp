#include "dialogs/currency_choice.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "resources/resource.h"

namespace {

using Checks = std::vector<std::pair<int, bool>>;

Checks checksOf(const DialogDecision& d) {
    Checks out;
    for (std::size_t i = 0; i < d.checkCount; ++i) {
        out.emplace_back(d.checks[i].id, d.checks[i].checked);
    }
    return out;
}

const Checks CUSTOM_ALONE = {{IDC_CURRENCY_POUNDS, false},
                             {IDC_CURRENCY_DOLLARS, false},
                             {IDC_CURRENCY_EUROS, false},
                             {IDC_CURRENCY_CUSTOM, true}};

struct Step {
    const char* what;
    std::function<DialogDecision(CurrencyChoice&)> act;  // none: the opening's decision
    int currency, decimals;
    const char* file;
    bool preview;
    Checks checks;
};

Settings stored(int currency, int decimals, const char* file) {
    Settings s;
    s.currency = currency;
    s.decimals = decimals;
    std::strcpy(s.digitsBitmapFile, file);
    return s;
}

void run(const Settings& settings, const std::vector<Step>& steps) {
    CurrencyChoice d;
    DialogDecision decision = d.opened(settings);
    for (const Step& step : steps) {
        if (step.act) {
            decision = step.act(d);
        }
        EXPECT_EQ(d.workCurrency, step.currency) << step.what;
        EXPECT_EQ(d.workDecimals, step.decimals) << step.what;
        EXPECT_STREQ(d.workBitmapFile, step.file) << step.what;
        EXPECT_EQ(decision.showPreview, step.preview) << step.what;
        EXPECT_EQ(checksOf(decision), step.checks) << step.what;
        EXPECT_FALSE(decision.end) << step.what;
    }
}

TEST(CurrencyChoice, ReactionsInSequence) {
    const std::function<DialogDecision(CurrencyChoice&)> none;
    // Opening with custom and no decimals checks both and previews the file.
    run(stored(3, 0, "mine.bmp"),
        {{"opened",
          none,
          3,
          0,
          "mine.bmp",
          true,
          {{IDC_CURRENCY_CUSTOM, true}, {IDC_CURRENCY_NO_DECIMALS, true}}},
         {"pounds",
          [](CurrencyChoice& d) { return d.builtInClicked(0); },
          0,
          1,
          "mine.bmp",
          true,
          {}},
         {"custom reads the button",
          [](CurrencyChoice& d) { return d.customClicked(false); },
          3,
          0,
          "mine.bmp",
          true,
          {}},
         {"two decimals while custom",
          [](CurrencyChoice& d) { return d.decimalsClicked(1); },
          3,
          1,
          "mine.bmp",
          false,
          {}}});
    // A decimals button while a built-in currency is chosen switches to custom alone.
    run(stored(1, 1, "mine.bmp"),
        {{"no decimals", [](CurrencyChoice& d) { return d.decimalsClicked(0); }, 3, 0, "mine.bmp",
          true, CUSTOM_ALONE}});
    // Browse asks for the open-file dialog; a picked file makes custom the only choice.
    run(stored(2, 1, ""),
        {{"browse", [](CurrencyChoice& d) { return d.browseClicked(); }, 2, 1, "", false, {}},
         {"picked", [](CurrencyChoice& d) { return d.filePicked("C:\\new.bmp"); }, 3, 1,
          "C:\\new.bmp", true, CUSTOM_ALONE}});
}

TEST(CurrencyChoice, OpeningNeverIndexesOutsideItsTables) {
    struct Case {
        int currency, decimals;
        Checks checks;
        int workDecimals;
    } const cases[] = {
        {3, 0, {{IDC_CURRENCY_CUSTOM, true}, {IDC_CURRENCY_NO_DECIMALS, true}}, 0},
        {0, 1, {{IDC_CURRENCY_POUNDS, true}, {IDC_CURRENCY_TWO_DECIMALS, true}}, 1},
        {0, 7, {{IDC_CURRENCY_POUNDS, true}, {IDC_CURRENCY_NO_DECIMALS, true}}, 0},
        {0, -1, {{IDC_CURRENCY_POUNDS, true}, {IDC_CURRENCY_NO_DECIMALS, true}}, 0},
        {9, 1, {{IDC_CURRENCY_TWO_DECIMALS, true}}, 1},
        {-2, 1, {{IDC_CURRENCY_TWO_DECIMALS, true}}, 1},
    };
    for (const Case& c : cases) {
        CurrencyChoice d;
        const DialogDecision decision = d.opened(stored(c.currency, c.decimals, "x.bmp"));
        EXPECT_EQ(checksOf(decision), c.checks) << c.currency << " " << c.decimals;
        EXPECT_EQ(d.workDecimals, c.workDecimals);
        EXPECT_TRUE(decision.showPreview);
        EXPECT_TRUE(decision.writeFields);
    }
}

TEST(CurrencyChoice, OkCommitsAndCancelLeavesTheSettings) {
    Settings settings = stored(0, 1, "");
    CurrencyChoice d;
    d.opened(settings);
    d.filePicked("digits.bmp");
    d.decimalsClicked(0);
    const DialogDecision cancelled = d.cancel();
    EXPECT_TRUE(cancelled.end);
    EXPECT_EQ(cancelled.result, 0);
    EXPECT_EQ(settings.currency, 0);
    EXPECT_STREQ(settings.digitsBitmapFile, "");

    d.opened(settings);  // starts again from the settings
    EXPECT_STREQ(d.workBitmapFile, "");
    // Without any change: still 1, and the meter is rebuilt.
    EXPECT_EQ(d.ok(settings).result, 1);
    d.opened(settings);
    d.filePicked("digits.bmp");
    d.decimalsClicked(0);
    const DialogDecision committed = d.ok(settings);
    EXPECT_TRUE(committed.end);
    EXPECT_EQ(committed.result, 1);
    EXPECT_EQ(settings.currency, 3);
    EXPECT_EQ(settings.decimals, 0);
    EXPECT_STREQ(settings.digitsBitmapFile, "digits.bmp");
}

// A preview is scaled down only when it is wider than its room, its shape kept.
TEST(CurrencyChoice, PreviewFitsItsRoom) {
    const struct {
        int width, height, room;
        PreviewSize shown;
    } cases[] = {
        {396, 45, 600, {396, 45}},  // 100 %: as it is
        {792, 90, 591, {591, 67}},  // 200 % in a dialog that grew less
        {792, 90, 792, {792, 90}},  // just fits
        {220, 30, 0, {220, 30}},    // no room measured: as it is
    };
    for (const auto& c : cases) {
        const PreviewSize shown = previewSize(c.width, c.height, c.room);
        EXPECT_EQ(shown.width, c.shown.width) << c.width << " in " << c.room;
        EXPECT_EQ(shown.height, c.shown.height) << c.width << " in " << c.room;
    }
}

}  // namespace
