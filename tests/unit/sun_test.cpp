#include "night/sun.h"

#include <gtest/gtest.h>

#include "fake_time_zone.h"

namespace {

const FixedZone kHawaii(-600), kPacificStandard(-480), kPacificDaylight(-420), kBrasilia(-180), kNewZealand(720);
const EuZone kBritain(0), kNorway(60);

// Published times, turned into UTC by the offset each source states. All sources round to the
// minute, hence 90 s: 30 s of rounding and a minute for the equations.
//  USNO-D: US Naval Observatory, Astronomical Applications Dept., "Complete Sun and Moon Data for
//          One Day" (aa.usno.navy.mil/data/RS_OneDay), for the coordinates given.
//  USNO-Y: the same department's "Rise and Set for the Sun for 2012", San Francisco
//          (W122 26, N37 46), Pacific Standard Time.
//  USNO-C: USNO values in UTC for Brasilia and Longyearbyen, 2020, as tabulated in the
//          usno_reference_testdata files of github.com/klausbrunner/solarpositioning.
//  TAD:    timeanddate.com, Honolulu (21.3069 N, 157.8583 W), 8 October 2021, HST.
constexpr int64_t kTolerance = 90;
const struct {
  const char* what;
  LocalDate date;
  double latitude, longitude;
  const TimeZonePort* zone;
  int64_t sunrise, sunset;
} kPublished[] = {
    // Mid latitudes both seasons: winter without daylight saving, summer with it.
    {"London winter (USNO-D)",
     {2026, 1, 15},
     51.5074,
     -0.1278,
     &kBritain,
     Utc(2026, 1, 15, 7, 59),
     Utc(2026, 1, 15, 16, 21)},
    {"London summer (USNO-D, BST)",
     {2026, 7, 24},
     51.5074,
     -0.1278,
     &kBritain,
     Utc(2026, 7, 24, 4, 13),
     Utc(2026, 7, 24, 20, 1)},
    {"San Francisco midsummer (USNO-Y 04:48, 19:35 PST)",
     {2012, 6, 21},
     37.7667,
     -122.4333,
     &kPacificDaylight,
     Utc(2012, 6, 21, 12, 48),
     Utc(2012, 6, 22, 3, 35)},
    {"San Francisco midwinter (USNO-Y 07:22, 16:55 PST)",
     {2012, 12, 21},
     37.7667,
     -122.4333,
     &kPacificStandard,
     Utc(2012, 12, 21, 15, 22),
     Utc(2012, 12, 22, 0, 55)},
    // Southern hemisphere.
    {"Brasilia summer (USNO-C)",
     {2020, 1, 5},
     -15.8,
     -47.85,
     &kBrasilia,
     Utc(2020, 1, 5, 8, 46),
     Utc(2020, 1, 5, 21, 48)},
    {"Brasilia winter (USNO-C)",
     {2020, 6, 15},
     -15.8,
     -47.85,
     &kBrasilia,
     Utc(2020, 6, 15, 9, 36),
     Utc(2020, 6, 15, 20, 48)},
    // Either side of the date line: the local date's sunrise is on the UTC date before (Auckland)
    // or its sunset on the UTC date after (Hawaii).
    {"Auckland winter (USNO-D 07:26, 17:29 NZST)",
     {2026, 7, 24},
     -36.8485,
     174.7633,
     &kNewZealand,
     Utc(2026, 7, 23, 19, 26),
     Utc(2026, 7, 24, 5, 29)},
    {"Honolulu (TAD 06:24, 18:12 HST)",
     {2021, 10, 8},
     21.3069,
     -157.8583,
     &kHawaii,
     Utc(2021, 10, 8, 16, 24),
     Utc(2021, 10, 9, 4, 12)},
    {"Hawaii, Mauna Kea (USNO-D 05:51, 19:04 HST)",
     {2003, 7, 15},
     19.8167,
     -155.4833,
     &kHawaii,
     Utc(2003, 7, 15, 15, 51),
     Utc(2003, 7, 16, 5, 4)},
    // High latitude on ordinary days (USNO-D for E19.0 N69.5 at UT+1, quoted at answers.com,
    // "How many hours of daylight in north Norway in April").
    {"Tromso 1 April (04:50, 18:49 UT+1)",
     {2014, 4, 1},
     69.5,
     19.0,
     &kNorway,
     Utc(2014, 4, 1, 3, 50),
     Utc(2014, 4, 1, 17, 49)},
    {"Tromso 30 April (02:29, 20:58 UT+1)",
     {2014, 4, 30},
     69.5,
     19.0,
     &kNorway,
     Utc(2014, 4, 30, 1, 29),
     Utc(2014, 4, 30, 19, 58)},
    {"Longyearbyen 15 March (USNO-C)",
     {2020, 3, 15},
     78.2167,
     15.6333,
     &kNorway,
     Utc(2020, 3, 15, 5, 27),
     Utc(2020, 3, 15, 16, 49)},
};

TEST(Sun, RiseAndSetMatchPublishedTimes) {
  for (const auto& row : kPublished) {
    const SunDay day = SunOn(row.date, row.latitude, row.longitude, *row.zone);
    ASSERT_EQ(day.kind, SunDay::Kind::Normal) << row.what;
    EXPECT_NEAR(day.sunriseUtc, row.sunrise, kTolerance) << row.what << ": sunrise, seconds since 1970 UTC";
    EXPECT_NEAR(day.sunsetUtc, row.sunset, kTolerance) << row.what << ": sunset, seconds since 1970 UTC";
  }
}

// Polar days and nights need no times. Longyearbyen's kinds are USNO's (USNO-C); the others are
// well inside the polar circles at the solstices.
TEST(Sun, PolarDaysAndNights) {
  const struct {
    const char* what;
    LocalDate date;
    double latitude, longitude;
    const TimeZonePort* zone;
    SunDay::Kind kind;
  } cases[] = {
      {"Tromso midsummer", {2026, 6, 21}, 69.6492, 18.9553, &kNorway, SunDay::Kind::NeverSets},
      {"Tromso midwinter", {2026, 12, 21}, 69.6492, 18.9553, &kNorway, SunDay::Kind::NeverRises},
      {"Longyearbyen 15 June", {2020, 6, 15}, 78.2167, 15.6333, &kNorway, SunDay::Kind::NeverSets},
      {"Longyearbyen 15 December", {2020, 12, 15}, 78.2167, 15.6333, &kNorway, SunDay::Kind::NeverRises},
      {"McMurdo in June", {2026, 6, 21}, -77.85, 166.67, &kNewZealand, SunDay::Kind::NeverRises},
      {"McMurdo in December", {2026, 12, 21}, -77.85, 166.67, &kNewZealand, SunDay::Kind::NeverSets},
      {"the North Pole in June", {2026, 6, 21}, 90, 0, &kBritain, SunDay::Kind::NeverSets},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(static_cast<int>(SunOn(c.date, c.latitude, c.longitude, *c.zone).kind), static_cast<int>(c.kind))
        << c.what << " (0 normal, 1 never sets, 2 never rises)";
  }
}

}  // namespace
