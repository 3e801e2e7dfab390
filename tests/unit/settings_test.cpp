#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "memory_store.h"
#include "settings/run_record.h"

namespace {

struct SettingsTest : ::testing::Test {
    MemoryStore store;
    Settings settings;
    Rate rate;
    void load() { loadSettings(&store, settings, rate); }
};

void expectDefaults(const Settings& s) {
    EXPECT_STREQ(s.activitiesFile, "acts.txt");
    EXPECT_STREQ(s.logFile, "log.txt");
    EXPECT_FALSE(s.logging);
    EXPECT_STREQ(s.currentActivityName, "");
    EXPECT_EQ(s.placement.length, 0u);
    EXPECT_FALSE(s.topMost);
    EXPECT_EQ(s.currency, 0);
    EXPECT_STREQ(s.digitsBitmapFile, "");
    EXPECT_EQ(s.decimals, 1);
    EXPECT_EQ(s.savedTotal, 0.0f);
}

void expectDefaultRate(const Rate& r) {
    EXPECT_EQ(r.hourly, 25.0);
    EXPECT_EQ(r.hoursPerDay, 7.5);
    EXPECT_EQ(r.daysPerYear, 258.0);
    EXPECT_EQ(r.daily, 187.5);
    EXPECT_EQ(r.yearly, 48375.0);
}

TEST_F(SettingsTest, FirstRunGivesEveryDefault) {
    loadSettings(nullptr, settings, rate);
    expectDefaults(settings);
    expectDefaultRate(rate);
    load();  // an empty key: the same
    expectDefaults(settings);
    expectDefaultRate(rate);
}

struct AcceptanceCase {
    const char* name;
    float value;
    bool accepted;
};

TEST_F(SettingsTest, RateFiguresAreAcceptedOnlyInRange) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const AcceptanceCase cases[] = {
        {"DaysPerYear", 366.0f, true},
        {"DaysPerYear", 1.0f, true},
        {"DaysPerYear", std::nextafter(366.0f, 400.0f), false},
        {"DaysPerYear", 0.0f, false},
        {"DaysPerYear", -5.0f, false},
        {"DaysPerYear", nan, false},
        {"HoursPerDay", 24.0f, true},
        {"HoursPerDay", 0.5f, true},
        {"HoursPerDay", std::nextafter(24.0f, 25.0f), false},
        {"HoursPerDay", 0.0f, false},
        {"HoursPerDay", -0.0f, false},
        {"HoursPerDay", nan, false},
        {"Hourly", 10000.0f, true},
        {"Hourly", 0.01f, true},
        {"Hourly", std::nextafter(10000.0f, 20000.0f), false},
        {"Hourly", 0.0f, false},
        {"Hourly", -25.0f, false},
        {"Hourly", nan, false},
        {"Hourly", inf, false},
    };
    for (const AcceptanceCase& c : cases) {
        MemoryStore one;
        one.set(c.name, c.value);
        Rate r;
        Settings s;
        loadSettings(&one, s, r);
        const std::string field = c.name;
        const double got = field == "Hourly"        ? r.hourly
                           : field == "HoursPerDay" ? r.hoursPerDay
                                                    : r.daysPerYear;
        const double defaultValue = field == "Hourly" ? 25.0 : field == "HoursPerDay" ? 7.5 : 258.0;
        EXPECT_EQ(got, c.accepted ? static_cast<double>(c.value) : defaultValue)
            << c.name << " " << c.value;
    }
}

TEST_F(SettingsTest, ValuesOfTheWrongSizeAreIgnoredWhole) {
    store.scribble = true;
    store.setBytes("Kett", 8);
    store.set("Hourly", 30.0);  // a double: 8 bytes
    store.setBytes("HoursPerDay", 2, 0x41);
    store.setBytes("Logging", 2);
    store.setBytes("TopMost", 8);
    store.setBytes("Currency", 2, 2);
    store.setBytes("Decimals", 8);
    store.setBytes("Placement", 40);
    load();
    expectDefaults(settings);
    expectDefaultRate(rate);

    MemoryStore longPlacement;
    longPlacement.scribble = true;
    longPlacement.setBytes("Placement", 48);
    loadSettings(&longPlacement, settings, rate);
    EXPECT_EQ(settings.placement.length, 0u);
}

