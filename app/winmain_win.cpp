#include <windows.h>

#include "app/application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    static Application application(instance);
    HWND mainWindow = application.start(showCommand);
    if (mainWindow == nullptr) {
        return 1;  // nothing on screen could ever end a message loop
    }
    return application.run(mainWindow);
}
