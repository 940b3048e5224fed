#include "night/sun.h"

#include <gtest/gtest.h>

#include "fake_time_zone.h"

namespace {

const FixedZone kHawaii(-600), kPacificStandard(-480), kPacificDaylight(-420), kBrasilia(-180), kNewZealand(720);
const EuZone kBritain(0), kNorway(60);
using Kind = SunDay::Kind;

// Published times as hhmm on the clock each source states (`offset` minutes ahead of UTC), on the local date. All
// sources round to the minute, hence 90 s: 30 s of rounding and a minute for the equations.
//  USNO-D: US Naval Observatory, Astronomical Applications Dept., "Complete Sun and Moon Data for
//          One Day" (aa.usno.navy.mil/data/RS_OneDay), for the coordinates given.
//  USNO-Y: the same department's "Rise and Set for the Sun for 2012", San Francisco
//          (W122 26, N37 46), Pacific Standard Time.
//  USNO-C: USNO values in UTC for Brasilia and Longyearbyen, 2020, as tabulated in the
//          usno_reference_testdata files of github.com/klausbrunner/solarpositioning.
//  TAD:    timeanddate.com, Honolulu (21.3069 N, 157.8583 W), 8 October 2021, HST.
//  Tromso: USNO-D for E19.0 N69.5 at UT+1, quoted at answers.com, "How many hours of daylight in
//          north Norway in April".
const struct {
  const char* what;
  double latitude, longitude;
  const TimeZonePort* zone;
  int year, month, day, offset, sunrise, sunset;
  Kind kind = Kind::Normal;
} kDays[] = {
    // Mid latitudes both seasons: winter without daylight saving, summer with it.
    {"London winter (USNO-D, UTC)", 51.5074, -0.1278, &kBritain, 2026, 1, 15, 0, 759, 1621},
    {"London summer (USNO-D, BST)", 51.5074, -0.1278, &kBritain, 2026, 7, 24, 60, 513, 2101},
    {"San Francisco midsummer (USNO-Y, PST)", 37.7667, -122.4333, &kPacificDaylight, 2012, 6, 21, -480, 448, 1935},
    {"San Francisco midwinter (USNO-Y, PST)", 37.7667, -122.4333, &kPacificStandard, 2012, 12, 21, -480, 722, 1655},
    // Southern hemisphere.
    {"Brasilia summer (USNO-C, UTC)", -15.8, -47.85, &kBrasilia, 2020, 1, 5, 0, 846, 2148},
    {"Brasilia winter (USNO-C, UTC)", -15.8, -47.85, &kBrasilia, 2020, 6, 15, 0, 936, 2048},
    // Either side of the date line: the local date's sunrise is on the UTC date before (Auckland) or its sunset on the
    // UTC date after (Hawaii).
    {"Auckland winter (USNO-D, NZST)", -36.8485, 174.7633, &kNewZealand, 2026, 7, 24, 720, 726, 1729},
    {"Honolulu (TAD, HST)", 21.3069, -157.8583, &kHawaii, 2021, 10, 8, -600, 624, 1812},
    {"Hawaii, Mauna Kea (USNO-D, HST)", 19.8167, -155.4833, &kHawaii, 2003, 7, 15, -600, 551, 1904},
    // High latitude on ordinary days.
    {"Tromso 1 April (UT+1)", 69.5, 19.0, &kNorway, 2014, 4, 1, 60, 450, 1849},
    {"Tromso 30 April (UT+1)", 69.5, 19.0, &kNorway, 2014, 4, 30, 60, 229, 2058},
    {"Longyearbyen 15 March (USNO-C, UTC)", 78.2167, 15.6333, &kNorway, 2020, 3, 15, 0, 527, 1649},
    // Polar days and nights need no times. Longyearbyen's kinds are USNO's (USNO-C); the others are well inside the
    // polar circles at the solstices.
    {"Tromso midsummer", 69.6492, 18.9553, &kNorway, 2026, 6, 21, 0, 0, 0, Kind::NeverSets},
    {"Tromso midwinter", 69.6492, 18.9553, &kNorway, 2026, 12, 21, 0, 0, 0, Kind::NeverRises},
    {"Longyearbyen 15 June", 78.2167, 15.6333, &kNorway, 2020, 6, 15, 0, 0, 0, Kind::NeverSets},
    {"Longyearbyen 15 December", 78.2167, 15.6333, &kNorway, 2020, 12, 15, 0, 0, 0, Kind::NeverRises},
    {"McMurdo in June", -77.85, 166.67, &kNewZealand, 2026, 6, 21, 0, 0, 0, Kind::NeverRises},
    {"McMurdo in December", -77.85, 166.67, &kNewZealand, 2026, 12, 21, 0, 0, 0, Kind::NeverSets},
    {"the North Pole in June", 90, 0, &kBritain, 2026, 6, 21, 0, 0, 0, Kind::NeverSets},
};

TEST(Sun, RiseSetAndPolarDaysMatchPublishedValues) {
  for (const auto& row : kDays) {
    const SunDay day = SunOn({row.year, row.month, row.day}, row.latitude, row.longitude, *row.zone);
    EXPECT_EQ(static_cast<int>(day.kind), static_cast<int>(row.kind))
        << row.what << " (0 normal, 1 never sets, 2 never rises)";
    if (row.kind != Kind::Normal || day.kind != Kind::Normal) continue;
    const auto utc = [&row](int hhmm) {
      return Utc(row.year, row.month, row.day, 0, hhmm / 100 * 60 + hhmm % 100 - row.offset);
    };
    EXPECT_NEAR(day.sunriseUtc, utc(row.sunrise), 90) << row.what << ": sunrise, seconds since 1970 UTC";
    EXPECT_NEAR(day.sunsetUtc, utc(row.sunset), 90) << row.what << ": sunset, seconds since 1970 UTC";
  }
}

}  // namespace
