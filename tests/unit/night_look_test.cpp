// Night mode's look: the way from day to night, a display's ramp under it, and the floor a display that
// refuses far ramps is held to.
#include <gtest/gtest.h>

#include "night/night_floor.h"
#include "night/night_look.h"

namespace {

// Day is today's ramp, bit for bit, whatever the display's own levels.
TEST(NightRamp, NeutralLookKeepsTheDisplaysOwnRamp) {
  const ColorLevels kOwn[] = {{128, 128, 128, 128}, {40, 0, 200, 256}, {256, 256, 1, 77}};
  for (const ColorLevels& own : kOwn) {
    for (const NightLook& day : {NightLook{}, NightLook{7000, 0}}) {
      EXPECT_TRUE(BuildNightRamp(own, day) == BuildRamp(own.red, own.green, own.blue))
          << "levels " << own.red << "/" << own.green << "/" << own.blue << " at " << day.kelvin << " K";
    }
  }
}

// Worked by hand with the table's 3400 K row (1, 0.7690, 0.5241; published 0.7689, 0.5243) and 80 %, rounded
// to nearest: level 128 has entry 1 = 256 (red 204.8) and entry 255 = 65280. Level 256 has clipped to 65535
// from entry 171 on: the night ramp scales that flat top (65535 * 0.8), not the unclipped 255 * 384 (entry 170
// is still 65280). +50 % clips at full scale.
TEST(NightRamp, ScalesTheOwnRampPerChannelAndClips) {
  const struct {
    int level;
    NightLook look;
    int entry;
    int red, green, blue;
  } kRows[] = {
      {128, {3400, -20}, 1, 205, 157, 107},         {128, {3400, -20}, 255, 52224, 40160, 27371},
      {256, {3400, -20}, 170, 52224, 40160, 27371}, {256, {3400, -20}, 255, 52428, 40317, 27478},
      {128, {6500, 50}, 255, 65535, 65535, 65535},
  };
  for (const auto& row : kRows) {
    const GammaRamp ramp = BuildNightRamp({row.level, row.level, row.level, row.level}, row.look);
    const int seen[3] = {ramp[row.entry], ramp[kRampEntries + row.entry], ramp[2 * kRampEntries + row.entry]};
    const int expected[3] = {row.red, row.green, row.blue};
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(seen[c], expected[c]) << "level " << row.level << ", entry " << row.entry << ", channel " << c;
    }
  }
}

// From day to 3400 K and -20 %: kelvin on the mired line (0.5: 2 * 6500 * 3400 / 9900), brightness straight.
TEST(NightLookBetween, TemperatureInMiredsBrightnessLinearly) {
  const NightLook night{3400, -20};
  const struct {
    double fraction, kelvin, brightness;
  } kRows[] = {{0, 6500, 0}, {0.25, 5293.413, -5}, {0.5, 4464.646, -10}, {1, 3400, -20}, {-1, 6500, 0}, {2, 3400, -20}};
  for (const auto& row : kRows) {
    const NightLook seen = LookBetween(night, row.fraction);
    EXPECT_NEAR(seen.kelvin, row.kelvin, 1e-3) << "fraction " << row.fraction;
    EXPECT_NEAR(seen.brightness, row.brightness, 1e-9) << "fraction " << row.fraction;
  }
}

TEST(NightLookBetween, OnlyWhiteAndNoDimmingIsTheDayLook) {
  const struct {
    NightLook look;
    bool neutral;
  } kRows[] = {{{6500, 0}, true}, {{7000, 0}, true}, {{6400, 0}, false}, {{6500, -5}, false}};
  for (const auto& row : kRows) {
    EXPECT_EQ(row.look.Neutral(), row.neutral) << row.look.kelvin << " K, " << row.look.brightness << " %";
  }
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

// Temperature first in 100 K steps, then brightness in 5 % steps: 3400 to 6500 K is 31 refusals.
TEST(NightFloor, StepsTowardNeutralUntilTheDisplayTakesALook) {
  const struct {
    const char* display;
    NightLook wanted;
    double minKelvin, minBrightness;
    NightFloor floor;
    int tries;
  } kRows[] = {
      {"takes >= 4000 K", {3400, -20}, 4000, -100, {4000, -20}, 7},
      {"takes no warming, >= -10 %", {3400, -30}, 6500, -10, {6500, -10}, 31 + 4 + 1},
      {"takes everything", {2700, -40}, 0, -100, {2700, -40}, 1},
      {"takes only neutral", {3400, -20}, 6500, 0, {6500, 0}, 31 + 4 + 1},
      {"takes nothing", {3400, -20}, 1e9, 0, {6500, 0}, 31 + 4 + 1},
      {"fractional kelvin", {3450, -17}, 3600, -100, {3600, -17}, 3},
      {"fractional brightness", {6500, -17}, 0, -10, {6500, -10}, 3},
  };
  for (const auto& row : kRows) {
    FakeDisplay display(row.minKelvin, row.minBrightness);
    const NightFloor floor = FindNightFloor(row.wanted, display);
    EXPECT_EQ(floor.minKelvin, row.floor.minKelvin) << row.display;
    EXPECT_EQ(floor.minBrightness, row.floor.minBrightness) << row.display;
    EXPECT_EQ(display.tries, row.tries) << row.display;
  }
}

TEST(NightFloor, LimitsEachPartToTheFloor) {
  const NightFloor floor{4000, -10};
  const struct {
    NightLook look, limited;
  } kRows[] = {{{3400, -20}, {4000, -10}}, {{5000, -20}, {5000, -10}}, {{3400, -5}, {4000, -5}}};
  for (const auto& row : kRows) {
    const NightLook seen = floor.Limit(row.look);
    EXPECT_TRUE(seen.kelvin == row.limited.kelvin && seen.brightness == row.limited.brightness)
        << row.look.kelvin << " K, " << row.look.brightness << " % gave " << seen.kelvin << " K, " << seen.brightness;
  }
  const NightLook none = NightFloor{}.Limit({kNightKelvinMin, kNightBrightnessMin});
  EXPECT_TRUE(none.kelvin == kNightKelvinMin && none.brightness == kNightBrightnessMin) << "no floor limits nothing";
}

}  // namespace
