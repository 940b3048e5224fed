// Sunrise and sunset for a place and a local date, from NOAA's published solar equations
// (the sun's upper edge at the horizon with standard refraction: zenith 90.833 degrees).
#pragma once

#include <cstdint>

#include "night/time_zone.h"

struct SunDay {
  enum class Kind { Normal, NeverSets, NeverRises } kind = Kind::Normal;  // polar day / polar night
  int64_t sunriseUtc = 0, sunsetUtc = 0;                                  // valid for Normal
};

// Sunrise and sunset on the local date at latitude (north +) and longitude (east +), decimal
// degrees. The day is the one whose solar noon is nearest the local clock's noon, so where the
// clock runs far from the sun (late summer evenings with daylight saving) the sunset can fall
// just after local midnight. Within a minute of NOAA's calculator between 72 degrees north and
// south; nearer the poles the equations themselves are good to some minutes.
SunDay SunOn(const LocalDate& date, double latitude, double longitude, const TimeZonePort& zone);
