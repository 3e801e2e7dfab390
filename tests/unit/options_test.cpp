#include "dialogs/options.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "dialogs/time_away.h"
#include "resources/resource.h"

namespace {

bool checkedIn(const DialogDecision& d, int id) {
    for (std::size_t i = 0; i < d.checkCount; ++i) {
        if (d.checks[i].id == id) {
            return d.checks[i].checked;
        }
    }
    ADD_FAILURE() << "no check state for " << id;
    return false;
}

// What the Options dialog shows as it opens, and what OK takes: a whole number of 1 to 720, kept
// even while the question is off, "minute" for one; anything else refused, with the reason.
TEST(Options, MinutesWithinTheirBoundsAndInWords) {
    const struct {
        int stored;
        const char* shown;
        bool asking;
    } openings[] = {
        {15, "15", true},   {1, "1", true},   {720, "720", true},
        {-30, "30", false}, {0, "15", false}, {721, "15", false},
    };
    for (const auto& o : openings) {
        OptionsChoice d;
        const DialogDecision opened = d.opened({o.stored, false, true}, true);
        EXPECT_STREQ(d.minutes, o.shown) << o.stored;
        EXPECT_STREQ(d.unit, o.shown == std::string("1") ? "minute" : "minutes") << o.stored;
        EXPECT_EQ(checkedIn(opened, IDC_OPTIONS_ASK), o.asking) << o.stored;
        EXPECT_TRUE(checkedIn(opened, IDC_OPTIONS_START)) << o.stored;
        EXPECT_FALSE(checkedIn(opened, IDC_OPTIONS_ICON)) << o.stored;
        EXPECT_TRUE(checkedIn(opened, IDC_OPTIONS_HIDE)) << o.stored;
    }
    const struct {
        const char* typed;
        bool ask;
        int taken;  // 0: refused
    } oks[] = {
        {"1", true, 1},   {"720", true, 720}, {"30", false, -30}, {"0", true, 0},
        {"721", true, 0}, {"", true, 0},      {"12a", true, 0},   {"99999999", true, 0},
    };
    for (const auto& o : oks) {
        OptionsChoice d;
        d.opened({20, true, false}, false);
        std::snprintf(d.minutes, sizeof d.minutes, "%s", o.typed);
        const DialogDecision decision = d.ok(o.ask, false, false, true);
        EXPECT_EQ(decision.end, o.taken != 0) << o.typed;
        if (o.taken != 0) {
            EXPECT_EQ(d.values.awayMinutes, o.taken) << o.typed;
            EXPECT_FALSE(d.values.notificationIcon) << o.typed;
            EXPECT_TRUE(d.values.hideWhenMinimised) << o.typed;
            EXPECT_STREQ(d.refusal, "") << o.typed;
        } else {
            EXPECT_STREQ(d.minutes, "20") << o.typed << ": the last good number back";
            EXPECT_STREQ(d.refusal, "Enter a whole number of minutes from 1 to 720.") << o.typed;
            EXPECT_TRUE(decision.writeFields) << o.typed;
        }
    }
    OptionsChoice typing;
    for (const char* typed : {"1", "2", "", "01"}) {
        std::snprintf(typing.minutes, sizeof typing.minutes, "%s", typed);
        typing.minutesChanged();
        EXPECT_STREQ(typing.unit,
                     std::string(typed) == "1" || std::string(typed) == "01" ? "minute" : "minutes")
            << typed;
    }
}

// The question about time away says how long, in words, and what Keep does.
TEST(TimeAway, QuestionSaysHowLongInWordsAndWhatKeepDoes) {
    const struct {
        std::int64_t seconds;
        const char* words;
    } durations[] = {
        {59, "less than 1 min"}, {60, "1 min"},        {70, "1 min"},          {3599, "59 min"},
        {3600, "1 h 00 min"},    {3900, "1 h 05 min"}, {90000, "25 h 00 min"},
    };
    for (const auto& d : durations) {
        EXPECT_STREQ(awayDuration(d.seconds).text, d.words) << d.seconds;
    }
    LogMoment from, to;
    std::snprintf(from.time, sizeof from.time, "12:10");
    std::snprintf(to.time, sizeof to.time, "13:52");
    std::snprintf(from.shortDate, sizeof from.shortDate, "07/12/2026");
    std::snprintf(to.shortDate, sizeof to.shortDate, "08/12/2026");
    EXPECT_STREQ(awayQuestionText(from, to, true, 6120, "Working").text,
                 "You were away from 12:10 to 13:52 (1 h 42 min) while Working was current.");
    EXPECT_STREQ(awayQuestionText(from, to, false, 92520, "Working").text,
                 "You were away from 07/12/2026 12:10 to 08/12/2026 13:52 (25 h 42 min) while "
                 "Working was current.");
    EXPECT_STREQ(keepNote("Working").text, "Keep counts it as Working, paid.");
}

}  // namespace
