#include "dialogs/dialogs_win.h"
#include "dialogs/file_choice.h"
#include "resources/resource.h"
#include "dialogs/dialog_session_win.h"

static_assert(SETTINGS_TEXT_SIZE == DIALOG_FILE_NAME_SIZE, "browse within the setting's size");

namespace {

// What the two dialogs of one layout share: the file name shown, the file opened and browsed
// for, and the buttons but OK.
struct FileChoiceSession : DialogSession {
    FileChoice& dialog;
    Settings& settings;
    bool accepted = false;

    FileChoiceSession(FileChoice& d, Settings& s) : dialog(d), settings(s) {}

    void writeFields(HWND window) { SetDlgItemTextA(window, IDC_FILE_NAME, dialog.field); }
    const char* workingFile() const { return dialog.browseFileName; }
    // Both offer text files, also for the activities file.
    OpenFileRequest browseRequest() const {
        return {"Log files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0", "Choose a message file"};
    }
    DialogDecision filePicked(const char* path) { return dialog.filePicked(path); }

    // The clicks but OK's; false for anything else. Button clicks only: the whole parameter is
    // the id with notification 0.
    bool onOtherCommand(HWND window, WPARAM wParam) {
        if (wParam == IDCANCEL) {
            carryOut(window, *this, dialog.cancel());
        } else if (wParam == IDC_FILE_BROWSE) {
            carryOut(window, *this, dialog.browseClicked());
        } else if (wParam == IDC_FILE_OPEN) {
            carryOut(window, *this, dialog.openClicked());
        } else {
            return false;
        }
        return true;
    }
};

struct LoggingSession : FileChoiceSession {
    using FileChoiceSession::FileChoiceSession;

    BOOL onInit(HWND window) {
        carryOut(window, *this, dialog.opened(settings.logFile, settings.logging));
        return TRUE;
    }

    bool onCommand(HWND window, int, int, WPARAM wParam) {
        if (wParam != IDOK) {
            return onOtherCommand(window, wParam);
        }
        readDialogText(window, IDC_FILE_NAME, dialog.field);
        const bool checked = IsDlgButtonChecked(window, IDC_LOGGING_ENABLED) == BST_CHECKED;
        const DialogDecision decision = dialog.okLogging(settings, checked);
        accepted = decision.end;
        carryOut(window, *this, decision);
        return true;
    }
};

struct ActivitiesFileSession : FileChoiceSession {
    using FileChoiceSession::FileChoiceSession;

    BOOL onInit(HWND window) {
        carryOut(window, *this, dialog.opened(settings.activitiesFile));
        return TRUE;
    }

    bool onCommand(HWND window, int, int, WPARAM wParam) {
        if (wParam != IDOK) {
            return onOtherCommand(window, wParam);
        }
        readDialogText(window, IDC_FILE_NAME, dialog.field);
        const DialogDecision decision = dialog.ok(settings.activitiesFile);
        accepted = decision.end;
        carryOut(window, *this, decision);
        return true;
    }
};

}  // namespace

std::optional<LoggingChoice> runLoggingDialog(HINSTANCE instance, HWND owner,
                                              const Settings& settings) {
    FileChoice working;
    Settings chosen = settings;
    LoggingSession session(working, chosen);
    runSessionDialog(instance, IDD_LOGGING, owner, session);
    if (!session.accepted) {
        return std::nullopt;
    }
    LoggingChoice choice{chosen.logging, ""};
    copyText(choice.logFile, chosen.logFile);
    return choice;
}

std::optional<FileName> runActivitiesFileDialog(HINSTANCE instance, HWND owner,
                                                const Settings& settings) {
    FileChoice working;
    Settings chosen = settings;
    ActivitiesFileSession session(working, chosen);
    runSessionDialog(instance, IDD_ACTIVITIES_FILE, owner, session);
    if (!session.accepted) {
        return std::nullopt;
    }
    FileName file{""};
    copyText(file.name, chosen.activitiesFile);
    return file;
}
