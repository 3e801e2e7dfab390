#include "meter/digits_bitmap_win.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "win32/handles.h"
#include "meter/currency.h"
#include "resources/resource.h"
#include "win_test_support.h"

namespace {

const HINSTANCE instance = GetModuleHandleA(nullptr);

TEST(LoadDigitsBitmap, BuiltInStripsAre396By45) {
    for (int code : {CURRENCY_POUNDS, CURRENCY_DOLLARS, CURRENCY_EUROS}) {
        UniqueBitmap bitmap(loadDigitsBitmap(instance, code, "ignored.bmp"));
        ASSERT_TRUE(bitmap) << code;
        BITMAP info{};
        ASSERT_NE(GetObjectA(bitmap.get(), sizeof info, &info), 0);
        EXPECT_EQ(info.bmWidth, 396);
        EXPECT_EQ(info.bmHeight, 45);
    }
}

TEST(LoadDigitsBitmap, UnknownCodesAndUnreadableFilesGiveNone) {
    EXPECT_EQ(loadDigitsBitmap(instance, 4, ""), nullptr);
    EXPECT_EQ(loadDigitsBitmap(instance, -1, ""), nullptr);
    EXPECT_EQ(loadDigitsBitmap(instance, CURRENCY_CUSTOM, ""), nullptr);
    EXPECT_EQ(loadDigitsBitmap(instance, CURRENCY_CUSTOM, tempPath("missing.bmp").c_str()),
              nullptr);
    const std::string text = tempPath("not-a-bitmap.bmp");
    FILE* f = std::fopen(text.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("Working\n!Lunch\n", f);
    std::fclose(f);
    EXPECT_EQ(loadDigitsBitmap(instance, CURRENCY_CUSTOM, text.c_str()), nullptr);

    // A file cut short, whose pixels the system's loader would read past its end, and a strip
    // too narrow for eleven cells, are refused before the loader sees them.
    const std::string cut = tempPath("cut.bmp");
    ASSERT_TRUE(writeBitmapFile(cut, 396, 45, [](int, int) { return RGB(255, 255, 255); }));
    HANDLE file = CreateFileA(cut.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetFilePointer(file, 16384, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    EXPECT_EQ(loadDigitsBitmap(instance, CURRENCY_CUSTOM, cut.c_str()), nullptr);
    const std::string narrow = tempPath("narrow.bmp");
    ASSERT_TRUE(writeBitmapFile(narrow, 10, 45, [](int, int) { return RGB(255, 255, 255); }));
    EXPECT_EQ(loadDigitsBitmap(instance, CURRENCY_CUSTOM, narrow.c_str()), nullptr);
}

TEST(LoadDigitsBitmap, CustomFileLoadsAtItsOwnSize) {
    const std::string path = tempPath("custom-550x60.bmp");
    ASSERT_TRUE(writeBitmapFile(path, 550, 60, [](int, int) { return RGB(1, 2, 3); }));
    UniqueBitmap bitmap(loadDigitsBitmap(instance, CURRENCY_CUSTOM, path.c_str()));
    ASSERT_TRUE(bitmap);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectA(bitmap.get(), sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBm.bmWidth, 550);
    EXPECT_EQ(section.dsBm.bmHeight, 60);
}

// The compiled-in strips as stored: 8 bits a pixel, a full palette, run-length encoded, white
// background, and ink only where the cells allow it.
class BuiltInStripResource : public ::testing::TestWithParam<int> {};

TEST_P(BuiltInStripResource, KeepsTheFixedLayout) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(GetParam()), MAKEINTRESOURCEA(2));
    ASSERT_NE(found, nullptr);
    const auto* header =
        static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(instance, found)));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->biWidth, 396);
    EXPECT_EQ(header->biHeight, 45);
    EXPECT_EQ(header->biBitCount, 8);
    // Stored as a custom strip must be, so that one taken out of the program passes for one.
    EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_TRUE(header->biClrUsed == 0 || header->biClrUsed == 256);

    // The pixels as the system decodes them, top row first.
    UniqueBitmap loaded(LoadBitmapA(instance, MAKEINTRESOURCEA(GetParam())));
    ASSERT_TRUE(loaded);
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    Pixels strip;
    {
        SelectionScope selected(dc.get(), loaded.get());
        strip = capture(dc.get(), 0, 0, 396, 45);
    }
    auto pixel = [&](int x, int y) {
        const std::uint32_t c = strip.at(x, y);
        return RGB(c >> 16 & 255, c >> 8 & 255, c & 255);
    };
    const COLORREF white = RGB(255, 255, 255);
    ASSERT_EQ(pixel(0, 0), white);
    int inkInCell[11] = {};
    for (int y = 0; y < 45; ++y) {
        for (int x = 0; x < 396; ++x) {
            if (pixel(x, y) == white) {
                continue;
            }
            ASSERT_GE(y, 3) << x;
            ASSERT_LE(y, 39) << x;
            if (x >= 360) {
                const bool inCurrency = x <= 377;
                const bool inPoint = x >= 384 && x <= 389;
                ASSERT_TRUE(inCurrency || inPoint) << x << "," << y;
            }
            ++inkInCell[x / 36];
        }
    }
    for (int cell = 0; cell < 11; ++cell) {
        EXPECT_GT(inkInCell[cell], 40) << "cell " << cell << " is blank";
    }
}

INSTANTIATE_TEST_SUITE_P(Ids, BuiltInStripResource,
                         ::testing::Values(IDB_POUNDS, IDB_DOLLARS, IDB_EUROS));

}  // namespace
