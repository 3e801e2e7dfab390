#pragma once

#include <windows.h>

#include "win32/system_library.h"

// A window's timer that the system may line up with other wake-ups, within an eighth of its
// period: SetCoalescableTimer where the system has it (Windows 8 on), SetTimer before that.
inline void setCoalescedTimer(HWND window, UINT_PTR id, UINT period) {
    using SetCoalescableTimer = UINT_PTR WINAPI(HWND, UINT_PTR, UINT, TIMERPROC, ULONG);
    static auto* const setCoalescableTimer =
        systemFunction<SetCoalescableTimer>("user32.dll", "SetCoalescableTimer");
    if (setCoalescableTimer == nullptr ||
        setCoalescableTimer(window, id, period, nullptr, period / 8) == 0) {
        SetTimer(window, id, period, nullptr);
    }
}
