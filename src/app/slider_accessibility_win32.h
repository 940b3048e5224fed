// The sliders' names and values for screen readers, by dynamic annotation (IAccPropServices).
#pragma once

#include <windows.h>

// After the value labels changed, and with `textsChanged` after the dialog's texts did
// (language change, translation loaded) or a screen reader started.
void UpdateSliderAccessibility(HWND dialog, bool textsChanged);