TEST_F(SettingsTest, RateFromDaysAndHoursWithoutHourly) {
    store.set("DaysPerYear", 220.0f);
    store.set("HoursPerDay", 8.0f);
    load();
    EXPECT_EQ(rate.yearly, 48375.0);
    EXPECT_DOUBLE_EQ(rate.daily, 219.88636363636363);
    EXPECT_DOUBLE_EQ(rate.hourly, 27.485795454545453);
}

TEST_F(SettingsTest, HourlyFixesDailyAndYearly) {
    store.set("DaysPerYear", 220.0f);
    store.set("HoursPerDay", 8.0f);
    store.set("Hourly", 12.5f);
    load();
    EXPECT_EQ(rate.hourly, 12.5);
    EXPECT_EQ(rate.daily, 100.0);
    EXPECT_EQ(rate.yearly, 22000.0);
    EXPECT_EQ(rate.hoursPerDay, 8.0);
    EXPECT_EQ(rate.daysPerYear, 220.0);
}

TEST_F(SettingsTest, TextsAreReadWholeOrNotAtAll) {
    const std::string name255(255, 'a');
    store.setText("ActivitiesFile", name255 + '\0');
    store.setText("LogFile", std::string(256, 'b'));  // no room for a terminator
    store.setText("CurrentActivity", std::string(256, 'c') + '\0');
    store.setText("DigitsBitmapFile", "digits.bmp");  // stored without its terminator
    store.scribble = true;
    load();
    EXPECT_EQ(std::string(settings.activitiesFile), name255);
    EXPECT_STREQ(settings.logFile, "log.txt");
    EXPECT_STREQ(settings.currentActivityName, "");
    EXPECT_STREQ(settings.digitsBitmapFile, "digits.bmp");

    // The ledger's file, the program's own value, is taken only as text that names a file.
    for (const bool binary : {true, false}) {
        if (binary) {
            store.setBytes("LedgerFile", 8, 'x');
        } else {
            store.setText("LedgerFile", "");
        }
        load();
        EXPECT_STREQ(settings.ledgerFile, "ledger.csv") << (binary ? "binary" : "empty");
    }
}

TEST_F(SettingsTest, FlagsAndNumbers) {
    store.set("Logging", std::int32_t{7});
    store.set("TopMost", std::int32_t{-1});
    store.set("Currency", std::int32_t{3});
    store.set("Decimals", std::int32_t{0});
    store.set("Kett", 12345.678f);
    load();
    EXPECT_TRUE(settings.logging);
    EXPECT_TRUE(settings.topMost);
    EXPECT_EQ(settings.currency, 3);
    EXPECT_EQ(settings.decimals, 0);
    EXPECT_EQ(static_cast<double>(settings.savedTotal), 12345.677734375);

    store.set("Logging", std::int32_t{0});
    load();
    EXPECT_FALSE(settings.logging);
}

TEST_F(SettingsTest, NonFiniteTotalIsNotCarriedOver) {
    for (float bad :
         {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
          std::numeric_limits<float>::quiet_NaN()}) {
        store.set("Kett", bad);
        Settings s;
        loadSettings(&store, s, rate);
        EXPECT_EQ(s.savedTotal, 0.0f);
    }
}

