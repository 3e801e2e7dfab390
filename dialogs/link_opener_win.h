#pragma once

// The link opener's Win32 half: the shell, the registry and the process it starts.

#include <windows.h>

#include <cstddef>

// Opens url with the desktop's "open" action, or else with the command registered for HTML
// documents under root (HKEY_CLASSES_ROOT in the program). Reports nothing.
void openLink(const char* url, HKEY root = HKEY_CLASSES_ROOT);

// Reads the default value of root\path into out (at most 259 characters); 0, or the error of
// the open or the read, when out is left as it was.
LONG readDefaultValue(HKEY root, const char* path, char* out, std::size_t capacity);
