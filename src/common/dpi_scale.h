// Sizes given in pixels at 96 DPI (100 % display scaling), scaled to another DPI.
#pragma once

constexpr int kDefaultDpi = 96;

// `pixels` at 96 DPI scaled to `dpi`, rounded to the nearest pixel as the system rounds
// its own metrics; a DPI of 0 or less (not known) leaves them as they are.
int ScaleForDpi(int pixels, int dpi);

// The icon sizes the system uses at `dpi`: small (title bar, tray) and large.
inline int SmallIconSizeForDpi(int dpi) { return ScaleForDpi(16, dpi); }
inline int LargeIconSizeForDpi(int dpi) { return ScaleForDpi(32, dpi); }
