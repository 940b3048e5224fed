// The night look (a colour temperature and a dimming on top of each display's own levels), the way
// there from day, and a display's ramp under it.
#pragma once

#include "gamma/color_levels.h"
#include "gamma/ramp.h"
#include "night/white_point.h"

constexpr double kNightBrightnessMin = -80;  // percent

struct NightLook {
  double kelvin = kNightKelvinMax;  // fractional during a change (interpolated in mireds)
  double brightness = 0;            // percent, -80..0, added on top of the display's own levels
  bool Neutral() const;             // 6500 K (or above) and 0 %: the day look
};

// The look a fraction of the way from day (0) to the full night look (1): the temperature
// interpolated in mireds, the brightness linearly. `fraction` is clamped to 0..1.
NightLook LookBetween(const NightLook& night, double fraction);

// A display's ramp under a look: its own levels' ramp times the white point and (100 + brightness) / 100,
// rounded and clipped to 0..65535. A neutral look gives BuildRamp's ramp bit for bit.
GammaRamp BuildNightRamp(const ColorLevels& own, const NightLook& look);
