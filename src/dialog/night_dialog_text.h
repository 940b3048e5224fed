// What the night-mode dialog shows in words and colours, without Win32: today's schedule
// line, the slider and display labels, the values typed into its edits, and the 24-hour strip.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "night/night_settings.h"
#include "night/time_zone.h"

// A text of the archive by id ("" when missing), and a local minute of the day (0..1439) as the
// user's clock writes it.
using NightTextOf = std::u16string (*)(int id);
using NightClockText = std::u16string (*)(int minute);

// Today's schedule in words: by the clock "Tonight: 21:00 to 07:00"; by the sun the sunset and
// sunrise of the current night, or of the coming one during the day, or the polar case; or what
// keeps the schedule from having a night. Described as set, whether night mode is on or off.
std::u16string ScheduleLine(const NightSchedule& schedule, int64_t nowUtc, const TimeZonePort& zone, NightTextOf textOf,
                            NightClockText clock);

std::u16string KelvinLabel(int kelvin, NightTextOf textOf);       // "3400 K"
std::u16string BrightnessLabel(int percent, NightTextOf textOf);  // "-20 %"
// "Night mode on this display: 2 - DELL U2720Q"; an '&' of the display's name stays a letter
// instead of marking an access key.
std::u16string DisplayCheckLabel(const std::u16string& display, NightTextOf textOf);

// Degrees as the edits show them: FormatDegrees with `separator` as the decimal point.
std::u16string DegreesText(double degrees, char16_t separator);
// The change's length as typed: digits (spaces around allowed), 0..120.
bool ParseTransitionMinutes(std::u16string_view text, int* minutes);

struct StripColour {
  uint8_t red, green, blue;
};
constexpr bool operator==(const StripColour& a, const StripColour& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// The strip's columns over the local date from midnight to midnight (23 or 25 hours where the
// clocks change): each the white point of the look at that moment, dimmed by its brightness.
std::vector<StripColour> StripColours(const NightSettings& settings, const LocalDate& date, const TimeZonePort& zone,
                                      int width);

struct StripMarks {
  int now = -1;            // the column of the moment asked about; -1 when it is not on the date
  std::vector<int> hours;  // the columns of 06:00, 12:00 and 18:00
};
StripMarks StripMarksFor(const LocalDate& date, int64_t nowUtc, const TimeZonePort& zone, int width);
