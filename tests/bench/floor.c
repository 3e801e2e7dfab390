/* The floor that Cointrel's costs are measured against: the least a program can do to show the
 * same thing. A captioned window with a menu, a 306 x 45 child, a 20 ms timer that asks for a
 * paint every tick, and a paint that copies eight digits from the same strip. It answers the
 * measuring tool's paint-count message as Cointrel's meter does. */
#include <windows.h>

#define CELL 36
#define HEIGHT 45
#define DIGITS 8

static HBITMAP strip;
static HDC stripDC;
static unsigned paints;
static UINT paintCountMessage;

static LRESULT CALLBACK meterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            SetTimer(window, 1, 20, NULL);
            return 0;
        case WM_TIMER:
            InvalidateRect(window, NULL, FALSE);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            int i;
            for (i = 0; i < DIGITS; ++i) {
                BitBlt(dc, 18 + i * CELL, 0, CELL, HEIGHT, stripDC, ((i + 1) % 10) * CELL, 0,
                       SRCCOPY);
            }
            EndPaint(window, &ps);
            ++paints;
            return 0;
        }
        default:
            if (message == paintCountMessage) {
                return (LRESULT)paints;
            }
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

static LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    WNDCLASSA frame = {0}, meter = {0};
    HMENU menu = CreateMenu();
    RECT size = {0, 0, 18 + DIGITS * CELL, HEIGHT};
    HWND window;
    MSG msg;
    (void)previous;
    (void)commandLine;
    paintCountMessage = RegisterWindowMessageA("Cointrel.PaintCount");
    strip = LoadBitmapA(instance, MAKEINTRESOURCEA(5));
    stripDC = CreateCompatibleDC(NULL);
    SelectObject(stripDC, strip);
    frame.lpfnWndProc = frameProc;
    frame.hInstance = instance;
    frame.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    frame.hbrBackground = (HBRUSH)(COLOR_INACTIVEBORDER + 1);
    frame.lpszClassName = "CointrelFloor";
    meter.lpfnWndProc = meterProc;
    meter.hInstance = instance;
    meter.lpszClassName = "CointrelFloorMeter";
    RegisterClassA(&frame);
    RegisterClassA(&meter);
    AppendMenuA(menu, MF_STRING, 1, "&Counter");
    AdjustWindowRect(&size, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, TRUE);
    window = CreateWindowExA(0, "CointrelFloor", "Floor", WS_POPUP | WS_CAPTION | WS_SYSMENU |
                             WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT,
                             size.right - size.left, size.bottom - size.top, NULL, menu, instance,
                             NULL);
    CreateWindowExA(0, "CointrelFloorMeter", "", WS_CHILD | WS_VISIBLE, 0, 0,
                    18 + DIGITS * CELL, HEIGHT, window, NULL, instance, NULL);
    ShowWindow(window, show);
    UpdateWindow(window);
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}
