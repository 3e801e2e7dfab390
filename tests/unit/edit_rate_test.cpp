#include "dialogs/edit_rate.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "resources/resource.h"

namespace {

std::string shown(EditRate& d, int id) {
    return d.text(id);
}

// Leaves one field after typing into it, as a user tabbing out of it; what leaving decides.
DialogDecision enter(EditRate& d, int id, const char* typed) {
    std::strcpy(d.text(id), typed);
    d.textChanged(id);
    return d.fieldLeft(id);
}

struct EntryCase {
    int id;
    const char* typed;
    double stored;  // 0: refused, the field shows its previous value again
    const char* display;
};

TEST(EditRate, EachFieldTakesOnlyValuesThatKeepTheRateInItsDomain) {
    const EntryCase cases[] = {
        {IDC_RATE_HOURLY, "25.1", 25.100000381469727, "25.10"},
        {IDC_RATE_HOURLY, "10000", 10000, "10000.00"},
        {IDC_RATE_HOURLY, "10000.01", 0, "25.00"},  // 10000.009765625 at single precision
        {IDC_RATE_HOURLY, "12abc", 12, "12.00"},
        {IDC_RATE_HOURLY, "  7", 7, "7.00"},
        {IDC_RATE_HOURLY, "", 0, "25.00"},
        {IDC_RATE_HOURLY, "abc", 0, "25.00"},
        {IDC_RATE_HOURLY, "0", 0, "25.00"},
        {IDC_RATE_HOURLY, "-5", 0, "25.00"},
        {IDC_RATE_HOURLY, "1e300", 0, "25.00"},
        {IDC_RATE_DAILY, "200", 200, "200.00"},
        {IDC_RATE_HOURS_PER_DAY, "24", 24, "24.00"},
        {IDC_RATE_HOURS_PER_DAY, "24.01", 0, "7.50"},
        {IDC_RATE_DAYS_PER_YEAR, "366", 366, "366"},
        {IDC_RATE_DAYS_PER_YEAR, "366.5", 0, "258"},
        {IDC_RATE_DAYS_PER_YEAR, "250.6", 250.60000610351562, "251"},
        // Within the yearly limit, yet with 7.5 hours and 258 days the hourly figure would
        // pass 10000: the bound is 10000 x 7.5 x 258 = 19350000.
        {IDC_RATE_YEARLY, "90000004", 0, "48375.00"},
        {IDC_RATE_YEARLY, "19350000", 19350000, "19350000.00"},
        {IDC_RATE_YEARLY, "19350002", 0, "48375.00"},
        // A tiny divisor would make the daily and hourly figures explode.
        {IDC_RATE_DAYS_PER_YEAR, "1e-30", 0, "258"},
    };
    for (const EntryCase& c : cases) {
        EditRate d;
        const Rate live;
        d.opened(live);
        const DialogDecision decision = enter(d, c.id, c.typed);
        const RateField* field = nullptr;
        for (const RateField& f : RATE_FIELDS) {
            field = f.id == c.id ? &f : field;
        }
        ASSERT_NE(field, nullptr);
        const double expected = c.stored != 0 ? c.stored : live.*field->figure;
        EXPECT_EQ(d.workingRate.*field->figure, expected) << c.id << " " << c.typed;
        EXPECT_EQ(shown(d, c.id), c.display) << c.id << " " << c.typed;
        EXPECT_TRUE(rateInDomain(d.workingRate)) << c.id << " " << c.typed;
        EXPECT_TRUE(decision.writeFields);
        EXPECT_FALSE(decision.end);
    }
}

TEST(EditRate, RefreshWritesAllFiveInTheirOrderAndFormats) {
    ASSERT_EQ(RATE_FIELDS.size(), 5u);
    const int order[] = {IDC_RATE_HOURLY, IDC_RATE_DAILY, IDC_RATE_YEARLY, IDC_RATE_HOURS_PER_DAY,
                         IDC_RATE_DAYS_PER_YEAR};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(RATE_FIELDS[i].id, order[i]);
    }
    EditRate d;
    d.opened(Rate());
    const char* const texts[] = {"25.00", "187.50", "48375.00", "7.50", "258"};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_STREQ(d.texts[i].data(), texts[i]);
    }
    // A yearly entry moves daily and hourly; leaving the hourly field then re-applies 25.12.
    enter(d, IDC_RATE_YEARLY, "48614");
    EXPECT_EQ(shown(d, IDC_RATE_HOURLY), "25.12");
    EXPECT_NE(d.workingRate.hourly, 25.12f);
    d.fieldLeft(IDC_RATE_HOURLY);
    EXPECT_EQ(d.workingRate.hourly, static_cast<double>(25.12f));
    EXPECT_EQ(d.workingRate.daily, static_cast<double>(25.12f) * 7.5);
}

TEST(EditRate, LastEditedFieldIsClearedByEveryRefresh) {
    EditRate d;
    d.opened(Rate());
    EXPECT_EQ(d.lastEditedId, 0);
    d.textChanged(IDC_RATE_DAILY);
    EXPECT_EQ(d.lastEditedId, IDC_RATE_DAILY);
    d.textChanged(1);  // OK, not a field
    EXPECT_EQ(d.lastEditedId, IDC_RATE_DAILY);
    d.fieldLeft(IDC_RATE_DAILY);
    EXPECT_EQ(d.lastEditedId, 0);
}

TEST(EditRate, OkAppliesAPendingEdit) {
    {  // Enter in the field: the typed figure is taken and the dialog ends.
        EditRate d;
        Rate live;
        d.opened(live);
        std::strcpy(d.text(IDC_RATE_HOURLY), "30");
        d.textChanged(IDC_RATE_HOURLY);
        const DialogDecision decision = d.ok(live);
        EXPECT_EQ(live.hourly, 30.0);
        EXPECT_EQ(live.daily, 225.0);
        EXPECT_TRUE(decision.end);
        EXPECT_EQ(decision.result, 0);
    }
    {  // Enter straight after opening: the live rate gets back what it had.
        EditRate d;
        Rate live;
        d.opened(live);
        std::strcpy(d.text(IDC_RATE_HOURLY), "30");  // a text nobody typed counts for nothing
        d.ok(live);
        EXPECT_EQ(live.hourly, 25.0);
        EXPECT_EQ(live.daily, 187.5);
    }
    {  // Cancel after an accepted entry leaves the live rate alone.
        EditRate d;
        Rate live;
        d.opened(live);
        enter(d, IDC_RATE_HOURLY, "40");
        EXPECT_TRUE(d.cancel().end);
        EXPECT_EQ(live.hourly, 25.0);
    }
}

}  // namespace
