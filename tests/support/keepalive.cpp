// Holds a hidden window open so that Wine keeps its desktop between test programs; otherwise
// every GUI test pays for the desktop's restart. Ends when its window is closed or it is killed.
//
// It also keeps an icon in the notification area, as a real desktop always has some: Wine's
// tray hides its window when its last icon goes, and waits up to two seconds for the display to
// confirm, which every program ending with an icon would otherwise pay for.
#include <windows.h>

#include <shellapi.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = "CointrelTestKeepAlive";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                  instance, nullptr);
    NOTIFYICONDATAA icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    lstrcpynA(icon.szTip, "Test session", sizeof icon.szTip);
    Shell_NotifyIconA(NIM_ADD, &icon);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageA(&msg);
    }
    return 0;
}
