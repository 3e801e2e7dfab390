#include "win32/system_library.h"

#include <cstring>

FARPROC systemProcedure(const char* library, const char* name) {
    HMODULE module = LoadLibraryExA(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
        // A system that does not know the flag: the library by its whole path in the system
        // folder, which is searched for nowhere else.
        char path[MAX_PATH];
        const UINT length = GetSystemDirectoryA(path, MAX_PATH);
        if (length > 0 && length + 1 + std::strlen(library) < MAX_PATH) {
            path[length] = '\\';
            std::strcpy(path + length + 1, library);
            module = LoadLibraryA(path);
        }
    }
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

void loadLibrariesFromSystemOnly() {
    using SetDefaultDllDirectories = BOOL WINAPI(DWORD);
    auto* set =
        systemFunction<SetDefaultDllDirectories>("kernel32.dll", "SetDefaultDllDirectories");
    if (set == nullptr || !set(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        SetDllDirectoryA("");  // at least the current folder out of the search
    }
}
