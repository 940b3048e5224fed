#include "dialog/night_dialog_text.h"

#include <gtest/gtest.h>

#include <map>

#include "fake_time_zone.h"
#include "night/night_settings.h"
#include "night/sun.h"
#include "test_text.h"
#include "text_ids.h"

void PrintTo(const StripColour& c, std::ostream* os) { *os << +c.red << "/" << +c.green << "/" << +c.blue; }

namespace {

// The English texts as the dialog's rules word them.
std::u16string English(int id) {
  static const std::map<int, std::u16string> texts = {
      {kTextNightTodaySun, u"Today: sunset %s, sunrise %s"},
      {kTextNightTonightClock, u"Tonight: %s to %s"},
      {kTextNightSunNeverSets, u"The sun does not set today"},
      {kTextNightSunNeverRises, u"The sun does not rise today"},
      {kTextNightNoNight, u"No night"},
      {kTextNightOnDisplay, u"Night mode on this display: %s"},
  };
  return texts.count(id) ? texts.at(id) : u"?";
}

NightSchedule Sun(double latitude, double longitude) { return {false, true, 0, 0, latitude, longitude, true}; }

const FixedZone kCet(60);

// Described as set, night mode off. The sun module's own times are the reference for Berlin: the
// line must name the coming night at noon and the night under way at 02:00.
TEST(ScheduleLine, ClockSunAndPolarDays) {
  const SunDay today = SunOn({2026, 12, 8}, 52.52, 13.405, kCet);
  const SunDay tomorrow = SunOn({2026, 12, 9}, 52.52, 13.405, kCet);
  const std::string berlin = "Today: sunset " + Utf8(FormatClock(LocalMinuteAt(today.sunsetUtc, kCet))) + ", sunrise " +
                             Utf8(FormatClock(LocalMinuteAt(tomorrow.sunriseUtc, kCet)));
  const int64_t noon = Utc(2026, 12, 8, 11, 0);
  const struct {
    NightSchedule schedule;
    int64_t now;
    std::string line;
  } cases[] = {
      {{false, false, 21 * 60, 7 * 60}, noon, "Tonight: 21:00 to 07:00"},
      {{false, false, 600, 600}, noon, "No night"},
      {Sun(52.52, 13.405), noon, berlin},
      {Sun(52.52, 13.405), Utc(2026, 12, 9, 1, 0), berlin},
      {Sun(78.22, 15.65), Utc(2026, 6, 21, 11, 0), "The sun does not set today"},
      {Sun(78.22, 15.65), Utc(2026, 12, 21, 11, 0), "The sun does not rise today"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Utf8(ScheduleLine(c.schedule, c.now, kCet, English, FormatClock)), c.line) << "case " << &c - cases;
}

TEST(NightDialogText, DisplayLabelDegreesAndMinutes) {
  EXPECT_EQ(Utf8(DisplayCheckLabel(u"2 - AT&T 27", English)), "Night mode on this display: 2 - AT&&T 27");
  EXPECT_EQ(Utf8(DegreesText(52.52, u',')), "52,52");
  // The change's length: digits with spaces around, 0..120; a refused text leaves the value alone (-1).
  const std::pair<const char16_t*, int> cases[] = {{u"0", 0},    {u" 120 ", 120}, {u"007", 7},  {u"", -1},
                                                   {u"121", -1}, {u"-5", -1},     {u"4 5", -1}, {u"3.5", -1}};
  for (const auto& [typed, minutes] : cases) {
    int seen = -1;
    EXPECT_EQ(ParseTransitionMinutes(typed, &seen), minutes >= 0) << Utf8(typed);
    EXPECT_EQ(seen, minutes) << Utf8(typed);
  }
}

// 21:00 to 07:00 at 3400 K, (1, 0.7690, 0.5241) in the white-point table: 255 times that, rounded, times 0.8
// at -20 % at 03:00; white when off. Half way through a 60-minute evening the eased fraction is 0.5: 223.98
// mireds (4464.6 K, green 0.8662 and blue 0.7307 between the 4400 K and 4500 K rows) and -15 % of -30 %.
TEST(StripColours, TheWhitePointDimmedEasedAndWhiteWhenOff) {
  NightSettings settings{{true, false, 21 * 60, 7 * 60, 0, 0, false, 0}, 3400, -20};
  EXPECT_EQ(StripColours(settings, {2026, 1, 14}, kCet, 24).at(3), (StripColour{204, 157, 107})) << "03:00";
  settings.schedule.on = false;
  EXPECT_EQ(StripColours(settings, {2026, 1, 14}, kCet, 24).at(3), (StripColour{255, 255, 255})) << "off";
  settings = {{true, false, 21 * 60, 7 * 60, 0, 0, false, 60}, 3400, -30};
  EXPECT_EQ(StripColours(settings, {2026, 1, 14}, kCet, 48).at(43), (StripColour{217, 188, 158})) << "21:30";
}

// Berlin, 25 October 2026: the clocks go back, the day has 25 hours and a 250-pixel strip 10 pixels
// an hour from 00:00 CEST; 06:00 CET is the seventh hour.
TEST(StripMarks, NowAndEverySixHoursOnA25HourDay) {
  const EuZone berlin(60);
  const StripMarks marks = StripMarksFor({2026, 10, 25}, Utc(2026, 10, 25, 14, 0), berlin, 250);
  EXPECT_EQ(marks.now, 160) << "15:00 CET, 16 hours after midnight CEST";
  EXPECT_EQ(marks.hours, (std::vector<int>{70, 130, 190})) << "06:00, 12:00 and 18:00 CET";
  EXPECT_EQ(StripMarksFor({2026, 10, 25}, Utc(2026, 10, 25, 23, 0), berlin, 250).now, -1) << "already the next day";
}

}  // namespace
