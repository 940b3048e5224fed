// The Program menu's "Night mode...": the dialog over the current settings, its preview on the
// screen, and what OK stores.
#pragma once

#include <windows.h>

void OpenNightModeDialog(HWND owner);
