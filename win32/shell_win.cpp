#include "win32/shell.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstdio>

#include "win32/system_library.h"

namespace {

// The shell's "open" action and the open-file dialog want COM in a single-threaded apartment on
// the thread that calls them, the program's only one. Once per process; it stays until the end.
void initialiseCom() {
    static const bool initialised = [] {
        using Initialise = HRESULT WINAPI(LPVOID, DWORD);
        auto* initialise = systemFunction<Initialise>("ole32.dll", "CoInitializeEx");
        return initialise != nullptr &&
               SUCCEEDED(initialise(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }();
    (void)initialised;
}

}  // namespace

INT_PTR shellOpen(HWND owner, const char* file, int show) {
    using ShellExecute = HINSTANCE WINAPI(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    static ShellExecute* const execute =
        systemFunction<ShellExecute>("shell32.dll", "ShellExecuteA");
    if (execute == nullptr) {
        return 0;
    }
    initialiseCom();
    return reinterpret_cast<INT_PTR>(execute(owner, "open", file, nullptr, nullptr, show));
}

BOOL getOpenFileName(OPENFILENAMEA* request) {
    using GetOpenFileName = BOOL WINAPI(LPOPENFILENAMEA);
    static GetOpenFileName* const get =
        systemFunction<GetOpenFileName>("comdlg32.dll", "GetOpenFileNameA");
    if (get == nullptr) {
        return FALSE;
    }
    initialiseCom();
    return get(request);
}

namespace {

// The shell link and its file, named by their registered ids rather than through a library that
// would be linked in for them.
const CLSID SHELL_LINK = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID SHELL_LINK_A = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID PERSIST_FILE = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

bool startupShortcutPath(char (&path)[MAX_PATH]) {
    using GetFolderPath = HRESULT WINAPI(HWND, int, HANDLE, DWORD, LPSTR);
    static GetFolderPath* const get =
        systemFunction<GetFolderPath>("shell32.dll", "SHGetFolderPathA");
    char folder[MAX_PATH] = "";
    if (get == nullptr ||
        FAILED(get(nullptr, CSIDL_STARTUP | CSIDL_FLAG_CREATE, nullptr, 0, folder))) {
        return false;
    }
    const int n = std::snprintf(path, sizeof path, "%s\\Cointrel.lnk", folder);
    return n > 0 && static_cast<std::size_t>(n) < sizeof path;
}

// A COM object released as the scope ends.
template <typename Interface>
struct Held {
    Interface* object = nullptr;
    ~Held() {
        if (object != nullptr) {
            object->Release();
        }
    }
};

}  // namespace

bool startupShortcutExists() {
    char path[MAX_PATH];
    return startupShortcutPath(path) && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool setStartupShortcut(bool wanted) {
    char path[MAX_PATH];
    if (!startupShortcutPath(path)) {
        return false;
    }
    if (!wanted) {
        return DeleteFileA(path) || GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    using CreateInstance = HRESULT WINAPI(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    static CreateInstance* const create =
        systemFunction<CreateInstance>("ole32.dll", "CoCreateInstance");
    char program[MAX_PATH] = "", folder[MAX_PATH] = "";
    WCHAR widePath[MAX_PATH] = L"";
    const DWORD programLength = GetModuleFileNameA(nullptr, program, sizeof program);
    const DWORD folderLength = GetCurrentDirectoryA(sizeof folder, folder);
    if (create == nullptr || programLength == 0 || programLength >= sizeof program ||
        folderLength == 0 || folderLength >= sizeof folder ||
        MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) == 0) {
        return false;
    }
    initialiseCom();
    Held<IShellLinkA> link;
    Held<IPersistFile> file;
    return SUCCEEDED(create(SHELL_LINK, nullptr, CLSCTX_INPROC_SERVER, SHELL_LINK_A,
                            reinterpret_cast<void**>(&link.object))) &&
           SUCCEEDED(link.object->SetPath(program)) &&
           SUCCEEDED(link.object->SetWorkingDirectory(folder)) &&
           SUCCEEDED(link.object->SetDescription("Cointrel earnings counter")) &&
           SUCCEEDED(
               link.object->QueryInterface(PERSIST_FILE, reinterpret_cast<void**>(&file.object))) &&
           SUCCEEDED(file.object->Save(widePath, TRUE));
}
