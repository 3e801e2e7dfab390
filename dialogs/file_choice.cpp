#include "dialogs/file_choice.h"

#include "resources/resource.h"

void FileChoice::opened(const char* fileName) {
    decision = {};
    copyText(field, fileName);
    copyText(browseFileName, fileName);
    decision.writeFields = true;
}

void FileChoice::opened(const char* fileName, bool loggingEnabled) {
    opened(fileName);
    decision.check(IDC_LOGGING_ENABLED, loggingEnabled);
}

void FileChoice::browseClicked() {
    decision = {};
    decision.browse = true;
}

void FileChoice::filePicked(const char* path) {
    decision = {};
    copyText(browseFileName, path);
    copyText(field, browseFileName);
    decision.writeFields = true;
}

void FileChoice::openClicked() {
    decision = {};
    decision.openFile = true;
}

void FileChoice::ok(char (&fileName)[SETTINGS_TEXT_SIZE]) {
    decision = {};
    copyText(fileName, field);
    decision.endWith(0);
}

void FileChoice::cancel() {
    decision = {};
    decision.endWith(0);
}
