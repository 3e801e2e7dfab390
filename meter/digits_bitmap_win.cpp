#include "meter/digits_bitmap_win.h"

#include "meter/bitmap_check.h"
#include "meter/currency.h"
#include "resources/resource.h"

HBITMAP loadDigitsBitmap(HINSTANCE instance, int currency, const char* path) {
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
