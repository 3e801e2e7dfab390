#pragma once

// Functions of the system's own libraries, looked up when first needed: those that older
// Windows lacks, and those whose library would otherwise load at start-up for nothing. A library
// is only ever taken from the system folder, never from the program's own or the current one,
// where anybody who can put a file beside a downloaded program could have planted one.

#include <windows.h>

// The function `name` of the system library `library` ("wtsapi32.dll"); null when either is not
// there.
FARPROC systemProcedure(const char* library, const char* name);

template <typename Function>
Function* systemFunction(const char* library, const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(systemProcedure(library, name)));
}

// From now on the libraries the process loads, and those they load in turn, come from the
// system folder alone, where the system can be told so (Windows 8, and 7 with its update
// KB2533623); and never from the current folder. First thing at start-up.
void loadLibrariesFromSystemOnly();
