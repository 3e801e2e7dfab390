#pragma once

// Owners for the Win32 handles the program keeps: each closes its handle exactly once, and none
// can be copied, so a handle never outlives or escapes the object responsible for it.

#include <windows.h>

#include <utility>

template <typename Handle, BOOL(WINAPI* Close)(Handle)>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : handle_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    Handle release() { return std::exchange(handle_, nullptr); }
    void reset(Handle h = nullptr) {
        Handle old = std::exchange(handle_, h);
        if (old != nullptr) {
            Close(old);
        }
    }

  private:
    Handle handle_ = nullptr;
};

inline BOOL WINAPI deleteBitmap(HBITMAP h) {
    return DeleteObject(h);
}
inline BOOL WINAPI deleteBrush(HBRUSH h) {
    return DeleteObject(h);
}
inline BOOL WINAPI deleteMemoryDC(HDC h) {
    return DeleteDC(h);
}
inline BOOL WINAPI closeRegKey(HKEY h) {
    return RegCloseKey(h) == ERROR_SUCCESS;
}
// A process, thread, mutex or event; those that fail as INVALID_HANDLE_VALUE are not kept here.
inline BOOL WINAPI closeKernelHandle(HANDLE h) {
    return CloseHandle(h);
}

inline BOOL WINAPI destroyIcon(HICON h) {
    return DestroyIcon(h);
}
inline BOOL WINAPI destroyMenu(HMENU h) {
    return DestroyMenu(h);
}

using UniqueBitmap = UniqueHandle<HBITMAP, deleteBitmap>;
using UniqueIcon = UniqueHandle<HICON, destroyIcon>;
using UniqueMenu = UniqueHandle<HMENU, destroyMenu>;
using UniqueBrush = UniqueHandle<HBRUSH, deleteBrush>;
using UniqueMemoryDC = UniqueHandle<HDC, deleteMemoryDC>;
using UniqueRegKey = UniqueHandle<HKEY, closeRegKey>;
using UniqueKernelHandle = UniqueHandle<HANDLE, closeKernelHandle>;

// A window's device context, borrowed for one scope.
class WindowDC {
  public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// BeginPaint and EndPaint as one scope.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC get() const { return dc_; }
    // The part of the window that needs painting.
    const RECT& area() const { return paint_.rcPaint; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a context for one scope and puts the previous one back.
class SelectionScope {
  public:
    SelectionScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectionScope() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            SelectObject(dc_, previous_);
        }
    }
    SelectionScope(const SelectionScope&) = delete;
    SelectionScope& operator=(const SelectionScope&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};
