#pragma once

// The one way a window finds the object behind it, after the classic BaseWindow of the Windows
// samples: the creation data handed to CreateWindowExA is the object, which keeps the window's
// handle from WM_NCCREATE, the first message to carry it, until WM_NCDESTROY, the last. The
// object's handleMessage(message, wParam, lParam) sees every message in between, in its one
// switch; those before and after go to the default handling. And the one way a window class is
// registered.

#include <windows.h>

template <typename Owner>
class BaseWindow {
  public:
    // The window, from WM_NCCREATE to WM_NCDESTROY; null before and after.
    HWND window() const { return window_; }

    // The window procedure of Owner's class.
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            // A control a dialog template made has no object yet: it is adopted afterwards.
            if (auto* created = static_cast<Owner*>(
                    reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams)) {
                static_cast<BaseWindow*>(created)->window_ = window;
                SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
            }
        }
        auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (owner == nullptr) {
            return DefWindowProcA(window, message, wParam, lParam);
        }
        const LRESULT result = owner->handleMessage(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            // Nothing may reach the object through a window that is gone.
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            static_cast<BaseWindow*>(owner)->window_ = nullptr;
        }
        return result;
    }

  protected:
    BaseWindow() = default;
    ~BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    // The default handling, for what the switch leaves.
    LRESULT passOn(UINT message, WPARAM wParam, LPARAM lParam) const {
        return DefWindowProcA(window_, message, wParam, lParam);
    }
    // Takes over a window of Owner's class that was made without it (a dialog's control).
    void adopt(HWND window) {
        window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(static_cast<Owner*>(this)));
    }
    // Lets go of the window without destroying it: the object goes before it does.
    void release() {
        if (window_ != nullptr) {
            SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
            window_ = nullptr;
        }
    }

  private:
    HWND window_ = nullptr;
};

// A window class of this process as every one of them starts: `style`, `procedure`, the module,
// `name` and the arrow cursor; the rest is each class's own.
inline WNDCLASSEXA windowClass(HINSTANCE instance, const char* name, WNDPROC procedure,
                               UINT style) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    return wc;
}

// Registers a window class of this process: true when it is registered, now or before.
inline bool registerWindowClass(const WNDCLASSEXA& windowClass) {
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
