// The main dialog at the DPI of the display it is on: its icons at start, and its size,
// icons and link font again when it moves to a display with other scaling.
#pragma once

#include <windows.h>

// Loads the title-bar, taskbar and in-dialog icons at the sizes for the dialog's DPI.
void ApplyDialogDpi(HWND dialog);
// WM_DPICHANGED: takes the rectangle the system suggests, then the icons and the link
// font for the new DPI. (The dialog manager rescales the template's layout and font.)
INT_PTR OnDialogDpiChanged(HWND dialog, LPARAM suggestedRect);