// The thirteen in their order, then the ledger's two and the minutes away asked about.
TEST_F(SettingsTest, SaveWritesThirteenValuesInOrderAndReadsBack) {
    std::strcpy(settings.activitiesFile, "C:\\work\\acts.txt");
    std::strcpy(settings.logFile, "log.txt");
    std::strcpy(settings.currentActivityName, "Working");
    settings.topMost = true;
    settings.currency = 2;
    std::strcpy(settings.digitsBitmapFile, "");
    settings.decimals = 0;
    rate.hourly = 12.34;
    rate.recalc(RECALC_HOURLY);
    settings.logging = true;
    settings.placement.showCmd = 1;
    settings.placement.normalLeft = 40;
    settings.placement.normalTop = 30;
    std::strcpy(settings.ledgerFile, "C:\\books.csv");
    settings.ledger = false;
    saveSettings(store, settings, rate, 12345.678);

    EXPECT_EQ(
        store.writeOrder,
        (std::vector<std::string>{
            "Kett", "DaysPerYear", "HoursPerDay", "Hourly", "ActivitiesFile", "LogFile", "Logging",
            "CurrentActivity", "Placement", "TopMost", "Currency", "DigitsBitmapFile", "Decimals",
            "LedgerFile", "Ledger", "AwayMinutes", "NotificationIcon", "HideWhenMinimised"}));
    for (const auto& [name, value] : store.values) {
        const bool text = name == "ActivitiesFile" || name == "LogFile" ||
                          name == "CurrentActivity" || name == "DigitsBitmapFile" ||
                          name == "LedgerFile";
        EXPECT_EQ(value.kind, text ? VALUE_TEXT : VALUE_BINARY) << name;
        if (!text) {
            EXPECT_EQ(value.data.size(), name == "Placement" ? 44u : 4u) << name;
        }
    }
    EXPECT_EQ(store.values["ActivitiesFile"].data.size(), std::strlen("C:\\work\\acts.txt") + 1);
    EXPECT_EQ(store.values["DigitsBitmapFile"].data.size(), 1u);
    EXPECT_EQ(store.get<Placement>("Placement").length, 44u);
    EXPECT_EQ(store.get<std::int32_t>("Logging"), 1);

    Settings back;
    Rate backRate;
    loadSettings(&store, back, backRate);
    EXPECT_EQ(static_cast<double>(back.savedTotal), 12345.677734375);
    EXPECT_EQ(backRate.hourly, 12.340000152587890625);
    EXPECT_EQ(backRate.hoursPerDay, 7.5);
    EXPECT_EQ(backRate.daysPerYear, 258.0);
    EXPECT_STREQ(back.activitiesFile, "C:\\work\\acts.txt");
    EXPECT_STREQ(back.currentActivityName, "Working");
    EXPECT_TRUE(back.logging);
    EXPECT_TRUE(back.topMost);
    EXPECT_EQ(back.currency, 2);
    EXPECT_EQ(back.decimals, 0);
    EXPECT_EQ(back.placement.length, 44u);
    EXPECT_EQ(back.placement.normalLeft, 40);
    EXPECT_EQ(back.placement.normalTop, 30);
    EXPECT_STREQ(back.ledgerFile, "C:\\books.csv");
    EXPECT_FALSE(back.ledger);
}

// A time of the open period as an older build stored it: local, then UTC.
struct Moment {
    std::int64_t local, utc;
};

// The open period as an older build kept it, in values of its own.
void saveOlderPeriod(MemoryStore& s, const OpenPeriod& p) {
    s.set("PeriodStart", Moment{p.start, p.startUtc});
    s.setText("PeriodName", std::string(p.name) + '\0');
    s.set("PeriodPaid", std::int32_t{p.paid ? 1 : 0});
    s.set("PeriodStartTotal", p.startTotal);
    s.setText("PeriodLog", std::string(p.logFile) + '\0');
    s.setText("PeriodLedger", std::string(p.ledgerFile) + '\0');
    s.set("PeriodCheckpoint", Moment{p.checkpoint, p.checkpointUtc});
}

