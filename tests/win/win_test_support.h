#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "meter/odometer.h"

// A visible, undecorated top-level window at the screen's top-left corner, to parent a meter.
HWND createTestParent(int width, int height);

// Pixels read back from a device context as 0x00RRGGBB, row by row from the top.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;
    std::uint32_t at(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};
Pixels capture(HDC source, int x, int y, int width, int height);
std::uint32_t rgbOf(COLORREF colour);

// What a meter shows for a layout: the strip's background colour with the copies laid over it,
// each clipped to the panel and to the strip, computed from the strip's own pixels.
Pixels renderLayout(const Pixels& strip, const OdometerLayout& layout, int width, int height);

// Dispatches this thread's messages until done() holds or the time runs out; returns done().
bool pumpMessagesUntil(DWORD timeoutMs, const std::function<bool()>& done);

// A path in a folder of this test process's own under the temporary directory.
std::string tempPath(const char* fileName);

// Writes a 24-bit bottom-up bitmap file whose pixels come from colourAt(x, y).
bool writeBitmapFile(const std::string& path, int width, int height,
                     const std::function<COLORREF(int, int)>& colourAt);
