#include "win_test_support.h"

#include <cstdio>

#include "win32/handles.h"

HWND createTestParent(int width, int height) {
    static bool registered = false;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = instance;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "CointrelTestParent";
        registered = RegisterClassA(&wc) != 0;
    }
    HWND window =
        CreateWindowExA(WS_EX_TOPMOST, "CointrelTestParent", "test", WS_POPUP | WS_VISIBLE, 0, 0,
                        width, height, nullptr, nullptr, instance, nullptr);
    UpdateWindow(window);
    return window;
}

std::uint32_t rgbOf(COLORREF c) {
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

Pixels capture(HDC source, int x, int y, int width, int height) {
    Pixels pixels;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap section(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDC dc(CreateCompatibleDC(source));
    if (!section || !dc || bits == nullptr) {
        return pixels;
    }
    {
        SelectionScope selected(dc.get(), section.get());
        BitBlt(dc.get(), 0, 0, width, height, source, x, y, SRCCOPY);
        GdiFlush();
    }
    pixels.width = width;
    pixels.height = height;
    const auto* p = static_cast<const std::uint32_t*>(bits);
    pixels.rgb.assign(p, p + static_cast<std::size_t>(width) * height);
    for (auto& v : pixels.rgb) {
        v &= 0xFFFFFFu;
    }
    return pixels;
}

Pixels renderLayout(const Pixels& strip, const OdometerLayout& layout, int width, int height) {
    Pixels out;
    out.width = width;
    out.height = height;
    out.rgb.assign(static_cast<std::size_t>(width) * height, strip.at(0, 0));
    for (std::size_t i = 0; i < layout.count; ++i) {
        const GlyphCopy& c = layout.copies[i];
        for (int dy = 0; dy < c.height && dy < strip.height; ++dy) {
            for (int dx = 0; dx < c.width && c.sourceX + dx < strip.width; ++dx) {
                const int x = c.x + dx, y = c.y + dy;
                if (x >= 0 && x < width && y >= 0 && y < height) {
                    out.rgb[static_cast<std::size_t>(y) * width + x] = strip.at(c.sourceX + dx, dy);
                }
            }
        }
    }
    return out;
}

bool pumpMessagesUntil(DWORD timeoutMs, const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

std::string tempPath(const char* fileName) {
    static std::string folder;
    if (folder.empty()) {
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        folder = std::string(base) + "cointrel-test-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    return folder + "\\" + fileName;
}

bool writeBitmapFile(const std::string& path, int width, int height,
                     const std::function<COLORREF(int, int)>& colourAt) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<unsigned char> rows(info.biSizeImage, 0);
    for (int y = 0; y < height; ++y) {
        unsigned char* row = rows.data() + static_cast<std::size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colourAt(x, y);
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    bool ok = std::fwrite(&file, sizeof file, 1, f) == 1 &&
              std::fwrite(&info, sizeof info, 1, f) == 1 &&
              std::fwrite(rows.data(), rows.size(), 1, f) == 1;
    ok = std::fclose(f) == 0 && ok;
    return ok;
}
