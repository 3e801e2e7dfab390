#pragma once

#include <windows.h>

#include "win32/handles.h"

// The icon in the notification area, as automation may drive it: NOTIFYICON_VERSION_4, icon id
// 1, and this callback message, whose lParam holds the event in its low word and the icon id in
// its high word, and whose wParam holds the pointer's screen position (x low, y high).
constexpr UINT NOTIFICATION_ICON_MESSAGE = WM_APP + 1;
constexpr UINT NOTIFICATION_ICON_ID = 1;

// The program's icon in the notification area, for as long as it is shown.
class NotificationIcon {
  public:
    NotificationIcon() = default;
    NotificationIcon(const NotificationIcon&) = delete;
    NotificationIcon& operator=(const NotificationIcon&) = delete;
    ~NotificationIcon() { hide(); }

    // Shows `icon` (taken over) for `owner`, which the callback message tells of the pointer and
    // the keyboard, or replaces the one shown; false when there is no notification area (or no
    // shell to ask).
    bool show(HWND owner, HICON icon, const char* tip);
    // The tip the pointer shows, changed only when it is another.
    void setTip(const char* tip);
    void hide();
    bool shown() const { return owner_ != nullptr; }

  private:
    bool tell(DWORD what, UINT flags);

    HWND owner_ = nullptr;
    UniqueIcon icon_;
    char tip_[128] = "";
};
