#pragma once

#include <windows.h>

// The digits strip for a currency, drawn for a screen of `dpi`: a built-in one of `instance`, or
// for the custom code the bitmap file at path. At 96 DPI it is the strip as made for 100 %; at
// 192 the built-in strip made at twice the size; between and beyond, that one scaled, and a
// custom strip (made for 100 %) scaled from itself. Null when the code is unknown or the bitmap
// cannot be loaded; the caller owns what it gets.
HBITMAP loadDigitsBitmap(HINSTANCE instance, int currency, const char* path, UINT dpi = 96);

// The currency's sign in the ANSI code page, for the meter's window text: none for a strip of
// the user's own, or for a sign the code page lacks.
void currencySignText(int currency, char (&sign)[4]);
