#pragma once

#include <windows.h>

// The digits strip for a currency: a built-in resource of `instance`, or for the custom code the
// bitmap file at path. Null when the code is unknown or the bitmap cannot be loaded; the caller
// owns what it gets.
HBITMAP loadDigitsBitmap(HINSTANCE instance, int currency, const char* path);
