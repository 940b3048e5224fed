// Colour temperatures as ramp multipliers: the published blackbody rows, interpolation, ends, mireds.
#include "night/white_point.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void ExpectNear(const WhitePoint& seen, const WhitePoint& expected, double tolerance, double kelvin) {
  EXPECT_NEAR(seen.red, expected.red, tolerance) << "red at " << kelvin << " K";
  EXPECT_NEAR(seen.green, expected.green, tolerance) << "green at " << kelvin << " K";
  EXPECT_NEAR(seen.blue, expected.blue, tolerance) << "blue at " << kelvin << " K";
}

// Published blackbody white points (sRGB, largest channel 1, 6500 K white).
TEST(WhitePoint, MatchesThePublishedRows) {
  const struct {
    double kelvin;
    WhitePoint expected;
  } kRows[] = {{6500, {1.0, 1.0, 1.0}},
               {4500, {1.0, 0.8686, 0.7369}},
               {3400, {1.0, 0.7689, 0.5243}},
               {2700, {1.0, 0.6765, 0.3479}},
               {1900, {1.0, 0.5194, 0.0}}};
  for (const auto& row : kRows) ExpectNear(WhitePointAt(row.kelvin), row.expected, 0.002, row.kelvin);
}

// Between two 100 K rows the value is on the straight line between them, not the nearer row.
TEST(WhitePoint, InterpolatesLinearlyBetweenRows) {
  const WhitePoint low = WhitePointAt(3400), high = WhitePointAt(3500);
  const struct { double kelvin, share; } kPoints[] = {{3450, 0.5}, {3425, 0.25}};
  for (const auto& p : kPoints) {
    const WhitePoint expected = {low.red + p.share * (high.red - low.red),
                                 low.green + p.share * (high.green - low.green),
                                 low.blue + p.share * (high.blue - low.blue)};
    ExpectNear(WhitePointAt(p.kelvin), expected, 1e-9, p.kelvin);
  }
  EXPECT_GT(high.green - low.green, 0.005) << "3400 and 3500 K too alike for the line to show";
}

// Below the table its warmest row; from 6500 K up (and for a NaN) exactly white: no change.
TEST(WhitePoint, ClampsAtTheTableEnds) {
  const WhitePoint warmest = WhitePointAt(1000);
  for (double kelvin : {999.0, 500.0, 0.0, -100.0}) ExpectNear(WhitePointAt(kelvin), warmest, 0, kelvin);
  for (double kelvin : {6500.0, 6500.01, 10000.0, 1e9, std::nan("")}) {
    const WhitePoint seen = WhitePointAt(kelvin);
    EXPECT_TRUE(seen.red == 1.0 && seen.green == 1.0 && seen.blue == 1.0)
        << kelvin << " K gave " << seen.red << ", " << seen.green << ", " << seen.blue;
  }
}

// Warmer never means more green or blue, across the slider's range and between rows.
TEST(WhitePoint, GreenAndBlueNeverRiseAsTheTemperatureFalls) {
  WhitePoint previous = WhitePointAt(kNightKelvinMax);
  for (double kelvin = kNightKelvinMax - 10; kelvin >= kNightKelvinMin; kelvin -= 10) {
    const WhitePoint seen = WhitePointAt(kelvin);
    EXPECT_EQ(seen.red, 1.0) << kelvin << " K";
    EXPECT_LE(seen.green, previous.green) << kelvin << " K";
    EXPECT_LE(seen.blue, previous.blue) << kelvin << " K";
    previous = seen;
  }
}

TEST(WhitePoint, MiredsAreAMillionOverKelvin) {
  const struct { double kelvin, mired; } kRows[] = {{6500, 153.8462}, {4000, 250}, {3400, 294.1176}, {1900, 526.3158}};
  for (const auto& row : kRows) {
    EXPECT_NEAR(MiredFromKelvin(row.kelvin), row.mired, 1e-4) << row.kelvin << " K";
    EXPECT_NEAR(KelvinFromMired(row.mired), row.kelvin, 0.01) << row.mired << " mired";
  }
}

}  // namespace
