// Programs and libraries of the system folder, named by full path: the program's own
// folder (often Downloads or a USB stick) is searched first for bare names. And whether
// that folder is the 32-bit view of a 64-bit system.
#pragma once

#include <windows.h>

#include <string>

// The system folder (GetSystemDirectoryW), without a final backslash; "" on failure.
std::wstring SystemFolder();
// `name` in the system folder, e.g. C:\Windows\system32\control.exe; "" on failure.
std::wstring SystemPath(const wchar_t* name);
// Loads a library from the system folder only.
HMODULE LoadSystemLibrary(const wchar_t* name);
// A 32-bit process on 64-bit Windows: the system folder it sees is the 32-bit one.
bool IsWow64();
// Restricts every later library search of the process to the system folder, where the
// system offers that (Windows 8, Windows 7 with KB2533623).
void RestrictLibrarySearchToSystemFolder();
