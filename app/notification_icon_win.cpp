#include "app/notification_icon_win.h"

#include <shellapi.h>

#include "win32/system_library.h"

bool NotificationIcon::tell(DWORD what, UINT flags) {
    using ShellNotifyIcon = BOOL WINAPI(DWORD, PNOTIFYICONDATAA);
    static auto* const notify = systemFunction<ShellNotifyIcon>("shell32.dll", "Shell_NotifyIconA");
    if (notify == nullptr) {
        return false;
    }
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = owner_;
    data.uID = NOTIFICATION_ICON_ID;
    data.uFlags = flags;
    data.uCallbackMessage = NOTIFICATION_ICON_MESSAGE;
    data.hIcon = icon_.get();
    lstrcpynA(data.szTip, tip_, sizeof data.szTip);
    data.uVersion = NOTIFYICON_VERSION_4;
    return notify(what, &data) != FALSE;
}

bool NotificationIcon::show(HWND owner, HICON icon, const char* tip) {
    icon_.reset(icon);
    lstrcpynA(tip_, tip, sizeof tip_);
    const UINT all = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    if (owner_ == owner && tell(NIM_MODIFY, all)) {
        return true;
    }
    owner_ = owner;
    // A shell that restarted has forgotten it: added afresh, in the version the messages are of.
    if (!tell(NIM_ADD, all) || !tell(NIM_SETVERSION, 0)) {
        tell(NIM_DELETE, 0);
        owner_ = nullptr;
        return false;
    }
    return true;
}

void NotificationIcon::setTip(const char* tip) {
    if (owner_ != nullptr && lstrcmpA(tip, tip_) != 0) {
        lstrcpynA(tip_, tip, sizeof tip_);
        tell(NIM_MODIFY, NIF_TIP | NIF_SHOWTIP);
    }
}

void NotificationIcon::hide() {
    if (owner_ != nullptr) {
        tell(NIM_DELETE, 0);
        owner_ = nullptr;
    }
}
