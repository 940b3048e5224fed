#include "night/night_look.h"

#include <cmath>

bool NightLook::Neutral() const { return kelvin >= kNightKelvinMax && brightness == 0; }

NightLook LookBetween(const NightLook& night, double fraction) {
  if (!(fraction > 0)) return NightLook{};  // NaN too: stay at day
  if (fraction >= 1) return night;
  const NightLook day;
  const double dayMired = MiredFromKelvin(day.kelvin);
  const double mired = dayMired + fraction * (MiredFromKelvin(night.kelvin) - dayMired);
  return {KelvinFromMired(mired), day.brightness + fraction * (night.brightness - day.brightness)};
}

namespace {

void Scale(uint16_t* channel, double factor) {
  for (int i = 0; i < kRampEntries; ++i) {
    const double value = channel[i] * factor + 0.5;  // entries and factors are never negative: rounds
    channel[i] = static_cast<uint16_t>(!(value > 0) ? 0 : value >= 65535 ? 65535 : value);
  }
}

}  // namespace

GammaRamp BuildNightRamp(const ColorLevels& own, const NightLook& look) {
  GammaRamp ramp = BuildRamp(own.red, own.green, own.blue);
  const WhitePoint white = WhitePointAt(look.kelvin);
  const double dimming = (100 + look.brightness) / 100;
  Scale(&ramp[0], white.red * dimming);
  Scale(&ramp[kRampEntries], white.green * dimming);
  Scale(&ramp[2 * kRampEntries], white.blue * dimming);
  return ramp;
}
