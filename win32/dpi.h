#pragma once

// The resolution windows are drawn at: 96 dots an inch is 100 %.

#include <windows.h>

constexpr UINT BASE_DPI = 96;

// The DPI of the monitor a window is on, where the system tells it (Windows 10 1607 on); the
// system's DPI before that.
UINT windowDpi(HWND window);

// A copy of the top-left `width` x `height` pixels of `source`, drawn at `toWidth` x `toHeight`
// with area averaging (HALFTONE), which keeps a reduced image sharp. Null on failure; the caller
// owns the copy.
HBITMAP scaledBitmap(HBITMAP source, int width, int height, int toWidth, int toHeight);
