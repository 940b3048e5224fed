#include "night/sun.h"

#include <cmath>

namespace {

// To the nearest whole number, halves away from zero.
int64_t Round(double value) {
  return value < 0 ? -static_cast<int64_t>(0.5 - value) : static_cast<int64_t>(value + 0.5);
}

constexpr double kPi = 3.14159265358979323846;
// The sun's centre below the horizon when its upper edge appears: 16' radius + 34' refraction.
constexpr double kZenithDegrees = 90.833;
constexpr int64_t kHalfDay = kSecondsPerDay / 2;
constexpr int kRefinements = 3;

double Radians(double degrees) { return degrees * kPi / 180; }
double Degrees(double radians) { return radians * 180 / kPi; }

struct SolarPosition {
  double declination;     // degrees
  double equationOfTime;  // minutes the sundial runs ahead of mean time
};

// NOAA's equations (after Meeus), in Julian centuries from J2000.0.
SolarPosition PositionAt(int64_t utcSeconds) {
  const double julianDay = 2440587.5 + static_cast<double>(utcSeconds) / kSecondsPerDay;
  const double t = (julianDay - 2451545.0) / 36525.0;
  const double meanLongitude = Radians(std::fmod(280.46646 + t * (36000.76983 + t * 0.0003032), 360.0));
  const double meanAnomaly = Radians(357.52911 + t * (35999.05029 - 0.0001537 * t));
  const double eccentricity = 0.016708634 - t * (0.000042037 + 0.0000001267 * t);
  const double centre = std::sin(meanAnomaly) * (1.914602 - t * (0.004817 + 0.000014 * t)) +
                        std::sin(2 * meanAnomaly) * (0.019993 - 0.000101 * t) + std::sin(3 * meanAnomaly) * 0.000289;
  const double node = Radians(125.04 - 1934.136 * t);  // the moon's ascending node, for nutation
  const double apparentLongitude = Radians(Degrees(meanLongitude) + centre - 0.00569 - 0.00478 * std::sin(node));
  const double meanObliquity = 23 + (26 + (21.448 - t * (46.815 + t * (0.00059 - t * 0.001813))) / 60) / 60;
  const double obliquity = Radians(meanObliquity + 0.00256 * std::cos(node));

  const double y = std::tan(obliquity / 2) * std::tan(obliquity / 2);
  const double e = eccentricity, l = meanLongitude, m = meanAnomaly;
  const double equation = y * std::sin(2 * l) - 2 * e * std::sin(m) + 4 * e * y * std::sin(m) * std::cos(2 * l) -
                          0.5 * y * y * std::sin(4 * l) - 1.25 * e * e * std::sin(2 * m);
  return {Degrees(std::asin(std::sin(obliquity) * std::sin(apparentLongitude))), 4 * Degrees(equation)};
}

// Cosine of the hour angle at which the sun crosses the zenith distance; beyond +-1 it never does.
double CosHourAngle(double latitude, double declination) {
  const double phi = Radians(latitude), delta = Radians(declination);
  return std::cos(Radians(kZenithDegrees)) / (std::cos(phi) * std::cos(delta)) - std::tan(phi) * std::tan(delta);
}

// The sun's transit of the meridian nearest `near`, with the equation of time given.
int64_t TransitNear(int64_t near, double longitude, double equationOfTime) {
  const double minutesAfterUtcMidnight = 720 - 4 * longitude - equationOfTime;
  int64_t transit = FloorDiv(near, kSecondsPerDay) * kSecondsPerDay + Round(minutesAfterUtcMidnight * 60);
  while (transit - near > kHalfDay) transit -= kSecondsPerDay;
  while (near - transit > kHalfDay) transit += kSecondsPerDay;
  return transit;
}

// Rise (side -1) or set (side +1): first from the position at transit, then again with the
// position at the moment found, as the sun's declination moves through the day.
int64_t Crossing(int64_t transit, int side, double latitude, double longitude, double hourAngle) {
  int64_t moment = transit + side * Round(hourAngle * 240);  // 4 minutes a degree
  for (int i = 0; i < kRefinements; ++i) {
    const SolarPosition position = PositionAt(moment);
    const double cosine = CosHourAngle(latitude, position.declination);
    if (cosine < -1 || cosine > 1) break;  // the last estimate is as near as this day gets
    const int64_t shiftedTransit = TransitNear(transit, longitude, position.equationOfTime);
    moment = shiftedTransit + side * Round(Degrees(std::acos(cosine)) * 240);
  }
  return moment;
}

}  // namespace

SunDay SunOn(const LocalDate& date, double latitude, double longitude, const TimeZonePort& zone) {
  // The tangent at a pole is infinite; a hair short of it gives the same polar answers.
  latitude = std::fmax(-89.999, std::fmin(89.999, latitude));
  const int64_t localNoon = UtcAt(date, kMinutesPerDay / 2, zone);
  int64_t transit = TransitNear(localNoon, longitude, PositionAt(localNoon).equationOfTime);
  const SolarPosition atTransit = PositionAt(transit);
  transit = TransitNear(localNoon, longitude, atTransit.equationOfTime);

  SunDay day;
  const double cosine = CosHourAngle(latitude, atTransit.declination);
  if (cosine > 1) {
    day.kind = SunDay::Kind::NeverRises;
  } else if (cosine < -1) {
    day.kind = SunDay::Kind::NeverSets;
  } else {
    const double hourAngle = Degrees(std::acos(cosine));
    day.sunriseUtc = Crossing(transit, -1, latitude, longitude, hourAngle);
    day.sunsetUtc = Crossing(transit, +1, latitude, longitude, hourAngle);
  }
  return day;
}
