#include "win32/shell.h"

#include <objbase.h>

namespace {

// A function of a system library, looked up once; null when it cannot be had.
template <typename Function>
Function* systemFunction(const char* library, const char* name) {
    HMODULE module = LoadLibraryExA(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr) {
        module = LoadLibraryA(library);  // systems without the search flag
    }
    return module != nullptr
               ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)))
               : nullptr;
}

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
