// The sliders' names and values for screen readers, by dynamic annotation (IAccPropServices).
#pragma once

#include <windows.h>

// After the value labels changed, and with `textsChanged` after the dialog's texts did
// (language change, translation loaded) or a screen reader started.
// The levels are the trackbars' positions, or `levels` where given.
void UpdateSliderAccessibility(HWND dialog, bool textsChanged);
void UpdateSliderAccessibility(HWND dialog, const int (&levels)[4]);
