// Drives a running Cointrel from outside, as a user's desktop would: finds its main window by
// class, reads it, sends it commands, and checks what its meter shows on the screen.
//
//   driver wait-window MS          wait until the main window is shown
//   driver wait-gone MS            wait until it is gone
//   driver title                   print the title
//   driver geometry                print left top right bottom clientWidth clientHeight
//                                  topmost visible
//   driver command ID              send WM_COMMAND (and wait until it is handled)
//   driver post ID                 post WM_COMMAND (a command that opens a dialog)
//   driver syscommand ID           send WM_SYSCOMMAND
//   driver syspost ID              post WM_SYSCOMMAND (a system-menu item that opens a dialog)
//   driver key VK                  press and release a key in the main window
//   driver launch EXE CLASS METER MS
//                                  start EXE and print the milliseconds until its window of
//                                  CLASS has a child of class METER that has painted
//   driver paints CLASS METER      print the paints of that child so far
//   driver close-class CLASS       post WM_CLOSE to the window of CLASS
//   driver record FILE ...         write this program's own command line into FILE (a stand-in
//                                  for a browser that the registry names)
//   driver endsession 0|1          send WM_ENDSESSION
//   driver close                   post WM_CLOSE
//   driver close-wait MS           post WM_CLOSE and wait until the program has ended
//   driver pid                     print the Windows process id of the window's program
//   driver count                   print how many main windows of Cointrel there are
//   driver move X Y                move the main window
//   driver checksum                print a checksum of the meter's pixels on screen
//   driver panel-text              print the meter's window text, as a screen reader reads it
//   driver edges                   print how wide the meter's glyph edges are on screen: the
//                                  mean run of part-grey pixels between paper and ink, x 100
//   driver dialog-wait CAPTION MS  wait until a dialog with that caption is shown
//   driver dialog-gone CAPTION MS  wait until it is gone
//   driver dialog-text CAPTION ID  print a control's text
//   driver dialog-set CAPTION ID TEXT
//                                  set a control's text, as typing would
//   driver dialog-focus CAPTION ID move the focus to a control (the field left is applied)
//   driver dialog-click CAPTION ID click a button (and wait until the click is handled)
//   driver dialog-post CAPTION ID  post a button's click (a button that opens a dialog)
//   driver dialog-list CAPTION ID ROW COLUMN
//                                  print the text of a list-view's item
//   driver dialog-checked CAPTION ID
//                                  print 1 when a button is checked, else 0
//   driver icon EVENT              post the notification icon's message for EVENT (a WM_ or
//                                  NIN_ number) with the pointer at the window's top left
//   driver menu-keys MS VK...      wait until a pop-up menu of Cointrel is shown, then press
//                                  the keys in it
//   driver meter CURRENCY TOTAL DECIMALS
//                                  check the meter on screen shows TOTAL from the built-in
//                                  strip of CURRENCY, its turning wheel at any offset
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "win32/handles.h"
#include "meter/currency.h"
#include "meter/digits_bitmap_win.h"
#include "meter/odometer.h"
#include "tests/win/win_test_support.h"

