#include "dialogs/reset_total.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct ScanCase {
    const char* typed;
    bool reset;
    double total;
};

TEST(ResetTotal, OkResetsOnlyToANumberFromZeroToBelowAMillion) {
    const ScanCase cases[] = {
        {"0", true, 0.0},
        {"0.00", true, 0.0},
        {"123.45", true, 123.44999694824219},
        {"999999.9", true, 999999.875},
        {"999999.99", false, 0},  // a million at single precision
        {"1000000", false, 0},
        {"-1", false, 0},
        {" 42abc", true, 42.0},
        {"abc", false, 0},
        {"", false, 0},
        {"1e40", false, 0},
        {"nan", false, 0},
    };
    for (const ScanCase& c : cases) {
        ResetTotal d;
        d.opened(5.0);
        std::strcpy(d.text, c.typed);
        const DialogDecision decision = d.ok();
        EXPECT_EQ(d.resetRequested, c.reset) << c.typed;
        if (c.reset) {
            EXPECT_EQ(d.newTotal, c.total) << c.typed;
        }
        EXPECT_TRUE(decision.end);
        EXPECT_EQ(decision.result, 0);
    }
    // Only 29 characters are read: the rest of a long entry never counts.
    ResetTotal d;
    std::strcpy(d.text, (std::string(27, ' ') + "12345").c_str());
    d.ok();
    EXPECT_TRUE(d.resetRequested);
    EXPECT_EQ(d.newTotal, 12.0);
}

TEST(ResetTotal, OpensWithTheWholeTotalAndZeroKeepsItOpen) {
    ResetTotal d;
    d.opened(1234.5678);
    EXPECT_STREQ(d.text, "1234.57");
    d.opened(static_cast<double>(3e38f));  // any float the settings can hold is shown whole
    EXPECT_EQ(std::string(d.text), "300000000549775575777803994281145270272.00");
    const DialogDecision zeroed = d.zero();
    EXPECT_STREQ(d.text, "0.00");
    EXPECT_TRUE(zeroed.writeFields);
    EXPECT_FALSE(zeroed.end);
    EXPECT_TRUE(d.cancel().end);
    EXPECT_FALSE(d.resetRequested);
}

}  // namespace
