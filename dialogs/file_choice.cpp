#include "dialogs/file_choice.h"

#include "resources/resource.h"

DialogDecision FileChoice::opened(const char* fileName) {
    copyText(field, fileName);
    copyText(browseFileName, fileName);
    DialogDecision decision;
    decision.writeFields = true;
    return decision;
}

DialogDecision FileChoice::opened(const char* fileName, bool loggingEnabled) {
    DialogDecision decision = opened(fileName);
    decision.check(IDC_LOGGING_ENABLED, loggingEnabled);
    return decision;
}

DialogDecision FileChoice::browseClicked() {
    DialogDecision decision;
    decision.browse = true;
    return decision;
}

DialogDecision FileChoice::filePicked(const char* path) {
    copyText(browseFileName, path);
    copyText(field, browseFileName);
    DialogDecision decision;
    decision.writeFields = true;
    return decision;
}

DialogDecision FileChoice::openClicked() {
    DialogDecision decision;
    decision.openFile = true;
    return decision;
}

DialogDecision FileChoice::ok(char (&fileName)[SETTINGS_TEXT_SIZE]) {
    copyText(fileName, field);
    return DialogDecision::ending(0);
}

DialogDecision FileChoice::cancel() {
    return DialogDecision::ending(0);
}

DialogDecision FileChoice::okLogging(Settings& settings, bool boxChecked) {
    settings.logging = boxChecked;
    return ok(settings.logFile);
}
