// The hide-to-tray effect's window calls; the arithmetic lives in zoom_geometry.h.
#pragma once

#include <windows.h>

// Screen rectangle of the notification area, from the best source the shell offers.
void NotificationAreaRect(RECT* rect);
// Moves a temporary coloured rectangle from `from` five sixths of the way to `to`
// in six steps; returns when the rectangle is gone.
void AnimateRect(const RECT& from, const RECT& to, DWORD stepDelayMs);
