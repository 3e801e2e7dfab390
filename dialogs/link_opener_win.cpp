#include "dialogs/link_opener_win.h"

#include <cstring>

#include "dialogs/link_opener.h"
#include "settings/settings.h"
#include "win32/handles.h"
#include "win32/shell.h"

namespace {

const char OPEN_COMMAND_KEY[] = "\\shell\\open\\command";

}  // namespace

LONG readDefaultValue(HKEY root, const char* path, char* out, std::size_t capacity) {
    HKEY opened = nullptr;
    const LONG openError = RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &opened);
    if (openError != ERROR_SUCCESS) {
        return openError;
    }
    UniqueRegKey key(opened);
    char value[REGISTRY_VALUE_SIZE] = "";
    LONG size = sizeof value;
    const LONG readError = RegQueryValueA(key.get(), nullptr, value, &size);
    if (readError != ERROR_SUCCESS) {
        return readError;
    }
    // The data need not end in a terminator; a value that does not fit is no value.
    if (size < 0 || !terminateStoredText(value, sizeof value, static_cast<std::size_t>(size)) ||
        std::strlen(value) >= capacity) {
        return ERROR_MORE_DATA;
    }
    std::memcpy(out, value, std::strlen(value) + 1);
    return ERROR_SUCCESS;
}

void openLink(const char* url, HKEY root) {
    if (shellOpen(nullptr, url, SW_SHOWNORMAL) > 32) {
        return;
    }
    // The browser that opens ".htm" documents, given the url after its command.
    char command[LINK_COMMAND_SIZE] = "";
    if (readDefaultValue(root, ".htm", command, sizeof command) != ERROR_SUCCESS) {
        return;
    }
    std::strcat(command, OPEN_COMMAND_KEY);  // at most 259 + 19 characters of 519
    if (readDefaultValue(root, command, command, sizeof command) != ERROR_SUCCESS) {
        return;
    }
    char line[LINK_COMMAND_SIZE];
    if (browserCommand(command, url, line)) {
        WinExec(line, SW_SHOWNORMAL);
    }
}
