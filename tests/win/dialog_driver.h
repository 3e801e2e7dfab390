#pragma once

// Driving modal dialogs as a user would. A dialog opened by a posted command runs its own loop
// on this thread, so the steps run on a thread of their own and reach it with messages.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Runs `drive` on another thread while this one runs `open`, which shows a modal dialog, and
// then pumps messages. Dialogs this thread still has open when drive returns are closed, so a
// failed step never hangs the test. False when drive did not finish in time.
bool driveDialog(const std::function<void()>& open, const std::function<void()>& drive,
                 DWORD timeoutMs = 20000);
// The same for the dialog that `command` opens from `window`.
bool driveDialog(HWND window, unsigned command, const std::function<void()>& drive);

// A visible window of this process with that caption; null after the time runs out.
HWND waitForDialog(const char* caption, DWORD timeoutMs = 5000);
// Waits until no window of this process has that caption.
bool waitForDialogGone(const char* caption, DWORD timeoutMs = 5000);

std::string controlText(HWND dialog, int id);
void typeInto(HWND dialog, int id, const char* text);  // replaces the text, as typing would
void focusControl(HWND dialog, int id);
void leaveField(HWND dialog);                  // Tab to the next control
void pressKey(HWND dialog, int id, WORD key);  // Enter or Escape, in control id
void click(HWND dialog, int id);               // returns once the click is handled
void clickLater(HWND dialog, int id);          // for a button that opens a dialog of its own
bool isChecked(HWND dialog, int id);
HWND focusedWindow(HWND dialog);

// The controls of a dialog template as its resource holds them, in template order.
struct TemplateControl {
    int id;
    std::string className;  // "Button", "Edit", "Static"
    std::string caption;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
};
struct DialogTemplate {
    bool found = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    short cx = 0, cy = 0;
    std::string caption;
    std::string font;
    int pointSize = 0;
    std::vector<TemplateControl> controls;
};
DialogTemplate loadDialogTemplate(int id);

// Checks a template against its table: the dialog's caption, size, font and frame, and each
// control's id, kind, caption, style bits and rectangle, in tab order.
void expectTemplate(int id, const char* caption, short cx, short cy, bool contextHelp,
                    const std::vector<TemplateControl>& controls);
