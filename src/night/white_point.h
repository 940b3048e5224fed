// Colour temperatures as per-channel multipliers of a gamma ramp: blackbody white points with 6500 K as
// white, and the mired scale that temperature changes are made on.
#pragma once

struct WhitePoint {
  double red = 1.0, green = 1.0, blue = 1.0;
};

constexpr int kNightKelvinMin = 1900;  // the slider's range
constexpr int kNightKelvinMax = 6500;  // white: no change
constexpr int kNightKelvinStep = 100;

// Interpolated between the table's 100 K rows (1000 K to 6500 K); clamped to the table's ends, so
// anything from 6500 K up is white.
WhitePoint WhitePointAt(double kelvin);
// 1,000,000 / K: equal steps in mireds look about equally large.
double MiredFromKelvin(double kelvin);
double KelvinFromMired(double mired);
