// The DPI of the system and of a window, and icons loaded for it. The functions behind
// them arrived in Windows 8.1 and 10; each is looked up at run time, with older
// systems getting the system DPI.
#pragma once

#include <windows.h>

// Asks for per-monitor awareness (v2, else v1, else system-wide) where the manifest has
// not already settled it; returns nonzero when one of the calls took.
int EnableProcessDpiAwareness();
// The DPI the shell and the taskbar are drawn with.
int SystemDpi();
// The DPI of the display `window` is on (its own DPI under per-monitor awareness).
int DpiForWindow(HWND window);
// An icon resource of `module` at `size` x `size` pixels, scaled down from a larger image
// when the icon has none of that size (a sharper result than stretching a smaller one).
HICON LoadIconAtSize(HINSTANCE module, int resourceId, int size);
