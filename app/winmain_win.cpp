#include <windows.h>

#include "app/application_win.h"
#include "win32/handles.h"
#include "win32/system_library.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    loadLibrariesFromSystemOnly();
    // One counter per user session, from whatever folder it is started: two would count the same
    // time twice, and the last to close would overwrite the other's total. A second start shows
    // the first and leaves, before it reads or writes anything of the user's.
    UniqueKernelHandle running(CreateMutexA(nullptr, FALSE, "Local\\Marrowfen.Cointrel"));
    if (running && GetLastError() == ERROR_ALREADY_EXISTS) {
        if (HWND first = FindWindowA(MAIN_CLASS_NAME, nullptr)) {
            if (IsIconic(first)) {
                ShowWindow(first, SW_RESTORE);
            }
            SetForegroundWindow(first);
        }
        return 0;
    }
    static Application application(instance);
    HWND mainWindow = application.start(showCommand);
    if (mainWindow == nullptr) {
        return 1;  // nothing on screen could ever end a message loop
    }
    return application.run();
}
