#include "win32/dpi.h"

#include "win32/handles.h"
#include "win32/system_library.h"

UINT windowDpi(HWND window) {
    using GetDpiForWindow = UINT WINAPI(HWND);
    static auto* const getDpiForWindow =
        systemFunction<GetDpiForWindow>("user32.dll", "GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = getDpiForWindow(window)) {
            return dpi;
        }
    }
    WindowDC screen(nullptr);
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    return dpi > 0 ? static_cast<UINT>(dpi) : BASE_DPI;
}

HBITMAP scaledBitmap(HBITMAP source, int width, int height, int toWidth, int toHeight) {
    WindowDC screen(nullptr);
    UniqueMemoryDC from(CreateCompatibleDC(screen.get()));
    UniqueMemoryDC to(CreateCompatibleDC(screen.get()));
    UniqueBitmap copy(CreateCompatibleBitmap(screen.get(), toWidth, toHeight));
    if (!from || !to || !copy || source == nullptr) {
        return nullptr;
    }
    SelectionScope reading(from.get(), source);
    SelectionScope drawing(to.get(), copy.get());
    SetStretchBltMode(to.get(), HALFTONE);
    SetBrushOrgEx(to.get(), 0, 0, nullptr);
    if (!StretchBlt(to.get(), 0, 0, toWidth, toHeight, from.get(), 0, 0, width, height, SRCCOPY)) {
        return nullptr;
    }
    return copy.release();
}
