#include "dialog_driver.h"

#include <gtest/gtest.h>

#include <atomic>

#include "win_test_support.h"

namespace {

struct CaptionSearch {
    const char* caption;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK findCaption(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<CaptionSearch*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    if (process == GetCurrentProcessId() && (!search->visibleOnly || IsWindowVisible(window)) &&
        std::string(text) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A shown dialog; or, to tell that one is gone, any window of that caption: an ended dialog
// is hidden first and destroyed, with what it releases, only after its loop has ended.
HWND findDialog(const char* caption, bool visibleOnly) {
    CaptionSearch search{caption, visibleOnly, nullptr};
    EnumWindows(findCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK closeDialog(HWND window, LPARAM lParam) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && IsWindowVisible(window)) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        ++*reinterpret_cast<int*>(lParam);
    }
    return TRUE;
}

// Asks every dialog of the thread to close; how many were still open.
int closeDialogs(DWORD thread) {
    int open = 0;
    EnumThreadWindows(thread, closeDialog, reinterpret_cast<LPARAM>(&open));
    return open;
}

std::string wide(const WCHAR*& p) {
    std::string out;
    for (; *p != 0; ++p) {
        out += static_cast<char>(*p);
    }
    ++p;
    return out;
}

// A name or an ordinal, as a template stores a class, a caption or a menu.
std::string nameOrOrdinal(const WCHAR*& p) {
    if (*p == 0xFFFF) {
        const WCHAR ordinal = p[1];
        p += 2;
        switch (ordinal) {
            case 0x80:
                return "Button";
            case 0x81:
                return "Edit";
            case 0x82:
                return "Static";
            default:
                return "#" + std::to_string(ordinal);
        }
    }
    return wide(p);
}

const BYTE* alignToDword(const void* p, const BYTE* base) {
    const auto offset = static_cast<std::size_t>(static_cast<const BYTE*>(p) - base);
    return base + ((offset + 3) & ~std::size_t{3});
}

}  // namespace

bool driveDialog(const std::function<void()>& open, const std::function<void()>& drive,
                 DWORD timeoutMs) {
    struct Driver {
        const std::function<void()>& drive;
        DWORD uiThread;
        std::atomic<bool> done{false};
    } driver{drive, GetCurrentThreadId()};
    const auto run = [](void* context) -> DWORD {
        auto* d = static_cast<Driver*>(context);
        d->drive();
        // Whatever is still open is closed, and its loop ends.
        for (int i = 0; i < 100 && closeDialogs(d->uiThread) > 0; ++i) {
            Sleep(50);
        }
        d->done = true;
        return 0;
    };
    HANDLE thread = CreateThread(nullptr, 0, run, &driver, 0, nullptr);
    if (thread == nullptr) {
        return false;
    }
    open();
    const bool finished = pumpMessagesUntil(timeoutMs, [&] { return driver.done.load(); });
    if (!finished) {
        closeDialogs(driver.uiThread);
        pumpMessagesUntil(5000, [&] { return driver.done.load(); });
    }
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return finished;
}

bool driveDialog(HWND window, unsigned command, const std::function<void()>& drive) {
    // Posted, as a menu posts it; the loop that pumps messages then runs the dialog.
    return driveDialog([=] { PostMessageA(window, WM_COMMAND, command, 0); }, drive);
}

HWND waitForDialog(const char* caption, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND found = findDialog(caption, true)) {
            return found;
        }
        if (GetTickCount() - start > timeoutMs) {
            return nullptr;
        }
        Sleep(20);
    }
}

