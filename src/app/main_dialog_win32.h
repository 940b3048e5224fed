// The main dialog: sliders, check boxes, language list, menu bar; it routes each message
// to the concern that owns it.
#pragma once

#include <windows.h>

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Caption text: common text 19 (or the product name and "1.01"), " Portable" in portable mode.
const wchar_t* WindowTitle();
