// The dialog's menu bar and the language list beside it.
#pragma once

#include <windows.h>

// Builds the menu bar in the current language and puts it on the dialog,
// refilling the language list 1031 on the way.
void BuildMenuBar(HWND dialog);
