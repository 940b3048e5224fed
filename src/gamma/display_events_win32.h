// The system events after which Windows may have put the neutral ramp back: display
// changes, resume, the display turning on, unlock and session changes.
#pragma once

#include <windows.h>

// Asks the system for the power and session notifications (both missing on older systems).
void RegisterRampResetNotifications(HWND window);
// True for a message after which the ramps should be loaded again.
bool IsRampResetEvent(UINT message, WPARAM wParam, LPARAM lParam);
