// The [Night] section of the settings file: reading it with defaults for what is missing or
// unreadable, and the text each key is written back as.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "night/night_schedule.h"
#include "night/time_zone.h"

constexpr char16_t kNightSection[] = u"Night";

struct NightSettings {
  NightSchedule schedule;
  int temperature = 3400;  // kelvin, 1900..6500 in steps of 100
  int brightness = 0;      // -80..0
  bool pauseFullScreen = false;
  bool paused = false;  // until pausedDate at pausedMinute, local time
  LocalDate pausedDate{};
  int pausedMinute = 0;
};

// The section's values as stored.
class NightValuesPort {
 public:
  virtual ~NightValuesPort() = default;
  // False for a missing key.
  virtual bool Value(const char16_t* key, std::u16string* text) const = 0;
};

// Every key is optional and a missing one keeps its default. A key that is present but
// unreadable or out of range keeps its default too and is appended to `badKeys` (e.g. u"Start";
// null: not reported), so the program can name it. The values, spaces around them allowed:
//   On, Sun, PauseFullScreen: 0 or 1.  Start, End: HH:MM or H:MM, 00:00..23:59.
//   Latitude -90..90 (north +), Longitude -180..180 (east +): decimal degrees with '.'; empty for
//   none. The location counts only with both.
//   Temperature 1900..6500, rounded to the nearest 100.  Brightness -80..0.  Transition 0..120.
//   PausedUntil: local "YYYY-MM-DD HH:MM" of a date that exists; empty when not paused.
NightSettings ReadNightSettings(const NightValuesPort& values, std::vector<std::u16string>* badKeys);

struct NightSettingText {
  const char16_t* key;
  std::u16string text;
};
// Every key with its text as written back: On, Sun, Start, End, Latitude, Longitude, Temperature,
// Brightness, Transition, PauseFullScreen, PausedUntil. Degrees have '.' and up to 4 decimals;
// Latitude, Longitude and PausedUntil are empty when unset.
std::vector<NightSettingText> NightSettingsTexts(const NightSettings& settings);

std::u16string FormatClock(int minute);                               // "07:00"
std::u16string FormatPausedUntil(const LocalDate& date, int minute);  // "2026-12-08 22:15"
std::u16string FormatDegrees(double degrees);                         // "52.52", "-0.1278"

// Decimal degrees as the user types them: '.' or the locale's decimal separator `separator`
// (e.g. u','), an optional sign, spaces around; false for anything else or beyond +-limit.
bool ParseDegrees(std::u16string_view text, char16_t separator, double limit, double* degrees);