// The period an older build's crashed run left open: no record from a value that cannot be. Its
// times are judged by UTC where the key has it, by the local clock in the oldest keys.
TEST_F(SettingsTest, OlderOpenPeriodIsClosedOnlyFromSoundValues) {
    constexpr std::int64_t NOW = 134000000000000000;  // 100 ns units
    constexpr std::int64_t HOUR = 36000000000;
    constexpr std::int64_t UTC = NOW + HOUR;  // a time zone an hour behind UTC
    OpenPeriod left;
    left.start = NOW - 3000;
    left.checkpoint = NOW - 1000;
    left.startUtc = UTC - 3000;
    left.checkpointUtc = UTC - 1000;
    copyText(left.name, "Working");
    left.paid = true;
    left.startTotal = 12.5;
    copyText(left.logFile, "C:\\work\\log.txt");
    copyText(left.ledgerFile, "C:\\work\\ledger.csv");
    struct Case {
        const char* what;
        void (*spoil)(MemoryStore&);
        bool closed;
    } const cases[] = {
        {"sound", [](MemoryStore&) {}, true},
        {"finished", [](MemoryStore& s) { removeOlderRun(s); }, false},
        {"no checkpoint", [](MemoryStore& s) { s.values.erase("PeriodCheckpoint"); }, false},
        {"no name", [](MemoryStore& s) { s.values.erase("PeriodName"); }, false},
        {"short start", [](MemoryStore& s) { s.setBytes("PeriodStart", 4); }, false},
        {"a moment of 12 bytes", [](MemoryStore& s) { s.setBytes("PeriodCheckpoint", 12); }, false},
        {"start as text", [](MemoryStore& s) { s.setText("PeriodStart", "1234567"); }, false},
        {"name as bytes", [](MemoryStore& s) { s.setBytes("PeriodName", 8, 'a'); }, false},
        {"long name", [](MemoryStore& s) { s.setText("PeriodName", std::string(256, 'n')); },
         false},
        {"local checkpoint before start",
         [](MemoryStore& s) { s.set("PeriodCheckpoint", NOW - 4000); }, false},
        {"the oldest keys' local checkpoint ahead of now, of a clock that ran fast",
         [](MemoryStore& s) {
             s.set("PeriodStart", NOW + 24 * HOUR - 200);
             s.set("PeriodCheckpoint", NOW + 24 * HOUR);
         },
         true},
        {"start at zero", [](MemoryStore& s) { s.set("PeriodStart", std::int64_t{0}); }, false},
        {"started in 1601", [](MemoryStore& s) { s.set("PeriodStart", std::int64_t{1}); }, false},
        {"401 days long",
         [](MemoryStore& s) { s.set("PeriodStart", NOW - 1000 - 401 * 24 * HOUR); }, false},
        {"stamped by a clock a day fast: its own length",
         [](MemoryStore& s) {
             s.set("PeriodStart", Moment{NOW + 24 * HOUR - 200, UTC + 24 * HOUR - 200});
             s.set("PeriodCheckpoint", Moment{NOW + 24 * HOUR, UTC + 24 * HOUR});
         },
         true},
        {"UTC start after the checkpoint",
         [](MemoryStore& s) {
             s.set("PeriodStart", Moment{NOW - 3000, UTC - 500});
         },
         false},
        {"UTC 401 days long",
         [](MemoryStore& s) {
             s.set("PeriodStart", Moment{NOW - 3000, UTC - 401 * 24 * HOUR});
         },
         false},
        {"the local clock two hours behind now, sound by UTC",
         [](MemoryStore& s) {
             s.set("PeriodCheckpoint", Moment{NOW + 2 * HOUR, UTC - 1000});
         },
         true},
        {"the local clock went back past the start, sound by UTC",
         [](MemoryStore& s) {
             s.set("PeriodCheckpoint", Moment{NOW - 4000, UTC - 1000});
         },
         true},
        {"the oldest keys' local times",
         [](MemoryStore& s) {
             s.set("PeriodStart", NOW - 3000);
             s.set("PeriodCheckpoint", NOW - 1000);
         },
         true},
        {"log path too long", [](MemoryStore& s) { s.setText("PeriodLog", std::string(260, 'p')); },
         true},
    };
    for (const Case& c : cases) {
        MemoryStore key;
        saveOlderPeriod(key, left);
        c.spoil(key);
        OpenPeriod read;
        copyText(read.name, "untouched");
        EXPECT_EQ(loadOpenPeriod(key, read), c.closed) << c.what;
        EXPECT_STREQ(read.name, c.closed ? "Working" : "untouched") << c.what;
        if (!c.closed) {
            continue;
        }
        const std::string what = c.what;
        EXPECT_EQ(read.checkpoint, key.get<std::int64_t>("PeriodCheckpoint")) << what;
        EXPECT_EQ(read.startTotal, left.startTotal) << what;
        EXPECT_EQ(read.hasUtc, what.find("oldest") == std::string::npos) << what;
        EXPECT_EQ(read.hasFiles, what != "log path too long") << what;
        EXPECT_STREQ(read.ledgerFile, read.hasFiles ? left.ledgerFile : "") << what;
        if (what == "sound") {
            EXPECT_EQ(read.start, left.start);
            EXPECT_EQ(read.startUtc, left.startUtc);
            EXPECT_EQ(read.checkpointUtc, left.checkpointUtc);
        }
    }
    // Its earnings unusable, a period is still closed in the log, but makes no ledger row.
    MemoryStore key;
    saveOlderPeriod(key, left);
    key.set("PeriodStartTotal", std::numeric_limits<double>::quiet_NaN());
    OpenPeriod read;
    EXPECT_TRUE(loadOpenPeriod(key, read));
    EXPECT_FALSE(read.hasEarnings);
    settings.savedTotal = 20.0f;
    RunRecord run;
    ASSERT_TRUE(loadOlderRun(key, settings, 25.0, run));
    EXPECT_STREQ(run.ledgerFile, "") << "no row";
    EXPECT_STREQ(run.logFile, left.logFile);
    EXPECT_EQ(run.total, 20.0);
    EXPECT_EQ(run.elapsed, 2000);
}

