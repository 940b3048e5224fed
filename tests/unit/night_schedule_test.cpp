#include "night/night_schedule.h"

#include <gtest/gtest.h>

#include "fake_time_zone.h"

namespace {

NightSchedule Clock(int start, int end, int transition) { return {true, false, start, end, 0, 0, false, transition}; }
NightSchedule BySun(double latitude, double longitude) { return {true, true, 0, 0, latitude, longitude, true}; }

const FixedZone kUtc(0);
const EuZone kBerlin(60);
const char* const kPhaseNames[] = {"Off", "Day", "Evening", "Night", "Morning"};
const char* Name(NightPhase phase) { return kPhaseNames[static_cast<int>(phase)]; }

// Days since 1970 by GNU date (date -ud DATE +%s, over 86400); 1970-01-01 was a Thursday.
TEST(NightTime, CalendarAndLocalClock) {
  const struct {
    int year, month, day, days, weekday;
  } cases[] = {
      {1970, 1, 1, 0, 4},      {1969, 12, 31, -1, 3},   {2000, 1, 1, 10957, 6},   {2000, 3, 1, 11017, 3},
      {2038, 1, 19, 24855, 2}, {1900, 3, 1, -25508, 4}, {2400, 2, 29, 157113, 2},
  };
  for (const auto& c : cases) {
    const LocalDate date{c.year, c.month, c.day};
    EXPECT_EQ(DaysFromCivil(date), c.days) << c.year << "-" << c.month << "-" << c.day;
    EXPECT_TRUE(CivilFromDays(c.days) == date) << c.days;
    EXPECT_EQ(Weekday(date), c.weekday) << c.days;
  }
  EXPECT_TRUE(!IsValidDate({2026, 2, 29}) && IsValidDate({2028, 2, 29}));
  EXPECT_TRUE(LocalDateAt(-1, kUtc) == (LocalDate{1969, 12, 31}));
  EXPECT_EQ(LocalMinuteAt(-1, kUtc), 1439);
  // Berlin's clocks in 2026 go forward on 29 March (02:30 never shows: read as 03:30 CEST) and back on 25 October
  // (02:30 shows twice: the first counts).
  EXPECT_EQ(UtcAt({2026, 3, 29}, 150, kBerlin), Utc(2026, 3, 29, 1, 30));
  EXPECT_EQ(UtcAt({2026, 10, 25}, 150, kBerlin), Utc(2026, 10, 25, 0, 30));
  EXPECT_TRUE(LocalDateAt(Utc(2026, 10, 24, 22, 30), kBerlin) == (LocalDate{2026, 10, 25}));
  EXPECT_EQ(LocalMinuteAt(Utc(2026, 10, 24, 22, 30), kBerlin), 30);
}

// Worked by hand from the rules: the evening change starts at the night's start, the morning change ends at its end;
// smoothstep(0.2) = 0.104, smoothstep(0.5) = 0.5. A night shorter than two transitions is half evening, half morning;
// start == end, off, or by the sun without a place: no night. In Berlin the nights the clocks change are an hour longer
// or shorter, not shifted: 21:00 to 07:00 local.
TEST(NightSchedule, PhasesFractionsAndNextChanges) {
  const int64_t d = Utc(2026, 1, 14, 0, 0);  // local = UTC
  const auto at = [d](int day, int hour, int minute) { return d + day * kSecondsPerDay + hour * 3600 + minute * 60; };
  const NightSchedule late = Clock(1260, 420, 30), early = Clock(60, 360, 60), sharp = Clock(1260, 420, 0);
  const NightSchedule oneHour = Clock(1320, 1380, 45), same = Clock(1260, 1260, 30);
  const NightSchedule off{false, false, 1260, 420}, placeless{true, true};  // by the sun without a place
  using P = NightPhase;
  const struct {
    NightSchedule schedule;
    int64_t now;
    P phase;
    double fraction;
    int64_t next, start, end;
    const TimeZonePort* zone = &kUtc;
  } cases[] = {
      {late, at(0, 12, 0), P::Day, 0, at(0, 21, 0), at(0, 21, 0), at(1, 7, 0)},
      {late, at(0, 21, 0), P::Evening, 0, at(0, 21, 30), at(0, 21, 0), at(1, 7, 0)},
      {late, at(0, 21, 6), P::Evening, 0.104, at(0, 21, 30), at(0, 21, 0), at(1, 7, 0)},
      {late, at(0, 21, 30), P::Night, 1, at(1, 6, 30), at(0, 21, 0), at(1, 7, 0)},
      {late, at(1, 3, 0), P::Night, 1, at(1, 6, 30), at(0, 21, 0), at(1, 7, 0)},
      {late, at(1, 6, 30), P::Morning, 1, at(1, 7, 0), at(0, 21, 0), at(1, 7, 0)},
      {late, at(1, 7, 0), P::Day, 0, at(1, 21, 0), at(1, 21, 0), at(2, 7, 0)},
      {early, at(0, 0, 30), P::Day, 0, at(0, 1, 0), at(0, 1, 0), at(0, 6, 0)},
      {early, at(0, 3, 0), P::Night, 1, at(0, 5, 0), at(0, 1, 0), at(0, 6, 0)},
      {early, at(0, 23, 0), P::Day, 0, at(1, 1, 0), at(1, 1, 0), at(1, 6, 0)},
      {sharp, at(0, 21, 0), P::Night, 1, at(1, 7, 0), at(0, 21, 0), at(1, 7, 0)},
      {oneHour, at(0, 22, 15), P::Evening, 0.5, at(0, 22, 30), at(0, 22, 0), at(0, 23, 0)},
      {oneHour, at(0, 22, 30), P::Morning, 1, at(0, 23, 0), at(0, 22, 0), at(0, 23, 0)},
      {same, at(0, 21, 0), P::Day, 0, at(1, 0, 0), 0, 0},  // looked at again at midnight
      {off, at(0, 23, 0), P::Off, 0, 0, 0, 0},
      {placeless, at(0, 23, 0), P::Off, 0, 0, 0, 0},
      {late, Utc(2026, 10, 25, 3, 0), P::Night, 1, Utc(2026, 10, 25, 5, 30), Utc(2026, 10, 24, 19, 0),
       Utc(2026, 10, 25, 6, 0), &kBerlin},
      {late, Utc(2026, 3, 29, 3, 0), P::Night, 1, Utc(2026, 3, 29, 4, 30), Utc(2026, 3, 28, 20, 0),
       Utc(2026, 3, 29, 5, 0), &kBerlin},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases << "; times in seconds after the first midnight");
    const NightNow now = NightAt(c.schedule, c.now, *c.zone);
    EXPECT_STREQ(Name(now.phase), Name(c.phase));
    EXPECT_NEAR(now.fraction, c.fraction, 1e-9);
    EXPECT_EQ(now.nextChangeUtc - d, c.next - d);
    EXPECT_EQ(now.nightStartUtc - d, c.start - d);
    EXPECT_EQ(now.nightEndUtc - d, c.end - d);
    EXPECT_EQ(PauseUntilNextChange(c.schedule, c.now, *c.zone) - d, c.end - d) << "pause";
  }
}