bool waitForDialogGone(const char* caption, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (findDialog(caption, false) != nullptr) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

std::string controlText(HWND dialog, int id) {
    char text[1024] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void typeInto(HWND dialog, int id, const char* text) {
    SetDlgItemTextA(dialog, id, text);
}

void focusControl(HWND dialog, int id) {
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

void leaveField(HWND dialog) {
    SendMessageA(dialog, WM_NEXTDLGCTL, 0, FALSE);
}

void pressKey(HWND dialog, int id, WORD key) {
    HWND control = GetDlgItem(dialog, id);
    PostMessageA(control, WM_KEYDOWN, key, 1);
    PostMessageA(control, WM_KEYUP, key, 0xC0000001);
}

void click(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void clickLater(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool isChecked(HWND dialog, int id) {
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND focusedWindow(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
}

DialogTemplate loadDialogTemplate(int id) {
    DialogTemplate t;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    const auto* base = static_cast<const BYTE*>(LockResource(LoadResource(instance, resource)));
    if (base == nullptr) {
        return t;
    }
    const auto* words = reinterpret_cast<const WORD*>(base);
    if (words[0] != 1 || words[1] != 0xFFFF) {  // DIALOGEX only
        return t;
    }
    const auto* dwords = reinterpret_cast<const DWORD*>(base + 4);
    t.exStyle = dwords[1];
    t.style = dwords[2];
    const WORD count = *reinterpret_cast<const WORD*>(base + 16);
    const auto* shorts = reinterpret_cast<const short*>(base + 18);
    t.cx = shorts[2];
    t.cy = shorts[3];
    const WCHAR* p = reinterpret_cast<const WCHAR*>(base + 26);
    nameOrOrdinal(p);  // menu
    nameOrOrdinal(p);  // class
    t.caption = wide(p);
    if (t.style & DS_SETFONT) {
        t.pointSize = p[0];
        p += 3;  // point size, weight, italic and charset
        t.font = wide(p);
    }
    for (WORD i = 0; i < count; ++i) {
        const BYTE* item = alignToDword(p, base);
        const auto* d = reinterpret_cast<const DWORD*>(item);
        const auto* s = reinterpret_cast<const short*>(item + 12);
        TemplateControl c{static_cast<int>(*reinterpret_cast<const DWORD*>(item + 20)),
                          "",
                          "",
                          d[2],
                          d[1],
                          s[0],
                          s[1],
                          s[2],
                          s[3]};
        p = reinterpret_cast<const WCHAR*>(item + 24);
        c.className = nameOrOrdinal(p);
        for (const char* known : {"Button", "Edit", "Static"}) {
            if (lstrcmpiA(c.className.c_str(), known) == 0) {
                c.className = known;  // a resource compiler may store the name in capitals
            }
        }
        c.caption = nameOrOrdinal(p);
        const WORD extra = *p++;
        p = reinterpret_cast<const WCHAR*>(reinterpret_cast<const BYTE*>(p) + extra);
        t.controls.push_back(c);
    }
    t.found = true;
    return t;
}

void expectTemplate(int id, const char* caption, short cx, short cy, bool contextHelp,
                    const std::vector<TemplateControl>& controls) {
    const DialogTemplate t = loadDialogTemplate(id);
    ASSERT_TRUE(t.found) << id;
    EXPECT_EQ(t.caption, caption);
    EXPECT_EQ(t.cx, cx);
    EXPECT_EQ(t.cy, cy);
    EXPECT_EQ(t.font, "MS Sans Serif");
    EXPECT_EQ(t.pointSize, 8);
    const DWORD frame = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    EXPECT_EQ(t.style & frame, frame) << caption;
    EXPECT_EQ((t.style & DS_CONTEXTHELP) != 0, contextHelp) << caption;
    EXPECT_EQ(t.style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0u) << caption;
    ASSERT_EQ(t.controls.size(), controls.size()) << caption;
    // Control styles: the kind's own bits and the tab and group bits; the rest is the system's.
    const DWORD compared = 0xFFFF | WS_TABSTOP | WS_GROUP | WS_BORDER;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const TemplateControl& want = controls[i];
        const TemplateControl& got = t.controls[i];
        EXPECT_EQ(got.id, want.id) << caption << " #" << i;
        EXPECT_EQ(got.className, want.className) << caption << " " << want.id;
        EXPECT_EQ(got.caption, want.caption) << caption << " " << want.id;
        EXPECT_EQ(got.style & compared, want.style) << caption << " " << want.id;
        EXPECT_EQ(got.exStyle, want.exStyle) << caption << " " << want.id;
        EXPECT_EQ(got.x, want.x) << caption << " " << want.id;
        EXPECT_EQ(got.y, want.y) << caption << " " << want.id;
        EXPECT_EQ(got.cx, want.cx) << caption << " " << want.id;
        EXPECT_EQ(got.cy, want.cy) << caption << " " << want.id;
    }
}
