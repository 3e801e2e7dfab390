#include "meter/digits_bitmap_win.h"

#include "meter/bitmap_check.h"
#include "meter/currency.h"
#include "meter/odometer.h"
#include "resources/resource.h"
#include "win32/dpi.h"
#include "win32/handles.h"

namespace {

// The built-in strip for 200 %: the digits and the point the three currencies share, with the
// currency's sign (the signs stand side by side, half a cell each) in the eleventh cell.
HBITMAP stripAtTwice(HINSTANCE instance, int currency) {
    UniqueBitmap digits(LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_DIGITS_2X)));
    UniqueBitmap signs(LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_SIGNS_2X)));
    BITMAP info{};
    if (!digits || !signs || GetObjectA(digits.get(), sizeof info, &info) == 0) {
        return nullptr;
    }
    const int cell = info.bmWidth / DIGIT_CELLS;
    WindowDC screen(nullptr);
    UniqueMemoryDC from(CreateCompatibleDC(screen.get()));
    UniqueMemoryDC to(CreateCompatibleDC(screen.get()));
    UniqueBitmap strip(CreateCompatibleBitmap(screen.get(), info.bmWidth, info.bmHeight));
    if (!from || !to || !strip) {
        return nullptr;
    }
    SelectionScope drawing(to.get(), strip.get());
    {
        SelectionScope reading(from.get(), digits.get());
        BitBlt(to.get(), 0, 0, info.bmWidth, info.bmHeight, from.get(), 0, 0, SRCCOPY);
    }
    SelectionScope reading(from.get(), signs.get());
    BitBlt(to.get(), GLYPH_CURRENCY * cell, 0, cell / 2, info.bmHeight, from.get(),
           currency * (cell / 2), 0, SRCCOPY);
    return strip.release();
}

HBITMAP stripAt100(HINSTANCE instance, int currency, const char* path) {
    switch (currency) {
        case CURRENCY_POUNDS:
            return LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_POUNDS));
        case CURRENCY_DOLLARS:
            return LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_DOLLARS));
        case CURRENCY_EUROS:
            return LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_EUROS));
        case CURRENCY_CUSTOM:
            // The system's loader trusts the file's headers: only a checked file reaches it.
            if (path == nullptr || !digitsStripFileUsable(path)) {
                return nullptr;
            }
            return static_cast<HBITMAP>(
                LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0,
                           LR_LOADFROMFILE | LR_CREATEDIBSECTION | LR_DEFAULTSIZE));
        default:
            return nullptr;
    }
}

// `strip`, made at `made` times the size of 100 %, drawn at the size it takes at `dpi`.
HBITMAP scaledStripOf(HBITMAP strip, int made, UINT dpi) {
    UniqueBitmap source(strip);
    BITMAP info{};
    if (!source || GetObjectA(strip, sizeof info, &info) == 0) {
        return nullptr;
    }
    const StripSize size =
        scaledStrip(info.bmWidth / made, info.bmHeight / made, static_cast<int>(dpi));
    if (size.width == info.bmWidth && size.height == info.bmHeight) {
        return source.release();
    }
    const int used = info.bmWidth / DIGIT_CELLS * DIGIT_CELLS;
    return scaledBitmap(source.get(), used, info.bmHeight, size.width, size.height);
}

}  // namespace

HBITMAP loadDigitsBitmap(HINSTANCE instance, int currency, const char* path, UINT dpi) {
    if (dpi == BASE_DPI) {
        return stripAt100(instance, currency, path);
    }
    // The built-in digits are drawn at twice the size for 200 %, and scaled from there for any
    // other resolution; a strip of the user's own, made for 100 %, is scaled from itself.
    const bool builtIn = currency >= CURRENCY_POUNDS && currency <= CURRENCY_EUROS;
    return builtIn ? scaledStripOf(stripAtTwice(instance, currency), 2, dpi)
                   : scaledStripOf(stripAt100(instance, currency, path), 1, dpi);
}

void currencySignText(int currency, char (&sign)[4]) {
    const wchar_t* const signs[] = {L"\u00A3", L"$", L"\u20AC"};
    sign[0] = '\0';
    if (currency >= CURRENCY_POUNDS && currency <= CURRENCY_EUROS) {
        BOOL lacking = FALSE;
        const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, signs[currency], 1, sign,
                                          sizeof sign - 1, nullptr, &lacking);
        sign[n > 0 && !lacking ? n : 0] = '\0';
    }
}
