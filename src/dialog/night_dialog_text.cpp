#include "dialog/night_dialog_text.h"

#include <algorithm>
#include <cmath>

#include "common/text.h"
#include "night/night_look.h"
#include "night/night_schedule.h"
#include "night/white_point.h"
#include "text_ids.h"

namespace {

std::u16string Fill(NightTextOf textOf, int id, std::initializer_list<std::u16string_view> values) {
  return text::FillIn(textOf(id).c_str(), values);
}

uint8_t Channel(double value) { return static_cast<uint8_t>(std::clamp(std::lround(255 * value), 0L, 255L)); }

// The column a moment of the day falls in, as FractionsThroughTheDay spaces its samples.
int ColumnOf(int64_t utc, int64_t dayStart, int64_t dayLength, int width) {
  return static_cast<int>(FloorDiv((utc - dayStart) * width, dayLength));
}

}  // namespace

std::u16string ScheduleLine(const NightSchedule& schedule, int64_t nowUtc, const TimeZonePort& zone, NightTextOf textOf,
                            NightClockText clock) {
  if (!schedule.sun) {
    const int start = std::clamp(schedule.startMinute, 0, kMinutesPerDay - 1);
    const int end = std::clamp(schedule.endMinute, 0, kMinutesPerDay - 1);
    if (start == end) return textOf(kTextNightNoNight);
    return Fill(textOf, kTextNightTonightClock, {clock(start), clock(end)});
  }
  if (!schedule.haveLocation) return textOf(kTextNightNeedsLocation);
  NightSchedule on = schedule;
  on.on = true;
  const NightNow now = NightAt(on, nowUtc, zone);
  if (now.sunNeverRises) return textOf(kTextNightSunNeverRises);
  // No night in sight at all is the midsummer case: the sun stays up for months.
  if (now.sunNeverSets || now.nightStartUtc == 0) return textOf(kTextNightSunNeverSets);
  return Fill(textOf, kTextNightTodaySun,
              {clock(LocalMinuteAt(now.nightStartUtc, zone)), clock(LocalMinuteAt(now.nightEndUtc, zone))});
}

std::u16string KelvinLabel(int kelvin, NightTextOf textOf) {
  return Fill(textOf, kTextNightKelvin, {text::FromInt(kelvin)});
}

std::u16string BrightnessLabel(int percent, NightTextOf textOf) {
  return Fill(textOf, kTextNightPercent, {text::FromInt(percent)});
}

std::u16string DisplayCheckLabel(const std::u16string& display, NightTextOf textOf) {
  std::u16string literal;
  for (char16_t c : display) {
    if (c == u'&') literal += u'&';
    literal += c;
  }
  return Fill(textOf, kTextNightOnDisplay, {literal});
}

std::u16string DegreesText(double degrees, char16_t separator) {
  std::u16string shown = FormatDegrees(degrees);
  std::replace(shown.begin(), shown.end(), u'.', separator);
  return shown;
}

bool ParseTransitionMinutes(std::u16string_view text, int* minutes) {
  while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
  if (text.empty() || text.size() > 3) return false;
  int value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    value = value * 10 + (c - u'0');
  }
  if (value > 120) return false;
  *minutes = value;
  return true;
}

std::vector<StripColour> StripColours(const NightSettings& settings, const LocalDate& date, const TimeZonePort& zone,
                                      int width) {
  const NightLook night{static_cast<double>(settings.temperature), static_cast<double>(settings.brightness)};
  std::vector<StripColour> colours;
  for (double fraction : FractionsThroughTheDay(settings.schedule, date, zone, width)) {
    const NightLook look = LookBetween(night, fraction);
    const WhitePoint white = WhitePointAt(look.kelvin);
    const double dimming = (100 + look.brightness) / 100;
    colours.push_back({Channel(white.red * dimming), Channel(white.green * dimming), Channel(white.blue * dimming)});
  }
  return colours;
}

StripMarks StripMarksFor(const LocalDate& date, int64_t nowUtc, const TimeZonePort& zone, int width) {
  StripMarks marks;
  const int64_t dayStart = UtcAt(date, 0, zone);
  const int64_t dayLength = UtcAt(AddDays(date, 1), 0, zone) - dayStart;
  if (width <= 0 || dayLength <= 0) return marks;
  if (nowUtc >= dayStart && nowUtc < dayStart + dayLength) marks.now = ColumnOf(nowUtc, dayStart, dayLength, width);
  for (int hour : {6, 12, 18})
    marks.hours.push_back(ColumnOf(UtcAt(date, hour * 60, zone), dayStart, dayLength, width));
  return marks;
}
