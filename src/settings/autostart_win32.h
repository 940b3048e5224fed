// The "start with Windows" value in the current user's Run key.
#pragma once

#include <windows.h>

int AddAutostart(HMODULE module, const wchar_t* valueName);
int RemoveAutostart(const wchar_t* valueName);
// 1 when the value exists (and repairs it to point at this executable), else 0.
int IsAutostartSet(const wchar_t* valueName);
