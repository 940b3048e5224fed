// The main dialog at the DPI of the display it is on: its icons at start, and its icons
// and link font again when it moves to a display with other scaling.
#pragma once

#include <windows.h>

#include "common/window_ids.h"

// Posted to the dialog by OnDialogDpiChanged: the dialog manager has applied the new DPI.
// (WM_DPICHANGED_AFTERPARENT, which the system sends to child windows only.)

// Loads the title-bar, taskbar and in-dialog icons at the sizes for the dialog's DPI.
void ApplyDialogDpi(HWND dialog);
// WM_DPICHANGED: returns FALSE, so the dialog manager takes the suggested rectangle and
// rescales the template's layout and font; the rest follows in kDialogDpiApplied.
INT_PTR OnDialogDpiChanged(HWND dialog);
// kDialogDpiApplied: the icons and the link font for the new DPI.
INT_PTR OnDialogDpiApplied(HWND dialog);
