#include "dialog/night_dialog_text.h"

#include <gtest/gtest.h>

#include <map>

#include "fake_time_zone.h"
#include "night/sun.h"
#include "test_text.h"
#include "text_ids.h"

namespace {

// The English texts as the dialog's rules word them.
std::u16string English(int id) {
  static const std::map<int, std::u16string> texts = {
      {kTextNightTodaySun, u"Today: sunset %s, sunrise %s"},
      {kTextNightTonightClock, u"Tonight: %s to %s"},
      {kTextNightSunNeverSets, u"The sun does not set today"},
      {kTextNightSunNeverRises, u"The sun does not rise today"},
      {kTextNightNoNight, u"No night"},
      {kTextNightNeedsLocation, u"Enter a location"},
      {kTextNightKelvin, u"%s K"},
      {kTextNightPercent, u"%s %%"},
      {kTextNightOnDisplay, u"Night mode on this display: %s"},
  };
  const auto found = texts.find(id);
  return found == texts.end() ? u"?" : found->second;
}

std::u16string TwoDigits(int n) {
  return std::u16string{static_cast<char16_t>(u'0' + n / 10), static_cast<char16_t>(u'0' + n % 10)};
}
std::u16string HourMinute(int minute) { return TwoDigits(minute / 60) + u":" + TwoDigits(minute % 60); }

NightSchedule Clock(int start, int end, int transition = 0) {
  NightSchedule schedule;
  schedule.startMinute = start;
  schedule.endMinute = end;
  schedule.transitionMinutes = transition;
  return schedule;
}

NightSchedule Sun(double latitude, double longitude) {
  NightSchedule schedule;
  schedule.sun = true;
  schedule.latitude = latitude;
  schedule.longitude = longitude;
  schedule.haveLocation = true;
  return schedule;
}

const FixedZone kCet(60);

TEST(ScheduleLine, ClockScheduleNamesItsTimesWhetherOnOrOff) {
  const int64_t noon = Utc(2026, 12, 8, 11, 0);
  EXPECT_EQ(Utf8(ScheduleLine(Clock(21 * 60, 7 * 60), noon, kCet, English, HourMinute)), "Tonight: 21:00 to 07:00");
  NightSchedule on = Clock(22 * 60 + 30, 6 * 60 + 5);
  on.on = true;
  EXPECT_EQ(Utf8(ScheduleLine(on, noon, kCet, English, HourMinute)), "Tonight: 22:30 to 06:05");
  EXPECT_EQ(Utf8(ScheduleLine(Clock(600, 600), noon, kCet, English, HourMinute)), "No night");
}

// The sun module's own times are the reference: the line must pick the right night's.
TEST(ScheduleLine, SunScheduleNamesTheCurrentOrComingNight) {
  const NightSchedule berlin = Sun(52.52, 13.405);
  const SunDay today = SunOn({2026, 12, 8}, 52.52, 13.405, kCet);
  const SunDay tomorrow = SunOn({2026, 12, 9}, 52.52, 13.405, kCet);
  const std::string expected = "Today: sunset " + Utf8(HourMinute(LocalMinuteAt(today.sunsetUtc, kCet))) +
                               ", sunrise " + Utf8(HourMinute(LocalMinuteAt(tomorrow.sunriseUtc, kCet)));
  EXPECT_EQ(expected.substr(0, 17), "Today: sunset 15:") << "Berlin's December sunset is before 16:00";
  EXPECT_EQ(Utf8(ScheduleLine(berlin, Utc(2026, 12, 8, 11, 0), kCet, English, HourMinute)), expected) << "noon";
  EXPECT_EQ(Utf8(ScheduleLine(berlin, Utc(2026, 12, 9, 1, 0), kCet, English, HourMinute)), expected)
      << "02:00 local: the night under way, begun the evening before";
}

TEST(ScheduleLine, PolarDaysAndAMissingLocation) {
  const NightSchedule svalbard = Sun(78.22, 15.65);
  EXPECT_EQ(Utf8(ScheduleLine(svalbard, Utc(2026, 6, 21, 11, 0), kCet, English, HourMinute)),
            "The sun does not set today");
  EXPECT_EQ(Utf8(ScheduleLine(svalbard, Utc(2026, 12, 21, 11, 0), kCet, English, HourMinute)),
            "The sun does not rise today");
  NightSchedule nowhere = svalbard;
  nowhere.haveLocation = false;
  EXPECT_EQ(Utf8(ScheduleLine(nowhere, Utc(2026, 12, 21, 11, 0), kCet, English, HourMinute)), "Enter a location");
}

TEST(NightDialogLabels, SlidersDisplaysAndEdits) {
  EXPECT_EQ(Utf8(KelvinLabel(3400, English)), "3400 K");
  EXPECT_EQ(Utf8(BrightnessLabel(-20, English)), "-20 %");
  EXPECT_EQ(Utf8(BrightnessLabel(0, English)), "0 %");
  EXPECT_EQ(Utf8(DisplayCheckLabel(u"2 - AT&T 27", English)), "Night mode on this display: 2 - AT&&T 27");
  EXPECT_EQ(Utf8(DegreesText(52.52, u',')), "52,52");
  EXPECT_EQ(Utf8(DegreesText(-0.1278, u'.')), "-0.1278");
  int minutes = -1;
  for (const auto& ok : {std::pair<const char16_t*, int>{u"0", 0}, {u"45", 45}, {u" 120 ", 120}, {u"007", 7}}) {
    EXPECT_TRUE(ParseTransitionMinutes(ok.first, &minutes)) << Utf8(ok.first);
    EXPECT_EQ(minutes, ok.second);
  }
  for (const char16_t* bad : {u"", u"121", u"-5", u"4 5", u"1000", u"3.5"}) {
    EXPECT_FALSE(ParseTransitionMinutes(bad, &minutes)) << Utf8(bad);
  }
}

NightSettings Night(const NightSchedule& schedule, int kelvin, int brightness) {
  NightSettings settings;
  settings.schedule = schedule;
  settings.schedule.on = true;
  settings.temperature = kelvin;
  settings.brightness = brightness;
  return settings;
}

// 3400 K is (1, 0.7690, 0.5241) in the white-point table: 255 times that, rounded.
TEST(StripColours, DayIsWhiteNightIsTheWhitePointDimmed) {
  const std::vector<StripColour> plain = StripColours(Night(Clock(21 * 60, 7 * 60), 3400, 0), {2026, 1, 14}, kCet, 24);
  ASSERT_EQ(plain.size(), 24u);
  EXPECT_TRUE(plain[12] == (StripColour{255, 255, 255})) << "noon";
  EXPECT_TRUE(plain[3] == (StripColour{255, 196, 134})) << "03:00";
  EXPECT_TRUE(plain[21] == (StripColour{255, 196, 134})) << "21:00";
  EXPECT_TRUE(plain[7] == (StripColour{255, 255, 255})) << "07:00";
  const std::vector<StripColour> dim = StripColours(Night(Clock(21 * 60, 7 * 60), 3400, -20), {2026, 1, 14}, kCet, 24);
  EXPECT_TRUE(dim[3] == (StripColour{204, 157, 107})) << "03:00 at -20 %: times 0.8";

  NightSettings off = Night(Clock(21 * 60, 7 * 60), 1900, -80);
  off.schedule.on = false;
  for (const StripColour& c : StripColours(off, {2026, 1, 14}, kCet, 24))
    EXPECT_TRUE(c == (StripColour{255, 255, 255}));
}

// Half way through a 60-minute evening the eased fraction is 0.5: 223.98 mireds (4464.6 K,
// green 0.8662 and blue 0.7307 between the 4400 K and 4500 K rows) and -15 % of -30 %.
TEST(StripColours, HalfWayThroughTheEveningChange) {
  const std::vector<StripColour> half =
      StripColours(Night(Clock(21 * 60, 7 * 60, 60), 3400, -30), {2026, 1, 14}, kCet, 48);
  EXPECT_TRUE(half[43] == (StripColour{217, 188, 158})) << "21:30";
}

// Berlin, 25 October 2026: the clocks go back, the day has 25 hours and a 25-pixel strip one
// hour per column from 00:00 CEST. 07:00 CET is the ninth hour; 21:00 CET the 23rd.
TEST(StripColours, TheDayTheClocksGoBackHas25Hours) {
  const EuZone berlin(60);
  const std::vector<StripColour> hours =
      StripColours(Night(Clock(21 * 60, 7 * 60), 3400, 0), {2026, 10, 25}, berlin, 25);
  const StripColour night{255, 196, 134}, day{255, 255, 255};
  EXPECT_TRUE(hours[7] == night) << "06:00 CET";
  EXPECT_TRUE(hours[8] == day) << "07:00 CET";
  EXPECT_TRUE(hours[21] == day) << "20:00 CET";
  EXPECT_TRUE(hours[22] == night) << "21:00 CET";

  const StripMarks marks = StripMarksFor({2026, 10, 25}, Utc(2026, 10, 25, 14, 0), berlin, 250);
  EXPECT_EQ(marks.now, 160) << "15:00 CET, 16 hours after midnight CEST";
  EXPECT_EQ(marks.hours, (std::vector<int>{70, 130, 190})) << "06:00, 12:00 and 18:00 CET";
}

TEST(StripMarks, NowAndEverySixHours) {
  const StripMarks marks = StripMarksFor({2026, 1, 14}, Utc(2026, 1, 14, 14, 0), kCet, 240);
  EXPECT_EQ(marks.now, 150) << "15:00 local";
  EXPECT_EQ(marks.hours, (std::vector<int>{60, 120, 180}));
  EXPECT_EQ(StripMarksFor({2026, 1, 14}, Utc(2026, 1, 14, 23, 0), kCet, 240).now, -1) << "already the next day";
}

}  // namespace
