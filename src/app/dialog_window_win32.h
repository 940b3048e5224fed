// The main dialog as a window: shown from the tray icon or a second start, hidden into the
// notification area, and the check, once the levels rest, that every display keeps its ramp.
#pragma once

#include <windows.h>

void BringToFront(HWND dialog);
void HideToTray(HWND dialog);
// The tray icon's callback message.
INT_PTR OnTrayCallback(HWND dialog, LPARAM lParam);
// The levels moved: look in a moment whether every display kept its ramp (until the user
// has been told once).
void ArmRampCheck(HWND dialog);
// The ramp-check timer fired. A display that reports success but keeps another ramp has the
// system's limit on far ramps; some refuse such a ramp outright but take the neutral one.
void CheckRampsKept(HWND dialog);
