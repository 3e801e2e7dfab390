#include "app/application_win.h"

#include "resources/resource.h"

Application::Application(HINSTANCE instance, const char* settingsKey)
    : programInstance_(instance),
      store_(settingsKey),
      day_(WorkdayServices{clock_, store_, log_, ledgerFile_, names_}),
      window_(instance, day_, clock_, *this) {}

HWND Application::start(int showCommand) {
    if (!day_.load() || !window_.create()) {
        return nullptr;
    }
    // A question a crashed run left open is answered before its period is closed.
    askAboutTimeAway();
    if (day_.ended()) {
        return nullptr;  // closed meanwhile
    }
    day_.begin();
    window_.show(showCommand);
    return window_.window();
}

int Application::run() {
    HACCEL accelerators = LoadAcceleratorsA(programInstance_, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (accelerators != nullptr &&
            TranslateAcceleratorA(window_.window(), accelerators, &msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void Application::checkpointDue() {
    day_.checkpoint();
    askAboutTimeAway();
}

void Application::questionDue() {
    askAboutTimeAway();
}

void Application::powerChanged(WPARAM event) {
    if (event == PBT_APMSUSPEND) {
        day_.powerSuspended();
    } else if (event == PBT_APMRESUMESUSPEND || event == PBT_APMRESUMEAUTOMATIC) {
        day_.powerResumed();
        window_.askLater();
    }
}

void Application::sessionChanged(WPARAM event) {
    if (event == WTS_SESSION_LOCK || event == WTS_SESSION_UNLOCK) {
        day_.sessionLocked(event == WTS_SESSION_LOCK);
        window_.askLater();
    }
}

void Application::closeAsked() {
    if (day_.noticeReturn()) {
        askAboutTimeAway();
    }
    if (window_.window() != nullptr) {
        window_.close();
    }
}

void Application::destroyed() {
    day_.exit();
    PostQuitMessage(0);
}
