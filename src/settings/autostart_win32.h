// The "start with Windows" value in the current user's Run key.
#pragma once

#include <windows.h>

#include <string>

// Writes the value for `module`'s executable: "<full path>" -bg. 1 on success.
int AddAutostart(HMODULE module, const wchar_t* valueName);
// Sets the value to `data` (the Run key must exist; it is never created). 1 on success.
int WriteRunValue(const wchar_t* valueName, const wchar_t* data);
// Deletes the value; 1 on success, 0 also when there was none.
int RemoveAutostart(const wchar_t* valueName);
// 1 when the value exists (and repairs it to point at this executable), else 0.
int IsAutostartSet(const wchar_t* valueName);
