#include "night/night_floor.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kBrightnessStep = 5;

}  // namespace

NightLook NightFloor::Limit(const NightLook& look) const {
  return {std::max(look.kelvin, minKelvin), std::max(look.brightness, minBrightness)};
}

bool StepTowardNeutral(NightLook* refused) {
  if (refused->kelvin < kNightKelvinMax) {
    // From 0 K at the lowest, so that every step gains a whole 100 K and the search always ends.
    const double from = std::max(refused->kelvin, 0.0);
    const double next = (std::floor(from / kNightKelvinStep) + 1) * kNightKelvinStep;
    refused->kelvin = std::min(next, static_cast<double>(kNightKelvinMax));
    return true;
  }
  if (refused->brightness < 0) {
    const double from = std::max(refused->brightness, kNoBrightnessFloor);
    const double next = (std::floor(from / kBrightnessStep) + 1) * kBrightnessStep;
    refused->brightness = std::min(next, 0.0);
    return true;
  }
  return false;
}

NightFloor FindNightFloor(const NightLook& wanted, RampAcceptorPort& display) {
  NightLook look = wanted;
  while (!display.Takes(look)) {
    if (!StepTowardNeutral(&look)) return {kNightKelvinMax, 0};  // even neutral refused
  }
  return {look.kelvin, look.brightness};
}