// The minutes away asked about: 1 to 720, negative while the question is off, 0 as older builds
// kept off, anything else the default; the notification area's two switches, their defaults for a
// value of another kind or size; and the question an older build kept about a stretch, taken as
// the first stretch of its run only when sound.
TEST_F(SettingsTest, TimeAwayValuesAreTakenOnlyWhenSound) {
    const struct {
        const char* what;
        void (*store)(MemoryStore&);
        int minutes;
        bool icon = true, hide = false;
    } minutes[] = {
        {"missing", [](MemoryStore&) {}, 15},
        {"never, as older builds kept it", [](MemoryStore& s) { s.set("AwayMinutes", 0); }, 0},
        {"the most", [](MemoryStore& s) { s.set("AwayMinutes", std::int32_t{720}); }, 720},
        {"too many", [](MemoryStore& s) { s.set("AwayMinutes", std::int32_t{721}); }, 15},
        {"off, keeping 5", [](MemoryStore& s) { s.set("AwayMinutes", std::int32_t{-5}); }, -5},
        {"off, too many", [](MemoryStore& s) { s.set("AwayMinutes", std::int32_t{-721}); }, 15},
        {"as text", [](MemoryStore& s) { s.setText("AwayMinutes", "30"); }, 15},
        {"two bytes", [](MemoryStore& s) { s.setBytes("AwayMinutes", 2); }, 15},
        {"no icon, hidden when minimised",
         [](MemoryStore& s) {
             s.set("NotificationIcon", std::int32_t{0});
             s.set("HideWhenMinimised", std::int32_t{7});
         },
         15, false, true},
        {"switches as text or of two bytes",
         [](MemoryStore& s) {
             s.setText("NotificationIcon", "0");
             s.setBytes("HideWhenMinimised", 2);
         },
         15, true, false},
    };
    for (const auto& c : minutes) {
        MemoryStore key;
        c.store(key);
        loadSettings(&key, settings, rate);
        EXPECT_EQ(settings.awayMinutes, c.minutes) << c.what;
        EXPECT_EQ(settings.notificationIcon, c.icon) << c.what;
        EXPECT_EQ(settings.hideWhenMinimised, c.hide) << c.what;
    }

    constexpr std::int64_t NOW = 134000000000000000, MINUTE = 600000000;
    OpenPeriod period;
    period.start = period.startUtc = NOW - 60 * MINUTE;
    period.checkpoint = period.checkpointUtc = NOW - 5 * MINUTE;
    copyText(period.name, "Working");
    period.paid = true;
    // The stretch as stored: start, end, end in UTC, length, hourly figure.
    struct Stretch {
        std::int64_t start, end, endUtc, length;
        double hourly;
    };
    const Stretch asked{NOW - 30 * MINUTE, NOW - 10 * MINUTE, NOW - 10 * MINUTE, 20 * MINUTE, 25};
    const struct {
        const char* what;
        void (*spoil)(Stretch&);
        void (*spoilKey)(MemoryStore&);
        bool asks;
    } questions[] = {
        {"sound", [](Stretch&) {}, [](MemoryStore&) {}, true},
        {"answered", [](Stretch&) {},
         [](MemoryStore& s) {
             s.values.erase("AwayStretch");
             s.values.erase("AwayActivity");
         },
         false},
        {"no activity", [](Stretch&) {}, [](MemoryStore& s) { s.values.erase("AwayActivity"); },
         false},
        {"another activity's", [](Stretch&) {},
         [](MemoryStore& s) { s.setText("AwayActivity", std::string("Lunch") + '\0'); }, false},
        {"stretch as text", [](Stretch&) {}, [](MemoryStore& s) { s.setText("AwayStretch", "x"); },
         false},
        {"an end before the start", [](Stretch& q) { q.end = q.start - 1; }, [](MemoryStore&) {},
         false},
        {"an end after the period's", [](Stretch& q) { q.endUtc = NOW - 4 * MINUTE; },
         [](MemoryStore&) {}, false},
        {"no length", [](Stretch& q) { q.length = 0; }, [](MemoryStore&) {}, false},
        {"a rate of nothing", [](Stretch& q) { q.hourly = 0; }, [](MemoryStore&) {}, false},
    };
    for (const auto& c : questions) {
        Stretch q = asked;
        c.spoil(q);
        MemoryStore key;
        saveOlderPeriod(key, period);
        key.set("AwayStretch", q);
        key.setText("AwayActivity", std::string("Working") + '\0');
        c.spoilKey(key);
        RunRecord read;
        ASSERT_TRUE(loadOlderRun(key, settings, 25.0, read)) << c.what;
        EXPECT_EQ(read.stretchCount, c.asks ? 1u : 0u) << c.what;
        if (c.asks) {
            EXPECT_EQ(read.stretches[0].length, asked.length);
            EXPECT_EQ(read.stretches[0].offset, 30 * MINUTE);
        }
    }
}

