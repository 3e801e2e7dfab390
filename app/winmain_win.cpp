#include <windows.h>

#include <objbase.h>

#include "app/application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // The shell's "open" action, which the dialogs use, wants COM in a single-threaded apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    static Application application(instance);
    HWND mainWindow = application.start(showCommand);
    if (mainWindow == nullptr) {
        return 1;  // nothing on screen could ever end a message loop
    }
    const int result = application.run(mainWindow);
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return result;
}
