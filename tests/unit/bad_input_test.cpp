// Files and stored values that once crashed Cointrel, lost the total or left it unusable.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "activities/activities.h"
#include "memory_store.h"
#include "meter/bitmap_check.h"
#include "meter/odometer.h"
#include "settings/settings.h"
#include "test_files.h"

namespace {

void put(std::string& s, std::size_t at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        s[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

// A bitmap file as a paint program saves it: an info header of 40 bytes, a full palette for
// depths up to 8, rows padded to four bytes.
std::string bitmapFile(int width, int height, int bits, std::uint32_t compression = 0) {
    const std::uint32_t colours = bits <= 8 ? 1u << bits : 0;
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * bits + 31) / 32 * 4;
    const std::uint32_t offset = 14 + 40 + colours * 4;
    const std::uint32_t rows = static_cast<std::uint32_t>(std::abs(height));
    std::string f(offset + stride * rows, '\0');
    f[0] = 'B';
    f[1] = 'M';
    put(f, 2, static_cast<std::uint32_t>(f.size()), 4);
    put(f, 10, offset, 4);
    put(f, 14, 40, 4);
    put(f, 18, static_cast<std::uint32_t>(width), 4);
    put(f, 22, static_cast<std::uint32_t>(height), 4);
    put(f, 26, 1, 2);
    put(f, 28, static_cast<std::uint32_t>(bits), 2);
    put(f, 30, compression, 4);
    return f;
}

bool usable(const std::string& f) {
    return digitsStripBytesUsable(reinterpret_cast<const unsigned char*>(f.data()), f.size());
}

TEST(BadInput, DigitsStripFilesAreCheckedBeforeTheSystemLoadsThem) {
    const std::string strip = bitmapFile(396, 45, 8);
    ASSERT_EQ(strip.size(), 18898u);
    EXPECT_TRUE(usable(strip));
    EXPECT_FALSE(usable(strip.substr(0, 16384))) << "cut short by a failed copy";
    std::string offsetPastEnd = strip;
    put(offsetPastEnd, 10, 20000, 4);
    EXPECT_FALSE(usable(offsetPastEnd));
    std::string lyingWidth = strip;
    put(lyingWidth, 18, 3960, 4);
    EXPECT_FALSE(usable(lyingWidth)) << "a header larger than the file";
    std::string bigPalette = strip;
    put(bigPalette, 46, 300, 4);
    EXPECT_FALSE(usable(bigPalette));
    std::string oddHeader = strip;
    put(oddHeader, 14, 200, 4);
    EXPECT_FALSE(usable(oddHeader));
    EXPECT_FALSE(usable(""));
    EXPECT_FALSE(usable("Working\n!Lunch\n"));
    EXPECT_FALSE(usable(bitmapFile(396, 45, 8, 1))) << "run-length encoded";
    EXPECT_FALSE(usable(bitmapFile(396, 45, 2)));
    EXPECT_FALSE(usable(bitmapFile(396, 0, 24)));
    EXPECT_FALSE(usable(bitmapFile(11 * 1025, 45, 1)));
    // Too narrow for eleven cells of a pixel: the window would be a sliver.
    EXPECT_FALSE(usable(bitmapFile(1, 1, 24)));
    EXPECT_FALSE(usable(bitmapFile(10, 45, 24)));
    EXPECT_TRUE(usable(bitmapFile(11, 1, 24)));
    EXPECT_TRUE(usable(bitmapFile(220, -30, 24))) << "stored top-down";
    EXPECT_TRUE(usable(bitmapFile(220, 30, 4)));
    std::string masked = bitmapFile(220, 30, 32, 3) + std::string(12, '\xff');
    put(masked, 10, 14 + 40 + 12, 4);
    EXPECT_TRUE(usable(masked));
}

TEST(BadInput, ARateFigureThatWouldBreakTheRateIsIgnored) {
    struct Case {
        const char* name;
        float value;
    } const cases[] = {{"DaysPerYear", 1.4e-45f}, {"HoursPerDay", 1e-30f}};
    for (const Case& c : cases) {
        MemoryStore store;
        store.set(c.name, c.value);
        Settings settings;
        Rate rate;
        loadSettings(&store, settings, rate);
        EXPECT_EQ(rate.hourly, 25.0) << c.name;
        EXPECT_EQ(rate.daysPerYear, 258.0) << c.name;
        EXPECT_EQ(rate.hoursPerDay, 7.5) << c.name;
    }
    // A total beyond single precision is not saved over the one stored.
    for (double total : {std::numeric_limits<double>::infinity(), 1e300,
                         std::numeric_limits<double>::quiet_NaN()}) {
        MemoryStore store;
        store.set("Kett", 12.5f);
        saveSettings(store, Settings{}, Rate{}, total);
        EXPECT_EQ(store.get<float>("Kett"), 12.5f) << total;
        // The thirteen but the total, the ledger's two, the minutes away asked about and the
        // notification area's two.
        EXPECT_EQ(store.values.size(), 18u);
    }
}

TEST(BadInput, ByteOrderMarkIsNoPartOfTheFirstName) {
    TempDir dir;
    const std::string path = dir.file("acts.txt");
    writeBytes(path, "\xEF\xBB\xBF!Nothing in particular\nWorking\n");
    const Activities list(path.c_str());
    ASSERT_EQ(list.count, 2);
    EXPECT_EQ(list.find("Nothing in particular"), 0);
    EXPECT_EQ(list.paid[0], 0);
    writeBytes(path, "\xEF\xBBWorking\n");  // not a mark: read as it stands
    EXPECT_STREQ(Activities(path.c_str()).name(0), "\xEF\xBBWorking");
}

TEST(BadInput, OdometerLayoutOfHugeStripsStaysInRange) {
    // Sizes a checked file can no longer produce, laid out without overflowing.
    const OdometerLayout layout = layoutOdometer(99999.9999, 1, INT_MAX / 4, INT_MAX, INT_MAX);
    ASSERT_GT(layout.count, 0u);
    EXPECT_EQ(layout.rollOffset, static_cast<int>(99LL * INT_MAX / 100));
    for (std::size_t i = 0; i < layout.count; ++i) {
        EXPECT_LE(layout.copies[i].x, INT_MAX);
        EXPECT_GE(layout.copies[i].sourceX, 0);
    }
    EXPECT_EQ(layout.copies[0].x, INT_MAX - INT_MAX / 4);
}

}  // namespace
