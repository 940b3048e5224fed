// Night mode's look: the way from day to night, a display's ramp under it, and the floor a display that refuses far
// ramps is held to.
#include <gtest/gtest.h>

#include "night/night_floor.h"
#include "night/night_look.h"

namespace {

// Day is today's ramp, bit for bit, whatever the display's own levels.
TEST(NightRamp, NeutralLookKeepsTheDisplaysOwnRamp) {
  for (const ColorLevels& own : {ColorLevels{128, 128, 128, 128}, ColorLevels{40, 0, 200, 256}}) {
    for (const NightLook& day : {NightLook{}, NightLook{7000, 0}}) {
      EXPECT_TRUE(BuildNightRamp(own, day) == BuildRamp(own.red, own.green, own.blue))
          << own.red << "/" << own.green << "/" << own.blue << " at " << day.kelvin << " K";
    }
  }
}

// Worked by hand with the table's 3400 K row (1, 0.7690, 0.5241; published 0.7689, 0.5243) and 80 %, rounded to
// nearest: level 128 has entry 1 = 256 (red 204.8). Level 256 has clipped to 65535 at entry 255: the night ramp scales
// that flat top (65535 * 0.8), not the unclipped 255 * 384. +50 % clips at full scale.
TEST(NightRamp, ScalesTheOwnRampPerChannelAndClips) {
  const struct {
    int level, entry, red, green, blue;
    NightLook look;
  } kRows[] = {{128, 1, 205, 157, 107, {3400, -20}},
               {256, 255, 52428, 40317, 27478, {3400, -20}},
               {128, 255, 65535, 65535, 65535, {6500, 50}}};
  for (const auto& row : kRows) {
    const GammaRamp ramp = BuildNightRamp({row.level, row.level, row.level, row.level}, row.look);
    const int expected[] = {row.red, row.green, row.blue};
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(ramp[c * kRampEntries + row.entry], expected[c]) << row.level << ", entry " << row.entry << "/" << c;
    }
  }
}

// From day to 3400 K and -20 %: kelvin on the mired line (0.5: 2 * 6500 * 3400 / 9900), brightness straight; fractions
// outside 0..1 held to the ends.
TEST(NightLookBetween, TemperatureInMiredsBrightnessLinearly) {
  const struct { double fraction, kelvin, brightness; } kRows[] = {{0.5, 4464.646, -10}, {-1, 6500, 0}, {2, 3400, -20}};
  for (const auto& row : kRows) {
    const NightLook seen = LookBetween({3400, -20}, row.fraction);
    EXPECT_NEAR(seen.kelvin, row.kelvin, 1e-3) << "fraction " << row.fraction;
    EXPECT_NEAR(seen.brightness, row.brightness, 1e-9) << "fraction " << row.fraction;
  }
}

TEST(NightLookBetween, OnlyWhiteAndNoDimmingIsTheDayLook) {
  EXPECT_TRUE((NightLook{6500, 0}.Neutral() && NightLook{7000, 0}.Neutral())) << "white or above, undimmed";
  EXPECT_FALSE((NightLook{6400, 0}.Neutral() || NightLook{6500, -5}.Neutral())) << "warmer or dimmed";
}

// A display that takes a look when it is at least `kelvin` and `brightness`, counting what it was offered.
struct FakeDisplay final : RampAcceptorPort {
  FakeDisplay(double kelvin, double brightness) : minKelvin(kelvin), minBrightness(brightness) {}
  bool Takes(const NightLook& look) override {
    ++tries;
    return look.kelvin >= minKelvin && look.brightness >= minBrightness;
  }
  double minKelvin, minBrightness;
  int tries = 0;
};

// Temperature first in 100 K steps up to the next multiple, then brightness in 5 % steps: 3400 to 6500 K is 31
// refusals.
TEST(NightFloor, StepsTowardNeutralUntilTheDisplayTakesALook) {
  const struct {
    double wantedKelvin, wantedBrightness, minKelvin, minBrightness, floorKelvin, floorBrightness, tries;
  } kRows[] = {
      {3400, -20, 4000, -100, 4000, -20, 7},     // takes from 4000 K
      {3400, -20, 1e9, 0, 6500, 0, 31 + 4 + 1},  // takes nothing
      {3450, -17, 3600, -100, 3600, -17, 3},     // fractional kelvin
      {6500, -17, 0, -10, 6500, -10, 3},         // fractional brightness
  };
  for (const auto& row : kRows) {
    FakeDisplay display(row.minKelvin, row.minBrightness);
    const NightFloor floor = FindNightFloor({row.wantedKelvin, row.wantedBrightness}, display);
    SCOPED_TRACE(testing::Message() << "wanted " << row.wantedKelvin << " K, " << row.wantedBrightness << " %");
    EXPECT_EQ(floor.minKelvin, row.floorKelvin);
    EXPECT_EQ(floor.minBrightness, row.floorBrightness);
    EXPECT_EQ(display.tries, row.tries);
  }
}

// The temperature and the brightness each held to the floor on its own; no floor limits nothing, not even the
// slider's far end.
TEST(NightFloor, LimitsEachPartToTheFloor) {
  const NightLook dimmed = NightFloor{4000, -10}.Limit({5000, -20}), warmed = NightFloor{4000, -10}.Limit({3400, -5});
  EXPECT_TRUE(dimmed.kelvin == 5000 && dimmed.brightness == -10) << dimmed.kelvin << " K, " << dimmed.brightness;
  EXPECT_TRUE(warmed.kelvin == 4000 && warmed.brightness == -5) << warmed.kelvin << " K, " << warmed.brightness;
  const NightLook far = NightFloor{}.Limit({kNightKelvinMin, kNightBrightnessMin});
  EXPECT_TRUE(far.kelvin == kNightKelvinMin && far.brightness == kNightBrightnessMin);
}

}  // namespace
