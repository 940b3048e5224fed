// The main dialog: sliders, check boxes, language list, menu bar; the program's hub.
#pragma once

#include <windows.h>

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Writes the levels not yet stored to the settings file now (they are otherwise stored
// once a drag has settled). Safe to call at any time after the dialog has started.
void FlushPendingSettings();
// Caption text: common text 19 (or the product name and "1.01"), " Portable" in portable mode.
const wchar_t* WindowTitle();
