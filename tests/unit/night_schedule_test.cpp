#include "night/night_schedule.h"

#include <gtest/gtest.h>

#include "fake_time_zone.h"

#include <string>

namespace {

NightSchedule Clock(int start, int end, int transition) {
  NightSchedule schedule;
  schedule.on = true;
  schedule.startMinute = start;
  schedule.endMinute = end;
  schedule.transitionMinutes = transition;
  return schedule;
}

const FixedZone kUtc(0);
const EuZone kBerlin(60);
const char* const kPhaseNames[] = {"Off", "Day", "Evening", "Night", "Morning"};
const char* Name(NightPhase phase) { return kPhaseNames[static_cast<int>(phase)]; }

// Days since 1970 by GNU date (date -ud DATE +%s, over 86400); 1970-01-01 was a Thursday.
TEST(NightTime, CalendarArithmeticMatchesKnownDates) {
  const struct {
    LocalDate date;
    int64_t days;
    int weekday;
  } cases[] = {
      {{1970, 1, 1}, 0, 4},      {{1969, 12, 31}, -1, 3},   {{2000, 1, 1}, 10957, 6},   {{2000, 3, 1}, 11017, 3},
      {{2038, 1, 19}, 24855, 2}, {{1900, 3, 1}, -25508, 4}, {{2400, 2, 29}, 157113, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DaysFromCivil(c.date), c.days) << c.date.year << "-" << c.date.month << "-" << c.date.day;
    EXPECT_TRUE(CivilFromDays(c.days) == c.date) << c.days;
    EXPECT_EQ(Weekday(c.date), c.weekday) << c.days;
  }
  EXPECT_FALSE(IsValidDate({2026, 2, 29}));
  EXPECT_TRUE(IsValidDate({2028, 2, 29}));
  EXPECT_TRUE(LocalDateAt(-1, kUtc) == (LocalDate{1969, 12, 31}));
  EXPECT_EQ(LocalMinuteAt(-1, kUtc), 1439);
}

// Berlin's clocks in 2026 go forward on 29 March and back on 25 October.
TEST(NightTime, LocalClockAcrossDaylightSaving) {
  EXPECT_EQ(UtcAt({2026, 1, 15}, 21 * 60, kBerlin), Utc(2026, 1, 15, 20, 0)) << "winter";
  EXPECT_EQ(UtcAt({2026, 7, 15}, 21 * 60, kBerlin), Utc(2026, 7, 15, 19, 0)) << "summer";
  EXPECT_EQ(UtcAt({2026, 3, 29}, 150, kBerlin), Utc(2026, 3, 29, 1, 30)) << "02:30 never shows: read as 03:30 CEST";
  EXPECT_EQ(UtcAt({2026, 10, 25}, 150, kBerlin), Utc(2026, 10, 25, 0, 30)) << "02:30 shows twice: the first";
  EXPECT_TRUE(LocalDateAt(Utc(2026, 10, 24, 22, 30), kBerlin) == (LocalDate{2026, 10, 25}));
  EXPECT_EQ(LocalMinuteAt(Utc(2026, 10, 24, 22, 30), kBerlin), 30);
}

// Worked by hand from the rules: the evening change starts at the night's start, the morning
// change ends at its end; smoothstep(0.5) = 0.5, smoothstep(0.2) = 0.104.
TEST(NightSchedule, PhasesFractionsAndNextChanges) {
  const int64_t d = Utc(2026, 1, 14, 0, 0);  // local = UTC
  const auto at = [d](int day, int hour, int minute) { return d + day * kSecondsPerDay + hour * 3600 + minute * 60; };
  const NightSchedule late = Clock(1260, 420, 30), early = Clock(60, 360, 60), sharp = Clock(1260, 420, 0);
  const NightSchedule oneHour = Clock(1320, 1380, 45);  // half an hour each way, no full night
  using P = NightPhase;
  const struct {
    NightSchedule schedule;
    int64_t now;
    P phase;
    double fraction;
    int64_t next, start, end;
  } cases[] = {
      {late, at(0, 12, 0), P::Day, 0, at(0, 21, 0), at(0, 21, 0), at(1, 7, 0)},
      {late, at(0, 21, 0), P::Evening, 0, at(0, 21, 30), at(0, 21, 0), at(1, 7, 0)},
      {late, at(0, 21, 6), P::Evening, 0.104, at(0, 21, 30), at(0, 21, 0), at(1, 7, 0)},
      {late, at(0, 21, 15), P::Evening, 0.5, at(0, 21, 30), at(0, 21, 0), at(1, 7, 0)},
      {late, at(0, 21, 30), P::Night, 1, at(1, 6, 30), at(0, 21, 0), at(1, 7, 0)},
      {late, at(1, 3, 0), P::Night, 1, at(1, 6, 30), at(0, 21, 0), at(1, 7, 0)},
      {late, at(1, 6, 30), P::Morning, 1, at(1, 7, 0), at(0, 21, 0), at(1, 7, 0)},
      {late, at(1, 6, 45), P::Morning, 0.5, at(1, 7, 0), at(0, 21, 0), at(1, 7, 0)},
      {late, at(1, 7, 0), P::Day, 0, at(1, 21, 0), at(1, 21, 0), at(2, 7, 0)},
      {early, at(0, 0, 30), P::Day, 0, at(0, 1, 0), at(0, 1, 0), at(0, 6, 0)},
      {early, at(0, 1, 30), P::Evening, 0.5, at(0, 2, 0), at(0, 1, 0), at(0, 6, 0)},
      {early, at(0, 3, 0), P::Night, 1, at(0, 5, 0), at(0, 1, 0), at(0, 6, 0)},
      {early, at(0, 5, 30), P::Morning, 0.5, at(0, 6, 0), at(0, 1, 0), at(0, 6, 0)},
      {early, at(0, 6, 0), P::Day, 0, at(1, 1, 0), at(1, 1, 0), at(1, 6, 0)},
      {early, at(0, 23, 0), P::Day, 0, at(1, 1, 0), at(1, 1, 0), at(1, 6, 0)},
      {sharp, at(0, 21, 0), P::Night, 1, at(1, 7, 0), at(0, 21, 0), at(1, 7, 0)},
      {sharp, at(1, 7, 0), P::Day, 0, at(1, 21, 0), at(1, 21, 0), at(2, 7, 0)},
      {oneHour, at(0, 22, 15), P::Evening, 0.5, at(0, 22, 30), at(0, 22, 0), at(0, 23, 0)},
      {oneHour, at(0, 22, 30), P::Morning, 1, at(0, 23, 0), at(0, 22, 0), at(0, 23, 0)},
      {oneHour, at(0, 22, 45), P::Morning, 0.5, at(0, 23, 0), at(0, 22, 0), at(0, 23, 0)},
  };
  for (const auto& c : cases) {
    const NightNow now = NightAt(c.schedule, c.now, kUtc);
    const std::string what = std::to_string(c.schedule.startMinute) + ".." + std::to_string(c.schedule.endMinute) +
                             " at " + std::to_string((c.now - d) / 60) + " min";
    EXPECT_STREQ(Name(now.phase), Name(c.phase)) << what;
    EXPECT_NEAR(now.fraction, c.fraction, 1e-9) << what;
    EXPECT_EQ(now.nextChangeUtc - d, c.next - d) << what << ": next change, seconds after the first midnight";
    EXPECT_EQ(now.nightStartUtc - d, c.start - d) << what << ": night start";
    EXPECT_EQ(now.nightEndUtc - d, c.end - d) << what << ": night end";
    EXPECT_EQ(PauseUntilNextChange(c.schedule, c.now, kUtc) - d, c.end - d) << what << ": pause";
  }
}

TEST(NightSchedule, OffAndStartEqualToEndGiveNoNight) {
  NightSchedule off = Clock(1260, 420, 30);
  off.on = false;
  NightSchedule sunWithoutPlace = Clock(1260, 420, 30);
  sunWithoutPlace.sun = true;
  for (int hour = 0; hour < 48; hour += 3) {
    const int64_t now = Utc(2026, 1, 14, 0, 0) + hour * 3600;
    EXPECT_STREQ(Name(NightAt(off, now, kUtc).phase), "Off") << hour;
    EXPECT_STREQ(Name(NightAt(sunWithoutPlace, now, kUtc).phase), "Off") << hour;
    const NightNow same = NightAt(Clock(1260, 1260, 30), now, kUtc);
    EXPECT_STREQ(Name(same.phase), "Day") << hour;
    EXPECT_EQ(same.fraction, 0) << hour;
    EXPECT_EQ(same.nightEndUtc, 0) << hour;
    EXPECT_EQ(same.nextChangeUtc, Utc(2026, 1, 15 + hour / 24, 0, 0)) << hour << ": looked at again at midnight";
  }
}

// Every second of a 30-minute evening and morning: bounded, monotonic, and eased at both ends
// (a straight ramp would move 1/1800 = 5.6e-4 in the first second; smoothstep moves 9.3e-7).
TEST(NightSchedule, EasedFractionIsMonotonicBoundedAndSmooth) {
  const NightSchedule schedule = Clock(1260, 420, 30);
  const int64_t evening = Utc(2026, 1, 14, 21, 0), morning = Utc(2026, 1, 15, 6, 30);
  double lastEvening = 0, lastMorning = 1;
  for (int64_t second = 0; second <= 1800; ++second) {
    const double up = NightAt(schedule, evening + second, kUtc).fraction;
    const double down = NightAt(schedule, morning + second, kUtc).fraction;
    ASSERT_TRUE(up >= lastEvening && up <= 1) << second << " s into the evening: " << up << " after " << lastEvening;
    ASSERT_TRUE(down <= lastMorning && down >= 0) << second << " s into the morning: " << down;
    lastEvening = up;
    lastMorning = down;
  }
  EXPECT_LT(NightAt(schedule, evening + 1, kUtc).fraction, 1e-5) << "first second of the evening";
  EXPECT_GT(NightAt(schedule, evening + 1799, kUtc).fraction, 1 - 1e-5) << "last second of the evening";
  EXPECT_EQ(lastEvening, 1);
  EXPECT_EQ(lastMorning, 0);
}

// 21:00 to 07:00 local over both changes: the night is an hour shorter or longer, not shifted.
TEST(NightSchedule, ClockChangeNightsEndAtSevenLocal) {
  const struct {
    const char* what;
    int64_t now, start, end;
  } cases[] = {
      {"autumn", Utc(2026, 10, 25, 3, 0), Utc(2026, 10, 24, 19, 0), Utc(2026, 10, 25, 6, 0)},
      {"spring", Utc(2026, 3, 29, 3, 0), Utc(2026, 3, 28, 20, 0), Utc(2026, 3, 29, 5, 0)},
  };
  for (const auto& c : cases) {
    const NightNow now = NightAt(Clock(1260, 420, 30), c.now, kBerlin);
    EXPECT_STREQ(Name(now.phase), "Night") << c.what;
    EXPECT_EQ(now.nightStartUtc, c.start) << c.what;
    EXPECT_EQ(now.nightEndUtc, c.end) << c.what;
    EXPECT_EQ(now.nextChangeUtc, c.end - 1800) << c.what << ": the morning starts half an hour before 07:00";
  }
}

// The fraction at each full hour of a day; 25 hours on the day Berlin's clocks go back.
TEST(NightSchedule, FractionsThroughTheDay) {
  const NightSchedule schedule = Clock(1260, 420, 60);
  const std::vector<double> ordinary = FractionsThroughTheDay(schedule, {2026, 1, 14}, kBerlin, 24);
  const std::vector<double> autumn = FractionsThroughTheDay(schedule, {2026, 10, 25}, kBerlin, 25);
  ASSERT_EQ(ordinary.size(), 24u);
  ASSERT_EQ(autumn.size(), 25u);
  for (int i = 0; i < 24; ++i) {  // 00:00..06:00 night (06:00 starts the morning), 21:00 starts the evening
    EXPECT_EQ(ordinary[i], i <= 6 || i >= 22 ? 1 : 0) << i << ":00";
  }
  for (int i = 0; i < 25; ++i) {  // sample 3 is the second 02:00, sample 7 is 06:00, sample 8 07:00
    EXPECT_EQ(autumn[i], i <= 7 || i >= 23 ? 1 : 0) << "hour " << i << " of the 25";
  }
  NightSchedule off = schedule;
  off.on = false;
  EXPECT_EQ(FractionsThroughTheDay(off, {2026, 1, 14}, kBerlin, 3), std::vector<double>(3, 0.0));
  EXPECT_TRUE(FractionsThroughTheDay(schedule, {2026, 1, 14}, kBerlin, 0).empty());
}

NightSchedule BySun(double latitude, double longitude) {
  NightSchedule schedule = Clock(0, 0, 30);
  schedule.sun = true;
  schedule.haveLocation = true;
  schedule.latitude = latitude;
  schedule.longitude = longitude;
  return schedule;
}

// London, 15 January 2026: sunset 16:21 UTC (US Naval Observatory); the night ends with the
// next morning's sunrise, a little before 08:00.
TEST(NightSchedule, SunScheduleRunsFromSunsetToSunrise) {
  const NightNow noon = NightAt(BySun(51.5074, -0.1278), Utc(2026, 1, 15, 12, 0), kUtc);
  EXPECT_STREQ(Name(noon.phase), "Day");
  EXPECT_NEAR(noon.nightStartUtc, Utc(2026, 1, 15, 16, 21), 90);
  EXPECT_EQ(noon.nextChangeUtc, noon.nightStartUtc);
  EXPECT_GT(noon.nightEndUtc, Utc(2026, 1, 16, 7, 30));
  EXPECT_LT(noon.nightEndUtc, Utc(2026, 1, 16, 8, 0));
}

// Tromso (69.65 N) at the solstices, when the polar night runs from about 27 November to
// 15 January; and (69.5 N, 19.0 E) in May 2014 as the midnight sun comes, from USNO's times at
// UT+1: sunset on the 17th 23:06, sunrise on the 18th 00:13, then no sunset until July.
TEST(NightSchedule, SunSchedulePolarDayAndNight) {
  const NightSchedule tromso = BySun(69.6492, 18.9553);
  const NightNow summer = NightAt(tromso, Utc(2026, 6, 21, 10, 0), kBerlin);
  EXPECT_TRUE(summer.sunNeverSets && !summer.sunNeverRises);
  EXPECT_STREQ(Name(summer.phase), "Day");
  EXPECT_EQ(summer.fraction, 0);
  EXPECT_EQ(summer.nextChangeUtc, Utc(2026, 6, 21, 22, 0)) << "local midnight";

  const NightNow winter = NightAt(tromso, Utc(2026, 12, 21, 11, 0), kBerlin);
  EXPECT_TRUE(winter.sunNeverRises && !winter.sunNeverSets);
  EXPECT_STREQ(Name(winter.phase), "Night");
  EXPECT_EQ(winter.fraction, 1);
  EXPECT_EQ(winter.nextChangeUtc, Utc(2026, 12, 21, 23, 0)) << "local midnight";
  EXPECT_TRUE(winter.nightStartUtc > Utc(2026, 11, 24, 0, 0) && winter.nightStartUtc < Utc(2026, 11, 30, 0, 0));
  EXPECT_TRUE(winter.nightEndUtc > Utc(2027, 1, 12, 0, 0) && winter.nightEndUtc < Utc(2027, 1, 18, 0, 0));

  const NightSchedule may = BySun(69.5, 19.0);
  const NightNow last = NightAt(may, Utc(2014, 5, 17, 22, 30), kBerlin);
  EXPECT_NEAR(last.nightStartUtc, Utc(2014, 5, 17, 22, 6), 90);
  EXPECT_NEAR(last.nightEndUtc, Utc(2014, 5, 17, 23, 13), 90);
  // Each hour up to the polar day, the coming night is the short one ahead, not July's.
  for (int64_t now = Utc(2014, 5, 10, 0, 0); now < Utc(2014, 5, 22, 0, 0); now += 3600) {
    const NightNow night = NightAt(may, now, kBerlin);
    if (night.sunNeverSets) continue;
    EXPECT_LT(night.nightStartUtc - now, 36 * 3600) << (now - Utc(2014, 5, 10, 0, 0)) / 3600 << " h after 10 May";
    EXPECT_GT(night.nightEndUtc, night.nightStartUtc) << (now - Utc(2014, 5, 10, 0, 0)) / 3600 << " h after 10 May";
  }
}

}  // namespace