// The run's record is one value, read back as written; a record that cannot be is no record,
// and a period or a stretch of it that cannot be is left out.
TEST_F(SettingsTest, RunRecordRoundTripsAndRefusesWhatCannotBe) {
    constexpr std::int64_t NOW = 134000000000000000, SECOND = 10000000;
    RunRecord run;
    run.total = 123.456;
    run.open = true;
    copyText(run.name, "Working");
    run.logStart = NOW - 7200 * SECOND;
    copyText(run.logFile, "C:\\work\\log.txt");
    run.start = NOW - 3600 * SECOND;
    run.startUtc = run.start + 3600 * SECOND;
    run.startTotal = 100.25;
    run.hourly = 36;
    run.currency = 2;
    run.paid = true;
    copyText(run.ledgerFile, "C:\\work\\ledger.csv");
    run.checkpoint = NOW;
    run.checkpointUtc = NOW + 3600 * SECOND;
    run.elapsed = 3599 * SECOND;
    run.stretchCount = 2;
    run.stretches[0] = {NOW - 3000 * SECOND, NOW - 2000 * SECOND, 600 * SECOND, 1000 * SECOND};
    run.stretches[1] = {NOW - 100 * SECOND, NOW, 3499 * SECOND, 100 * SECOND};
    run.handed.append("2026-12-08,09:00:00,10:00:00,Lunch,0,3600,36.00,0.00,EUR\r\n");
    copyText(run.handedFile, "D:\\away\\ledger.csv");
    MemoryStore key;
    saveRunRecord(key, &run);
    const std::vector<unsigned char> sound = key.values.at("Checkpoint").data;
    const std::size_t fixed = sound.size() - run.handed.size();
    // Each case spoils the stored bytes: what the record then is.
    enum Read { WHOLE, NO_PERIOD, ONE_STRETCH, NONE };
    const auto at = [](std::vector<unsigned char>& b, std::size_t offset, auto value) {
        std::memcpy(b.data() + offset, &value, sizeof value);
    };
    // Where the fields lie: the form, the total, the flags, the currency, the six times.
    constexpr std::size_t TOTAL = 4, ELAPSED = 4 + 8 + 4 + 4 + 5 * 8, HOURLY = ELAPSED + 16,
                          FIRST_STRETCH = HOURLY + 8 + 4;
    const struct {
        const char* what;
        std::function<void(std::vector<unsigned char>&)> spoil;
        Read read;
    } cases[] = {
        {"sound", [](std::vector<unsigned char>&) {}, WHOLE},
        {"another form", [](std::vector<unsigned char>& b) { b[3] = '9'; }, NONE},
        {"cut short", [&](std::vector<unsigned char>& b) { b.resize(fixed - 1); }, NONE},
        {"a total of no number",
         [&](std::vector<unsigned char>& b) {
             at(b, TOTAL, std::numeric_limits<double>::quiet_NaN());
         },
         NONE},
        {"a name without its end",
         [&](std::vector<unsigned char>& b) {
             std::memset(b.data() + FIRST_STRETCH + 4 * 32, 'n', 256);
         },
         NONE},
        {"no time before it began",
         [&](std::vector<unsigned char>& b) { at(b, ELAPSED, std::int64_t{-1}); }, NO_PERIOD},
        {"401 days long",
         [&](std::vector<unsigned char>& b) { at(b, ELAPSED, std::int64_t{401} * 86400 * SECOND); },
         NO_PERIOD},
        {"a rate of nothing", [&](std::vector<unsigned char>& b) { at(b, HOURLY, 0.0); },
         NO_PERIOD},
        {"a stretch past the checkpoint",
         [&](std::vector<unsigned char>& b) {
             at(b, FIRST_STRETCH + 16, std::int64_t{3000} * SECOND);
         },
         ONE_STRETCH},
    };
    for (const auto& c : cases) {
        std::vector<unsigned char> bytes = sound;
        c.spoil(bytes);
        key.values["Checkpoint"].data = bytes;
        RunRecord read;
        ASSERT_EQ(loadRunRecord(key, read), c.read != NONE) << c.what;
        if (c.read == NONE) {
            continue;
        }
        EXPECT_EQ(read.open, c.read != NO_PERIOD) << c.what;
        EXPECT_EQ(read.stretchCount, c.read == WHOLE         ? 2u
                                     : c.read == ONE_STRETCH ? 1u
                                                             : 0u)
            << c.what;
        EXPECT_EQ(std::string(read.handed.data(), read.handed.size()),
                  std::string(run.handed.data(), run.handed.size()))
            << c.what;
        EXPECT_STREQ(read.handedFile, run.handedFile) << c.what;
        if (c.read != WHOLE) {
            continue;
        }
        EXPECT_EQ(read.total, run.total);
        EXPECT_STREQ(read.name, run.name);
        EXPECT_STREQ(read.logFile, run.logFile);
        EXPECT_STREQ(read.ledgerFile, run.ledgerFile);
        EXPECT_EQ(read.logStart, run.logStart);
        EXPECT_EQ(read.startUtc, run.startUtc);
        EXPECT_EQ(read.checkpointUtc, run.checkpointUtc);
        EXPECT_EQ(read.startTotal, run.startTotal);
        EXPECT_EQ(read.currency, 2);
        EXPECT_TRUE(read.paid);
        EXPECT_EQ(read.stretches[1].offset, run.stretches[1].offset);
        EXPECT_EQ(read.stretches[1].end, NOW);
    }
    saveRunRecord(key, nullptr);
    RunRecord none;
    EXPECT_FALSE(loadRunRecord(key, none)) << "taken out";
    key.setText("Checkpoint", std::string(sound.begin(), sound.end()));
    EXPECT_FALSE(loadRunRecord(key, none)) << "as text";
}

}  // namespace
