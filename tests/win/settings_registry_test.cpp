#include "settings/settings_registry_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "win_test_support.h"

namespace {

struct StoredValue {
    DWORD kind = 0;
    DWORD size = 0;
};

// A key of the test's own: the user's own settings are never touched.
const std::string TEST_KEY =
    "Software\\Marrowfen\\CointrelTest\\Registry" + std::to_string(GetCurrentProcessId());

StoredValue query(const char* name) {
    StoredValue v;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, TEST_KEY.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegQueryValueExA(key, name, nullptr, &v.kind, nullptr, &v.size);
        RegCloseKey(key);
    }
    return v;
}

TEST(SettingsRegistry, SaveAndLoadThroughAPerUserKey) {
    RegDeleteKeyA(HKEY_CURRENT_USER, TEST_KEY.c_str());
    RegistryStore store(TEST_KEY.c_str());
    Settings settings;
    Rate rate;
    store.read([&](SettingsReader* key) { loadSettings(key, settings, rate); });
    EXPECT_STREQ(settings.activitiesFile, "acts.txt");
    EXPECT_STREQ(settings.logFile, "log.txt");
    EXPECT_EQ(settings.decimals, 1);
    EXPECT_EQ(settings.placement.length, 0u);
    EXPECT_EQ(rate.hourly, 25.0);

    std::strcpy(settings.currentActivityName, "Working");
    settings.currency = 1;
    settings.topMost = true;
    rate.hourly = 12.34;
    rate.recalc(RECALC_HOURLY);
    settings.logging = true;
    settings.placement.normalLeft = 40;
    settings.placement.normalTop = 30;
    ASSERT_TRUE(
        store.write([&](SettingsWriter& key) { saveSettings(key, settings, rate, 12345.678); }));

    struct Expected {
        const char* name;
        DWORD kind;
        DWORD size;
    } const expected[] = {
        {"Kett", REG_BINARY, 4},        {"DaysPerYear", REG_BINARY, 4},
        {"HoursPerDay", REG_BINARY, 4}, {"Hourly", REG_BINARY, 4},
        {"ActivitiesFile", REG_SZ, 9},  {"LogFile", REG_SZ, 8},
        {"Logging", REG_BINARY, 4},     {"CurrentActivity", REG_SZ, 8},
        {"Placement", REG_BINARY, 44},  {"TopMost", REG_BINARY, 4},
        {"Currency", REG_BINARY, 4},    {"DigitsBitmapFile", REG_SZ, 1},
        {"Decimals", REG_BINARY, 4},
    };
    for (const Expected& e : expected) {
        const StoredValue v = query(e.name);
        EXPECT_EQ(v.kind, e.kind) << e.name;
        EXPECT_EQ(v.size, e.size) << e.name;
    }

    Settings back;
    Rate backRate;
    store.read([&](SettingsReader* key) { loadSettings(key, back, backRate); });
    EXPECT_EQ(static_cast<double>(back.savedTotal), 12345.677734375);
    EXPECT_EQ(backRate.hourly, 12.340000152587890625);
    EXPECT_STREQ(back.currentActivityName, "Working");
    EXPECT_TRUE(back.logging);
    EXPECT_TRUE(back.topMost);
    EXPECT_EQ(back.currency, 1);
    EXPECT_EQ(back.placement.length, 44u);
    EXPECT_EQ(back.placement.normalLeft, 40);
    EXPECT_EQ(back.placement.normalTop, 30);
    RegDeleteKeyA(HKEY_CURRENT_USER, TEST_KEY.c_str());
}

}  // namespace
