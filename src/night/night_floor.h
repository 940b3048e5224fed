// How far toward night a display that refuses far ramps (Windows' gamma-range limit) can go: the
// floor it keeps until the next display change, and the search that finds it.
#pragma once

#include "night/night_look.h"

// A floor that limits nothing: no look is warmer than 0 K or dimmer than -100 %.
constexpr double kNoKelvinFloor = 0;
constexpr double kNoBrightnessFloor = -100;

// The warmest, dimmest look a display has taken; looks beyond it are limited to it.
struct NightFloor {
  double minKelvin = kNoKelvinFloor;
  double minBrightness = kNoBrightnessFloor;
  // The temperature and the brightness each held no further from neutral than the floor.
  NightLook Limit(const NightLook& look) const;
};

// The next look to try after `refused` was refused, one step nearer neutral: the temperature first,
// up to the next multiple of 100 K (at most 6500 K), then the brightness up to the next multiple of 5 %
// (at most 0 %). False when `refused` is already neutral (nothing left to try).
bool StepTowardNeutral(NightLook* refused);

// A display's answer to a ramp: true when it took it.
class RampAcceptorPort {
 public:
  virtual ~RampAcceptorPort() = default;
  virtual bool Takes(const NightLook& look) = 0;
};

// Tries `wanted`, then steps toward neutral until `display` takes a look, and returns the floor that
// holds that look; a floor at neutral when nothing but neutral was taken, or nothing at all.
NightFloor FindNightFloor(const NightLook& wanted, RampAcceptorPort& display);
