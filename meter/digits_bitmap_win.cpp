#include "meter/digits_bitmap.h"

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
            if (path == nullptr || path[0] == '\0') {
                return nullptr;
            }
            return static_cast<HBITMAP>(
                LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0,
                           LR_LOADFROMFILE | LR_CREATEDIBSECTION | LR_DEFAULTSIZE));
        default:
            return nullptr;
    }
}
