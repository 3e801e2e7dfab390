#include "dialogs/dialogs_win.h"
#include "resources/resource.h"
#include "win32/modal_dialog.h"
#include "win32/shell.h"

namespace {

// Both dialogs offer text files, also for the activities file.
const OpenFileRequest TEXT_FILE_REQUEST = {"Log files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0",
                                           "Choose a message file"};

struct FileChoiceSession : DialogSession {
    FileChoice& dialog;
    Settings& settings;
    LogFields* meter;  // the Logging dialog's; null for the Activities-file dialog

    FileChoiceSession(FileChoice& d, Settings& s, LogFields* m)
        : dialog(d), settings(s), meter(m) {}

    void carryOutDecision(HWND window) {
        if (dialog.decision.writeFields) {
            SetDlgItemTextA(window, IDC_FILE_NAME, dialog.field);
        }
        if (dialog.decision.openFile) {
            shellOpen(nullptr, dialog.browseFileName, SW_SHOWNORMAL);
        }
        carryOut(window, dialog.decision);
        if (dialog.decision.browse) {
            char picked[SETTINGS_TEXT_SIZE];
            if (chooseFileToOpen(window, dialog.browseFileName, picked, TEXT_FILE_REQUEST)) {
                dialog.filePicked(picked);
                carryOutDecision(window);
            }
        }
    }

    BOOL onInit(HWND window) {
        if (meter != nullptr) {
            dialog.opened(settings.logFile, meter->loggingEnabled);
        } else {
            dialog.opened(settings.activitiesFile);
        }
        carryOutDecision(window);
        return TRUE;
    }

    // Button clicks only: the whole parameter is the id with notification 0.
    bool onCommand(HWND window, int, int, WPARAM wParam) {
        if (wParam == IDOK) {
            readDialogText(window, IDC_FILE_NAME, dialog.field);
            if (meter != nullptr) {
                dialog.okLogging(settings.logFile, meter->logFileName, meter->loggingEnabled,
                                 IsDlgButtonChecked(window, IDC_LOGGING_ENABLED) == BST_CHECKED);
            } else {
                dialog.ok(settings.activitiesFile);
            }
        } else if (wParam == IDCANCEL) {
            dialog.cancel();
        } else if (wParam == IDC_FILE_BROWSE) {
            dialog.browseClicked();
        } else if (wParam == IDC_FILE_OPEN) {
            dialog.openClicked();
        } else {
            return false;
        }
        carryOutDecision(window);
        return true;
    }
};

}  // namespace

void runLoggingDialog(HINSTANCE instance, HWND owner, FileChoice& working, Settings& settings,
                      LogFields& log) {
    FileChoiceSession session(working, settings, &log);
    runSessionDialog(instance, IDD_LOGGING, owner, session);
}

void runActivitiesFileDialog(HINSTANCE instance, HWND owner, FileChoice& working,
                             Settings& settings) {
    FileChoiceSession session(working, settings, nullptr);
    runSessionDialog(instance, IDD_ACTIVITIES_FILE, owner, session);
}
