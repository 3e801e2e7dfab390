#pragma once

// The one way a window finds the object behind it: the creation data handed to CreateWindowExA
// is kept in the window's user data from WM_NCCREATE, the first message to carry it, until
// WM_NCDESTROY, the last. The object's handleMessage(window, message, wParam, lParam) sees every
// message in between, in its one switch; those before and after go to the default handling.

#include <windows.h>

template <typename Owner>
LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (owner == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    const LRESULT result = owner->handleMessage(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Nothing may reach the object through a window that is gone.
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    }
    return result;
}