namespace {

HWND mainWindow() {
    return FindWindowA("Cointrel", nullptr);
}

HWND dialogWindow(const char* caption) {
    return FindWindowA("#32770", caption);
}

bool waitFor(DWORD ms, bool wantShown, const char* dialogCaption = nullptr) {
    const DWORD start = GetTickCount();
    do {
        HWND w = dialogCaption != nullptr ? dialogWindow(dialogCaption) : mainWindow();
        const bool shown = w != nullptr && IsWindowVisible(w);
        if (shown == wantShown) {
            return true;
        }
        Sleep(50);
    } while (GetTickCount() - start < ms);
    return false;
}

Pixels clientOnScreen(HWND w) {
    RECT client{};
    GetClientRect(w, &client);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    HDC screen = GetDC(nullptr);
    Pixels p = capture(screen, origin.x, origin.y, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    return p;
}

// The meter must equal the layout of total with its turning wheels at some one offset.
int checkMeter(HWND w, int currency, double total, int decimals) {
    UniqueBitmap bitmap(loadDigitsBitmap(GetModuleHandleA(nullptr), currency, ""));
    BITMAP info{};
    if (!bitmap || GetObjectA(bitmap.get(), sizeof info, &info) == 0) {
        std::fprintf(stderr, "no strip for currency %d\n", currency);
        return 2;
    }
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    Pixels strip;
    {
        SelectionScope selected(dc.get(), bitmap.get());
        strip = capture(dc.get(), 0, 0, info.bmWidth, info.bmHeight);
    }
    const PanelGeometry g = panelGeometry(info.bmWidth, info.bmHeight, 8, true);
    const Pixels shown = clientOnScreen(w);
    if (shown.width != g.width || shown.height != g.height) {
        std::fprintf(stderr, "client area %dx%d, meter %dx%d\n", shown.width, shown.height, g.width,
                     g.height);
        return 1;
    }
    OdometerLayout layout = layoutOdometer(total, decimals, g.cellWidth, g.cellHeight, g.width);
    std::size_t best = shown.rgb.size();
    for (int off = 0; off < g.cellHeight; ++off) {
        for (std::size_t i = 0; i + 1 < layout.count; ++i) {
            if (layout.copies[i + 1].x == layout.copies[i].x) {  // a turning pair
                layout.copies[i].y = -off;
                layout.copies[++i].y = g.cellHeight - off;
            }
        }
        const Pixels expected = renderLayout(strip, layout, g.width, g.height);
        std::size_t wrong = 0;
        for (std::size_t p = 0; p < expected.rgb.size(); ++p) {
            wrong += expected.rgb[p] != shown.rgb[p];
        }
        if (wrong == 0) {
            return 0;
        }
        best = wrong < best ? wrong : best;
    }
    std::fprintf(stderr, "meter differs from %.4f: %zu pixels at best\n", total, best);
    return 1;
}

// The icon's verbs; 2 for a verb that is not one of them. The icon's message and id are those
// the architecture note gives automation: WM_APP + 1, and 1.
int iconVerb(HWND w, const char* verb, int argc, char** argv) {
    if (std::strcmp(verb, "icon") == 0 && argc == 3) {
        RECT r{};
        GetWindowRect(w, &r);
        const auto event = static_cast<WORD>(std::strtol(argv[2], nullptr, 0));
        return PostMessageA(w, WM_APP + 1, MAKEWPARAM(r.left, r.top), MAKELPARAM(event, 1)) ? 0 : 1;
    }
    if (std::strcmp(verb, "menu-keys") != 0 || argc < 4) {
        return 2;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    const DWORD start = GetTickCount();
    for (HWND menu = nullptr;; Sleep(50)) {
        while ((menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(menu, &owner);
            if (owner == process && IsWindowVisible(menu)) {
                break;
            }
        }
        if (menu != nullptr) {
            break;
        }
        if (GetTickCount() - start > static_cast<DWORD>(std::strtol(argv[2], nullptr, 10))) {
            std::fprintf(stderr, "no menu of Cointrel shown\n");
            return 1;
        }
    }
    // A menu being tracked takes the keys its thread is sent, whichever window they name.
    for (int i = 3; i < argc; ++i) {
        const auto key = static_cast<WPARAM>(std::strtol(argv[i], nullptr, 0));
        PostMessageA(w, WM_KEYDOWN, key, 1);
        PostMessageA(w, WM_KEYUP, key, 0xC0000001);
    }
    return 0;
}

}  // namespace

// The dialog verbs; 2 for a verb that is not one of them.
int dialogVerb(const char* verb, int argc, char** argv) {
    if (argc < 4) {
        return 2;
    }
    const char* caption = argv[2];
    const DWORD ms = static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10));
    if (std::strcmp(verb, "dialog-wait") == 0) {
        return waitFor(ms, true, caption) ? 0 : 1;
    }
    if (std::strcmp(verb, "dialog-gone") == 0) {
        return waitFor(ms, false, caption) ? 0 : 1;
    }
    HWND d = dialogWindow(caption);
    if (d == nullptr) {
        std::fprintf(stderr, "no dialog %s\n", caption);
        return 1;
    }
    const int id = static_cast<int>(std::strtol(argv[3], nullptr, 10));
    HWND control = GetDlgItem(d, id);
    if (std::strcmp(verb, "dialog-text") == 0) {
        char text[1024] = "";
        GetDlgItemTextA(d, id, text, sizeof text);
        std::printf("%s\n", text);
    } else if (std::strcmp(verb, "dialog-set") == 0 && argc == 5) {
        SetDlgItemTextA(d, id, argv[4]);
    } else if (std::strcmp(verb, "dialog-focus") == 0) {
        SendMessageA(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    } else if (std::strcmp(verb, "dialog-click") == 0) {
        SendMessageA(control, BM_CLICK, 0, 0);
    } else if (std::strcmp(verb, "dialog-post") == 0) {
        PostMessageA(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    } else if (std::strcmp(verb, "dialog-list") == 0 && argc == 6) {
        // The item is asked for in the dialog's own memory: a list-view writes where it is told.
        DWORD id = 0;
        GetWindowThreadProcessId(d, &id);
        UniqueKernelHandle process(
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id));
        char* remote = process ? static_cast<char*>(VirtualAllocEx(process.get(), nullptr, 4096,
                                                                   MEM_COMMIT, PAGE_READWRITE))
                               : nullptr;
        if (remote == nullptr) {
            std::fprintf(stderr, "cannot reach the dialog's memory\n");
            return 1;
        }
        LVITEMA item{};
        item.iSubItem = std::atoi(argv[5]);
        item.pszText = remote + 512;
        item.cchTextMax = 512;
        char text[512] = "";
        WriteProcessMemory(process.get(), remote, &item, sizeof item, nullptr);
        SendMessageA(control, LVM_GETITEMTEXTA, std::strtoul(argv[4], nullptr, 10),
                     reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process.get(), remote + 512, text, sizeof text - 1, nullptr);
        VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
        std::printf("%s\n", text);
    } else if (std::strcmp(verb, "dialog-rect") == 0) {
        // The control's rectangle in the dialog's client area, then that area's width and height.
        RECT r{}, client{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&r), 2);
        GetClientRect(d, &client);
        std::printf("%ld %ld %ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom, client.right,
                    client.bottom);
    } else if (std::strcmp(verb, "dialog-checked") == 0) {
        std::printf("%d\n", SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    } else {
        return 2;
    }
    return 0;
}

// The meter child of a program's window, or null.
HWND meterOf(const char* frameClass, const char* meterClass) {
    HWND frame = FindWindowA(frameClass, nullptr);
    return frame != nullptr ? FindWindowExA(frame, nullptr, meterClass, nullptr) : nullptr;
}

// The paints of a meter window so far; -1 when it does not answer.
long paintsOf(HWND meter) {
    const UINT message = RegisterWindowMessageA("Cointrel.PaintCount");
    DWORD_PTR paints = 0;
    if (meter == nullptr ||
        SendMessageTimeoutA(meter, message, 0, 0, SMTO_ABORTIFHUNG, 1000, &paints) == 0) {
        return -1;
    }
    return static_cast<long>(paints);
}

// The measuring verbs; 2 for a verb that is not one of them.
int benchVerb(const char* verb, int argc, char** argv) {
    if (std::strcmp(verb, "launch") == 0 && argc == 6) {
        LARGE_INTEGER frequency, start, now;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(argv[2], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
            std::fprintf(stderr, "cannot start %s\n", argv[2]);
            return 1;
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        const double limit = std::strtod(argv[5], nullptr);
        for (;;) {
            QueryPerformanceCounter(&now);
            const double ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                              static_cast<double>(frequency.QuadPart);
            if (paintsOf(meterOf(argv[3], argv[4])) > 0) {
                std::printf("%.1f\n", ms);
                return 0;
            }
            if (ms > limit) {
                std::fprintf(stderr, "no paint from %s\n", argv[2]);
                return 1;
            }
            Sleep(1);
        }
    }
    if (std::strcmp(verb, "paints") == 0 && argc == 4) {
        const long paints = paintsOf(meterOf(argv[2], argv[3]));
        std::printf("%ld\n", paints);
        return paints < 0 ? 1 : 0;
    }
    if (std::strcmp(verb, "close-class") == 0 && argc == 3) {
        return PostMessageA(FindWindowA(argv[2], nullptr), WM_CLOSE, 0, 0) ? 0 : 1;
    }
    return 2;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: driver COMMAND [ARGUMENTS]\n");
        return 2;
    }
    const char* verb = argv[1];
    const auto number = [&](int i) { return i < argc ? std::strtol(argv[i], nullptr, 10) : 0L; };
    if (std::strcmp(verb, "wait-window") == 0) {
        return waitFor(static_cast<DWORD>(number(2)), true) ? 0 : 1;
    }
    if (std::strcmp(verb, "wait-gone") == 0) {
        return waitFor(static_cast<DWORD>(number(2)), false) ? 0 : 1;
    }
    const int measured = benchVerb(verb, argc, argv);
    if (measured != 2) {
        return measured;
    }
    if (std::strcmp(verb, "record") == 0 && argc >= 3) {
        FILE* out = std::fopen(argv[2], "w");
        return out != nullptr && std::fputs(GetCommandLineA(), out) >= 0 && std::fclose(out) == 0
                   ? 0
                   : 1;
    }
    if (std::strcmp(verb, "load-library") == 0 && argc == 3) {
        // Plainly, by name, as a program that does not guard its search would.
        return LoadLibraryA(argv[2]) != nullptr ? 0 : 1;
    }
    if (std::strncmp(verb, "dialog-", 7) == 0) {
        const int result = dialogVerb(verb, argc, argv);
        if (result == 2) {
            std::fprintf(stderr, "driver: bad use of %s\n", verb);
        }
        return result;
    }
    if (std::strcmp(verb, "count") == 0) {
        int count = 0;
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "Cointrel", nullptr)) != nullptr;) {
            ++count;
        }
        std::printf("%d\n", count);
        return 0;
    }
    HWND w = mainWindow();
    if (w == nullptr) {
        std::fprintf(stderr, "no Cointrel window\n");
        return 1;
    }
    const int iconic = iconVerb(w, verb, argc, argv);
    if (iconic != 2) {
        return iconic;
    }
    if (std::strcmp(verb, "title") == 0) {
        char title[512] = "";
        GetWindowTextA(w, title, sizeof title);
        std::printf("%s\n", title);
    } else if (std::strcmp(verb, "geometry") == 0) {
        RECT r{}, c{};
        GetWindowRect(w, &r);
        GetClientRect(w, &c);
        const bool topMost = (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        std::printf("%ld %ld %ld %ld %ld %ld %d %d\n", r.left, r.top, r.right, r.bottom, c.right,
                    c.bottom, topMost ? 1 : 0, IsWindowVisible(w) ? 1 : 0);
    } else if (std::strcmp(verb, "command") == 0) {
        SendMessageA(w, WM_COMMAND, static_cast<WPARAM>(number(2)), 0);
    } else if (std::strcmp(verb, "post") == 0) {
        PostMessageA(w, WM_COMMAND, static_cast<WPARAM>(number(2)), 0);
    } else if (std::strcmp(verb, "syspost") == 0) {
        PostMessageA(w, WM_SYSCOMMAND, static_cast<WPARAM>(number(2)), 0);
    } else if (std::strcmp(verb, "key") == 0) {
        PostMessageA(w, WM_KEYDOWN, static_cast<WPARAM>(number(2)), 1);
        PostMessageA(w, WM_KEYUP, static_cast<WPARAM>(number(2)), 0xC0000001);
    } else if (std::strcmp(verb, "syscommand") == 0) {
        SendMessageA(w, WM_SYSCOMMAND, static_cast<WPARAM>(number(2)), 0);
    } else if (std::strcmp(verb, "session") == 0) {
        // As the session's notifications come: 7 locked, 8 unlocked.
        PostMessageA(w, WM_WTSSESSION_CHANGE, static_cast<WPARAM>(number(2)), 0);
    } else if (std::strcmp(verb, "input") == 0) {
        // A mouse movement of nothing: input, as far as the system's idle time goes.
        INPUT moved{};
        moved.type = INPUT_MOUSE;
        moved.mi.dwFlags = MOUSEEVENTF_MOVE;
        return SendInput(1, &moved, sizeof moved) == 1 ? 0 : 1;
    } else if (std::strcmp(verb, "endsession") == 0) {
        SendMessageA(w, WM_ENDSESSION, static_cast<WPARAM>(number(2)), 0);
    } else if (std::strcmp(verb, "move") == 0) {
        SetWindowPos(w, nullptr, static_cast<int>(number(2)), static_cast<int>(number(3)), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (std::strcmp(verb, "close") == 0) {
        PostMessageA(w, WM_CLOSE, 0, 0);
    } else if (std::strcmp(verb, "pid") == 0) {
        DWORD id = 0;
        GetWindowThreadProcessId(w, &id);
        std::printf("%lu\n", id);
    } else if (std::strcmp(verb, "close-wait") == 0) {
        DWORD id = 0;
        GetWindowThreadProcessId(w, &id);
        UniqueKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
        PostMessageA(w, WM_CLOSE, 0, 0);
        if (!process ||
            WaitForSingleObject(process.get(), static_cast<DWORD>(number(2))) != WAIT_OBJECT_0) {
            std::fprintf(stderr, "cointrel.exe did not end\n");
            return 1;
        }
    } else if (std::strcmp(verb, "panel-text") == 0) {
        char text[400] = "";
        GetWindowTextA(FindWindowExA(w, nullptr, "KettPanel Class", nullptr), text, sizeof text);
        std::printf("%s\n", text);
    } else if (std::strcmp(verb, "edges") == 0) {
        const Pixels p = clientOnScreen(w);
        long runs = 0, widths = 0;
        for (int y = 0; y < p.height; ++y) {
            int kind = 0, run = 0;  // of the last pixel: 1 paper, 2 ink, 0 neither yet
            for (int x = 0; x < p.width; ++x) {
                const std::uint32_t c = p.at(x, y);
                const int grey = static_cast<int>((c >> 16 & 255) + (c >> 8 & 255) + (c & 255)) / 3;
                const int now = grey >= 240 ? 1 : grey <= 64 ? 2 : 3;
                if (now == 3) {
                    ++run;
                    continue;
                }
                if (run > 0 && kind != 0 && kind != now) {  // an edge from paper to ink or back
                    ++runs;
                    widths += run;
                }
                kind = now;
                run = 0;
            }
        }
        std::printf("%ld\n", runs > 0 ? widths * 100 / runs : 0);
    } else if (std::strcmp(verb, "checksum") == 0) {
        const Pixels p = clientOnScreen(w);
        unsigned long long sum = 1469598103934665603ull;
        for (auto v : p.rgb) {
            sum = (sum ^ v) * 1099511628211ull;
        }
        std::printf("%016llx\n", sum);
    } else if (std::strcmp(verb, "meter") == 0 && argc == 5) {
        return checkMeter(w, static_cast<int>(number(2)), std::strtod(argv[3], nullptr),
                          static_cast<int>(number(4)));
    } else {
        std::fprintf(stderr, "driver: unknown command %s\n", verb);
        return 2;
    }
    return 0;
}
