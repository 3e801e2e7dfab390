#include "meter/odometer.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

std::ostream& operator<<(std::ostream& os, const GlyphCopy& c) {
    return os << "(" << c.x << ", " << c.y << ", " << c.width << ", " << c.height << ", "
              << c.sourceX << ")";
}

namespace {

constexpr int CELL = 36;
constexpr int HEIGHT = 45;
constexpr int WIDTH = 306;
constexpr int CURRENCY_X = 360;
constexpr int POINT_X = 378;

std::vector<GlyphCopy> copiesOf(const OdometerLayout& layout) {
    return {layout.copies.begin(), layout.copies.begin() + layout.count};
}

// A glyph that stands still, and one that turns by `off` with its successor below it.
GlyphCopy still(int x, int w, int src) {
    return {x, 0, w, HEIGHT, src};
}
std::vector<GlyphCopy> turning(int x, int off, int digit) {
    const int next = digit == 9 ? 0 : digit + 1;
    return {{x, -off, CELL, HEIGHT, digit * CELL}, {x, HEIGHT - off, CELL, HEIGHT, next * CELL}};
}
std::vector<GlyphCopy> join(std::initializer_list<std::vector<GlyphCopy>> parts) {
    std::vector<GlyphCopy> all;
    for (const auto& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

struct LayoutCase {
    const char* name;
    double total;
    int decimalsMode;
    int rollOffset;
    std::vector<GlyphCopy> copies;
};

class OdometerLayoutTable : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(OdometerLayoutTable, EmitsExactlyTheseCopies) {
    const LayoutCase& c = GetParam();
    const OdometerLayout layout = layoutOdometer(c.total, c.decimalsMode, CELL, HEIGHT, WIDTH);
    EXPECT_EQ(layout.rollOffset, c.rollOffset);
    EXPECT_EQ(copiesOf(layout), c.copies);
}

INSTANTIATE_TEST_SUITE_P(
    BuiltInGeometry, OdometerLayoutTable,
    ::testing::Values(
        LayoutCase{"ZeroTwoDecimals", 0, 1, 0,
                   join({turning(270, 0, 0),
                         {still(234, 36, 0), still(216, 18, POINT_X), still(180, 36, 0),
                          still(162, 18, CURRENCY_X)}})},
        LayoutCase{"ZeroNoDecimals", 0, 0, 0,
                   join({turning(270, 0, 0), {still(252, 18, CURRENCY_X)}})},
        LayoutCase{"Typical", 1234.5678, 1, 35,
                   join({turning(270, 35, 6),
                         {still(234, 36, 180), still(216, 18, POINT_X), still(180, 36, 144),
                          still(144, 36, 108), still(108, 36, 72), still(72, 36, 36),
                          still(54, 18, CURRENCY_X)}})},
        LayoutCase{"CarryIntoTheUnits", 1299.9951, 1, 22,
                   join({turning(270, 22, 9),
                         turning(234, 22, 9),
                         {still(216, 18, POINT_X)},
                         turning(180, 22, 9),
                         turning(144, 22, 9),
                         turning(108, 22, 2),
                         {still(72, 36, 36), still(54, 18, CURRENCY_X)}})},
        LayoutCase{"HundredthsDriveWholeUnits", 41.37, 0, 16,
                   join({turning(270, 16, 1), {still(234, 36, 144), still(216, 18, CURRENCY_X)}})},
        LayoutCase{"CarryThroughTwoNines", 199.5, 0, 22,
                   join({turning(270, 22, 9),
                         turning(234, 22, 9),
                         turning(198, 22, 1),
                         {still(180, 18, CURRENCY_X)}})},
        // The minus sign has no glyph: the digits show without it.
        LayoutCase{"NegativeShowsNoSign", -12.3456, 1, 25,
                   join({turning(270, 25, 4),
                         {still(234, 36, 108), still(216, 18, POINT_X), still(180, 36, 72),
                          still(144, 36, 36), still(126, 18, CURRENCY_X)}})}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

TEST(OdometerRollsAt, TwelveNinetyNine) {
    const char text[] = "12.99";
    EXPECT_FALSE(rollsAt(text, 0));
    EXPECT_TRUE(rollsAt(text, 1));
    EXPECT_FALSE(rollsAt(text, 2));
    EXPECT_TRUE(rollsAt(text, 3));
    EXPECT_TRUE(rollsAt(text, 4));
}

TEST(OdometerLayout, OtherDecimalsModesDrawAsWholeUnits) {
    const auto whole = copiesOf(layoutOdometer(41.37, 0, CELL, HEIGHT, WIDTH));
    EXPECT_EQ(copiesOf(layoutOdometer(41.37, 2, CELL, HEIGHT, WIDTH)), whole);
    EXPECT_EQ(copiesOf(layoutOdometer(41.37, -1, CELL, HEIGHT, WIDTH)), whole);
}

TEST(OdometerLayout, AllNinesTurnTheCurrencyGlyphPastTheStrip) {
    const OdometerLayout layout = layoutOdometer(99999999.9999, 1, CELL, HEIGHT, WIDTH);
    // Ten digits and the currency glyph turn; the point stands still.
    ASSERT_EQ(layout.count, 2u * 10u + 1u + 2u);
    const GlyphCopy& currency = layout.copies[layout.count - 2];
    const GlyphCopy& following = layout.copies[layout.count - 1];
    EXPECT_EQ(currency.sourceX, CURRENCY_X);
    EXPECT_EQ(currency.width, 18);
    EXPECT_EQ(currency.x, WIDTH - 10 * CELL - 18 - 18);
    EXPECT_EQ(following.sourceX, 11 * CELL);
    EXPECT_EQ(following.y, HEIGHT - layout.rollOffset);
}

TEST(OdometerLayout, WideTotalsRunOffTheLeftEdgeCurrencyFirst) {
    // 1e20 shows 23 digits: far more than the 306 pixels hold.
    const OdometerLayout layout = layoutOdometer(1e20, 1, CELL, HEIGHT, WIDTH);
    ASSERT_EQ(layout.count, 2u + 22u + 1u + 1u);
    const GlyphCopy& currency = layout.copies[layout.count - 1];
    EXPECT_EQ(currency.sourceX, CURRENCY_X);
    EXPECT_EQ(currency.x, WIDTH - 23 * CELL - 18 - 18);
    EXPECT_LT(currency.x, layout.copies[layout.count - 2].x);
}

TEST(OdometerLayout, TheLargestDoublesFitTheTextBuffer) {
    for (double total : {DBL_MAX, -DBL_MAX}) {
        for (int mode : {0, 1}) {
            const OdometerLayout layout = layoutOdometer(total, mode, CELL, HEIGHT, WIDTH);
            const std::size_t digits = mode == 1 ? 311 : 309;  // 309 whole digits, 2 decimals
            const std::size_t points = mode == 1 ? 1 : 0;
            ASSERT_EQ(layout.count, 2u + (digits - 1) + points + 1) << total << " mode " << mode;
            EXPECT_EQ(layout.copies[layout.count - 1].sourceX, CURRENCY_X);
        }
    }
}

TEST(OdometerLayout, InfinityAndNaNDrawOnlyTheCurrencyGlyph) {
    const double inf = std::numeric_limits<double>::infinity();
    for (double total : {inf, -inf, std::nan(""), -std::nan("")}) {
        for (int mode : {0, 1}) {
            const OdometerLayout layout = layoutOdometer(total, mode, CELL, HEIGHT, WIDTH);
            EXPECT_EQ(layout.rollOffset, 0);
            ASSERT_EQ(layout.count, 1u) << total;
            EXPECT_EQ(layout.copies[0], still(288, 18, CURRENCY_X));
        }
    }
}

TEST(OdometerLayout, ChangedAreaIsWhereThePicturesDiffer) {
    const auto area = [](double before, double after, int decimals = 1) {
        const PanelArea a =
            changedArea(layoutOdometer(before, decimals, CELL, HEIGHT, WIDTH),
                        layoutOdometer(after, decimals, CELL, HEIGHT, WIDTH), WIDTH, HEIGHT);
        return std::vector<int>{a.left, a.top, a.right, a.bottom};
    };
    EXPECT_LE(area(12.3456, 12.3457)[2], area(12.3456, 12.3457)[0]) << "the same picture";
    EXPECT_EQ(area(12.3456, 12.3476), (std::vector<int>{270, 0, 306, 45})) << "the last wheel";
    EXPECT_EQ(area(12.3956, 12.4056), (std::vector<int>{234, 0, 306, 45})) << "a carry";
    EXPECT_EQ(area(9.9999, 10.0001), (std::vector<int>{126, 0, 306, 45})) << "a digit more";
    EXPECT_LE(area(41.37, 41.37, 0)[2], area(41.37, 41.37, 0)[0]);
}

TEST(ReadableTotal, IsWhatTheMeterShows) {
    const struct {
        double total;
        int decimals;
        const char* sign;
        std::string text;
    } cases[] = {
        {0.0, 1, "\xA3",
         "\xA3"
         "0.00"},
        {123.4499969, 1, "\xA3",
         "\xA3"
         "123.45"},
        {1299.9951, 1, "$", "$1299.99"},  // the hidden decimals only turn the wheel
        {41.37, 0, "\x80",
         "\x80"
         "41"},
        {199.5, 7, "$", "$199"},
        {1234.5678, 1, "", "1234.56"},  // a strip of the user's own: the digits alone
        {-41.37, 1, "\xA3",
         "\xA3"
         "41.37"},  // the meter draws no minus sign
        {std::numeric_limits<double>::infinity(), 1, "\xA3", "\xA3"},
        {1e20, 0, "", "1" + std::string(20, '0')},
    };
    for (const auto& c : cases) {
        char text[READABLE_TOTAL_SIZE];
        readableTotal(c.total, c.decimals, c.sign, text);
        EXPECT_EQ(std::string(text), c.text) << c.total;
    }
}

TEST(OdometerLayout, NoStripMeansZeroWidthCopiesOnly) {
    const OdometerLayout layout = layoutOdometer(12.5, 1, 0, 0, 0);
    EXPECT_EQ(layout.rollOffset, 0);
    for (std::size_t i = 0; i < layout.count; ++i) {
        EXPECT_EQ(layout.copies[i].width, 0);
    }
}

struct GeometryCase {
    int bitmapWidth;
    bool halfCell;
    int cellWidth;
    int width;
};

class PanelGeometryTable : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(PanelGeometryTable, FollowsTheStrip) {
    const GeometryCase& c = GetParam();
    const PanelGeometry g = panelGeometry(c.bitmapWidth, 45, 8, c.halfCell);
    EXPECT_EQ(g.cellWidth, c.cellWidth);
    EXPECT_EQ(g.cellHeight, 45);
    EXPECT_EQ(g.width, c.width);
    EXPECT_EQ(g.height, 45);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, PanelGeometryTable,
    ::testing::Values(GeometryCase{396, true, 36, 306}, GeometryCase{396, false, 36, 288},
                      GeometryCase{400, true, 36, 306}, GeometryCase{400, false, 36, 288},
                      GeometryCase{385, true, 35, 297}, GeometryCase{385, false, 35, 280},
                      GeometryCase{10, true, 0, 0}),
    [](const ::testing::TestParamInfo<GeometryCase>& info) {
        return "W" + std::to_string(info.param.bitmapWidth) +
               (info.param.halfCell ? "HalfCell" : "");
    });

// The meter keeps its physical size at every DPI: the strip's cell and height scale and round to
// whole pixels, and the odometer's cells and turning offset follow.
TEST(Odometer, ScaledStripsKeepThePanelsPhysicalSize) {
    struct Case {
        int width, height, dpi;
        int cell, cellHeight, panelWidth, halfTurn;
    } const cases[] = {
        {396, 45, 96, 36, 45, 306, 22},    {396, 45, 120, 45, 56, 382, 28},
        {396, 45, 144, 54, 68, 459, 34},   {396, 45, 192, 72, 90, 612, 45},
        {396, 45, 288, 108, 135, 918, 67}, {220, 30, 144, 30, 45, 255, 22},
        {225, 30, 192, 40, 60, 340, 30},  // the columns past eleven cells are left out
    };
    for (const Case& c : cases) {
        const StripSize strip = scaledStrip(c.width, c.height, c.dpi);
        const PanelGeometry g = panelGeometry(strip.width, strip.height, 8, true);
        EXPECT_EQ(g.cellWidth, c.cell) << c.width << " at " << c.dpi;
        EXPECT_EQ(g.height, c.cellHeight) << c.width << " at " << c.dpi;
        EXPECT_EQ(g.width, c.panelWidth) << c.width << " at " << c.dpi;
        // Half a turn of the last wheel (a total ending in 0.005) moves it half a cell.
        EXPECT_EQ(layoutOdometer(0.005, 1, g.cellWidth, g.cellHeight, g.width).rollOffset,
                  c.halfTurn)
            << c.width << " at " << c.dpi;
    }
}

}  // namespace