// Every second of a 30-minute evening and morning: bounded, monotonic, and eased at both ends (a straight ramp would
// move 1/1800 = 5.6e-4 in the first second; smoothstep moves 9.3e-7).
TEST(NightSchedule, EasedFractionIsMonotonicBoundedAndSmooth) {
  const NightSchedule schedule = Clock(1260, 420, 30);
  const int64_t evening = Utc(2026, 1, 14, 21, 0), morning = Utc(2026, 1, 15, 6, 30);
  double up = 0, down = 1;
  for (int64_t second = 0; second <= 1800; ++second) {
    const double nextUp = NightAt(schedule, evening + second, kUtc).fraction;
    const double nextDown = NightAt(schedule, morning + second, kUtc).fraction;
    ASSERT_TRUE(nextUp >= up && nextUp <= 1 && nextDown <= down && nextDown >= 0) << second << " s in";
    up = nextUp;
    down = nextDown;
  }
  EXPECT_LT(NightAt(schedule, evening + 1, kUtc).fraction, 1e-5) << "first second of the evening";
  EXPECT_TRUE(up == 1 && down == 0);
}

// The fraction at each full hour of the 25-hour day Berlin's clocks go back: sample 3 is the second 02:00, 7 is 06:00
// (the morning's start), 8 is 07:00; 21:00 starts the evening. None when off.
TEST(NightSchedule, FractionsThroughTheDay) {
  NightSchedule schedule = Clock(1260, 420, 60);
  const std::vector<double> autumn = FractionsThroughTheDay(schedule, {2026, 10, 25}, kBerlin, 25);
  ASSERT_EQ(autumn.size(), 25u);
  for (int i = 0; i < 25; ++i) EXPECT_EQ(autumn[i], i <= 7 || i >= 23 ? 1 : 0) << "hour " << i << " of the 25";
  schedule.on = false;
  EXPECT_EQ(FractionsThroughTheDay(schedule, {2026, 1, 14}, kBerlin, 3), std::vector<double>(3, 0.0));
}

