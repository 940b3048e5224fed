// Colour temperatures as ramp multipliers: the published blackbody rows, interpolation, ends.
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

// On the straight line between the table's 3400 K (1, 0.7690, 0.5241) and 3500 K (1, 0.7800, 0.5462) rows, not at the
// nearer row: halfway and a quarter of the way.
TEST(WhitePoint, InterpolatesLinearlyBetweenRows) {
  ExpectNear(WhitePointAt(3450), {1, 0.7745, 0.53515}, 1e-9, 3450);
  ExpectNear(WhitePointAt(3425), {1, 0.77175, 0.529625}, 1e-9, 3425);
}

// Below the table its 1000 K row; from 6500 K up (and for a NaN) exactly white.
TEST(WhitePoint, ClampsAtTheTableEnds) {
  for (double kelvin : {999.0, -100.0}) ExpectNear(WhitePointAt(kelvin), {1, 0.0912, 0}, 0, kelvin);
  for (double kelvin : {6500.0, 1e9, std::nan("")}) ExpectNear(WhitePointAt(kelvin), {1, 1, 1}, 0, kelvin);
}

// Warmer never means more green or blue, across the slider's range and between rows.
TEST(WhitePoint, GreenAndBlueNeverRiseAsTheTemperatureFalls) {
  WhitePoint previous = WhitePointAt(kNightKelvinMax);
  for (double kelvin = kNightKelvinMax - 10; kelvin >= kNightKelvinMin; kelvin -= 10) {
    const WhitePoint seen = WhitePointAt(kelvin);
    EXPECT_TRUE(seen.red == 1 && seen.green <= previous.green && seen.blue <= previous.blue) << kelvin << " K";
    previous = seen;
  }
}

}  // namespace
