// The "start with Windows" value in the current user's Run key.
#pragma once

#include <windows.h>

#include <string>

// The dialog's and the uninstall's calls; each reports 1 or 0, the program's 32-bit truth value.

// Writes the value for `module`'s executable: "<full path>" -bg. 1 on success.
int AddAutostart(HMODULE module, const wchar_t* valueName);
// Sets the value to `data` (the Run key must exist; it is never created). 1 on success.
// Not called by the program, which writes through AddAutostart; kept because the
// documented interface of the autostart entry names it beside AddAutostart.
int WriteRunValue(const wchar_t* valueName, const wchar_t* data);
// Deletes the value; 1 on success, 0 also when there was none.
int RemoveAutostart(const wchar_t* valueName);
// 1 when the value exists (and repairs it to point at this executable), else 0.
int IsAutostartSet(const wchar_t* valueName);