// London, 15 January 2026: sunset 16:21 UTC (US Naval Observatory); the night ends with the next morning's sunrise, a
// little before 08:00.
TEST(NightSchedule, BySunFromSunsetToSunriseAndInPolarDaysAndNights) {
  const NightNow noon = NightAt(BySun(51.5074, -0.1278), Utc(2026, 1, 15, 12, 0), kUtc);
  EXPECT_STREQ(Name(noon.phase), "Day");
  EXPECT_NEAR(noon.nightStartUtc, Utc(2026, 1, 15, 16, 21), 90);
  EXPECT_EQ(noon.nextChangeUtc, noon.nightStartUtc);
  EXPECT_TRUE(noon.nightEndUtc > Utc(2026, 1, 16, 7, 30) && noon.nightEndUtc < Utc(2026, 1, 16, 8, 0));

  // Tromso (69.65 N) at the solstices, when the polar night runs from about 27 November to 15 January; and (69.5 N,
  // 19.0 E) in May 2014 as the midnight sun comes, from USNO's times at UT+1: sunset on the 17th 23:06, sunrise on the
  // 18th 00:13, then no sunset until July.
  const NightSchedule tromso = BySun(69.6492, 18.9553);
  const NightNow summer = NightAt(tromso, Utc(2026, 6, 21, 10, 0), kBerlin);
  EXPECT_TRUE(summer.sunNeverSets && !summer.sunNeverRises);
  EXPECT_STREQ(Name(summer.phase), "Day");
  EXPECT_EQ(summer.nextChangeUtc, Utc(2026, 6, 21, 22, 0)) << "local midnight";

  const NightNow winter = NightAt(tromso, Utc(2026, 12, 21, 11, 0), kBerlin);
  EXPECT_TRUE(winter.sunNeverRises && !winter.sunNeverSets);
  EXPECT_STREQ(Name(winter.phase), "Night");
  EXPECT_EQ(winter.nextChangeUtc, Utc(2026, 12, 21, 23, 0)) << "local midnight";
  EXPECT_TRUE(winter.nightStartUtc > Utc(2026, 11, 24, 0, 0) && winter.nightStartUtc < Utc(2026, 11, 30, 0, 0));
  EXPECT_TRUE(winter.nightEndUtc > Utc(2027, 1, 12, 0, 0) && winter.nightEndUtc < Utc(2027, 1, 18, 0, 0));

  const NightSchedule may = BySun(69.5, 19.0);
  const NightNow last = NightAt(may, Utc(2014, 5, 17, 22, 30), kBerlin);
  EXPECT_NEAR(last.nightStartUtc, Utc(2014, 5, 17, 22, 6), 90);
  EXPECT_NEAR(last.nightEndUtc, Utc(2014, 5, 17, 23, 13), 90);
  // Each hour up to the polar day, the coming night is the short one ahead (under 6 h: 5.5 h on 30 April by
  // USNO), not July's, nor one that runs on into the polar day.
  for (int64_t now = Utc(2014, 5, 10, 0, 0); now < Utc(2014, 5, 22, 0, 0); now += 3600) {
    const NightNow night = NightAt(may, now, kBerlin);
    const int64_t length = night.nightEndUtc - night.nightStartUtc;
    EXPECT_TRUE(night.sunNeverSets || (night.nightStartUtc - now < 36 * 3600 && length > 0 && length < 6 * 3600))
        << (now - Utc(2014, 5, 10, 0, 0)) / 3600 << " h after 10 May";
  }
}

}  // namespace
