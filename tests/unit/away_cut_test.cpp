#include "app/away_cut.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "test_day.h"

namespace {

constexpr std::int64_t SECOND = 10000000;

std::string hhmm(std::int64_t value) {
    LocalTime t{};
    localTimeOf(value, t);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
    return text;
}

// The cut as text: its log records, its rows, what comes off and the period after the stretch.
std::string shown(const AwayCut& cut) {
    static const char* const kinds[] = {"Banner", "S", "F"};
    std::string out;
    for (std::size_t i = 0; i < cut.recordCount; ++i) {
        const CutRecord& r = cut.records[i];
        out += std::string(kinds[r.kind]) + " " + r.activity + " " +
               (r.kind == LOG_FINISHED ? hhmm(r.start) + "-" + hhmm(r.finish) : hhmm(r.start)) +
               "|";
    }
    char text[200];
    for (std::size_t i = 0; i < cut.rowCount; ++i) {
        const LedgerPeriod& p = cut.rows[i];
        std::snprintf(text, sizeof text, "%s %s-%s,%d,%lld,%.2f|", p.activity,
                      hhmm(p.start).c_str(), hhmm(p.finish).c_str(), p.paid ? 1 : 0,
                      static_cast<long long>(p.elapsed / SECOND), p.earned);
        out += text;
    }
    std::snprintf(text, sizeof text, "off %.2f; after %s-%s,%lld,%.2f", cut.deduction,
                  hhmm(cut.after.start).c_str(), hhmm(cut.after.finish).c_str(),
                  static_cast<long long>(cut.after.elapsed / SECOND), cut.after.earned);
    return out + text;
}

// Working, logged from 08:30 and on its row from 09:00 to 10:00 at 3600 an hour, cut around a
// stretch as the answer has it.
TEST(AwayCut, OnePeriodAroundOneStretch) {
    LedgerPeriod span;
    span.start = wallOnTheDay(9, 0);
    span.finish = wallOnTheDay(10, 0);
    span.elapsed = 3600 * SECOND;
    span.activity = "Working";
    span.paid = true;
    span.hourly = 3600;
    span.earned = 3600;
    const struct {
        const char* what;
        int from, minutes;  // the stretch: minutes after 09:00, and how long
        const char* picked;
        bool paid, goesOn;
        double earned;  // by the span
        const char* cut;
    } cases[] = {
        {"unpaid, in the middle, the period going on", 10, 20, "Lunch", false, true, 3600,
         "F Working 08:30-09:10|S Lunch 09:10|F Lunch 09:10-09:30|S Working 09:30|"
         "Working 09:00-09:10,1,600,600.00|Lunch 09:10-09:30,0,1200,0.00|"
         "off 1200.00; after 09:30-10:00,1800,1800.00"},
        {"paid, the span ending there", 10, 20, "Meeting", true, false, 3600,
         "F Working 08:30-09:10|S Meeting 09:10|F Meeting 09:10-09:30|S Working 09:30|"
         "F Working 09:30-10:00|Working 09:00-09:10,1,600,600.00|"
         "Meeting 09:10-09:30,1,1200,1200.00|Working 09:30-10:00,1,1800,1800.00|"
         "off 0.00; after 09:30-10:00,1800,1800.00"},
        {"from the row's start: no row before it", 0, 20, "Lunch", false, false, 3600,
         "F Working 08:30-09:00|S Lunch 09:00|F Lunch 09:00-09:20|S Working 09:20|"
         "F Working 09:20-10:00|Lunch 09:00-09:20,0,1200,0.00|Working 09:20-10:00,1,2400,2400.00|"
         "off 1200.00; after 09:20-10:00,2400,2400.00"},
        {"to the span's end: no period after it", 40, 20, "Lunch", false, false, 3600,
         "F Working 08:30-09:40|S Lunch 09:40|F Lunch 09:40-10:00|"
         "Working 09:00-09:40,1,2400,2400.00|Lunch 09:40-10:00,0,1200,0.00|"
         "off 1200.00; after 10:00-10:00,0,0.00"},
        {"earned less than the stretch at the rate: no more comes off", 10, 20, "Lunch", false,
         true, 1000,
         "F Working 08:30-09:10|S Lunch 09:10|F Lunch 09:10-09:30|S Working 09:30|"
         "Working 09:00-09:10,1,600,0.00|Lunch 09:10-09:30,0,1200,0.00|"
         "off 1000.00; after 09:30-10:00,1800,0.00"},
    };
    for (const auto& c : cases) {
        KeptStretch stretch;
        stretch.start = wallOnTheDay(9, 0) + c.from * 60 * SECOND;
        stretch.end = stretch.start + c.minutes * 60 * SECOND;
        stretch.offset = c.from * 60 * SECOND;
        stretch.length = c.minutes * 60 * SECOND;
        span.earned = c.earned;
        EXPECT_EQ(shown(cutAround(span, wallOnTheDay(8, 30), stretch, c.picked, c.paid, c.goesOn)),
                  c.cut)
            << c.what;
    }
}

}  // namespace
