#include "night/night_settings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.remove_suffix(1);
  return text;
}

// Exactly `count` digits.
bool ParseDigits(std::u16string_view text, size_t count, int* value) {
  if (text.size() != count) return false;
  int result = 0;
  for (char16_t c : text) {
    if (!IsDigit(c)) return false;
    result = result * 10 + (c - u'0');
  }
  *value = result;
  return true;
}

// A whole number with an optional sign; at most 6 digits, which every key's range fits.
bool ParseWhole(std::u16string_view text, int* value) {
  const bool negative = !text.empty() && text.front() == u'-';
  if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) text.remove_prefix(1);
  if (text.empty() || text.size() > 6 || !ParseDigits(text, text.size(), value)) return false;
  if (negative) *value = -*value;
  return true;
}

// "H:MM" or "HH:MM", 00:00..23:59.
bool ParseClock(std::u16string_view text, int* minute) {
  const size_t colon = text.find(u':');
  int hours = 0, minutes = 0;
  if (colon == std::u16string_view::npos || colon == 0 || colon > 2) return false;
  if (!ParseDigits(text.substr(0, colon), colon, &hours) || !ParseDigits(text.substr(colon + 1), 2, &minutes)) {
    return false;
  }
  if (hours > 23 || minutes > 59) return false;
  *minute = hours * 60 + minutes;
  return true;
}

// "YYYY-MM-DD H:MM" or "YYYY-MM-DD HH:MM", a date that exists.
bool ParsePausedUntil(std::u16string_view text, LocalDate* date, int* minute) {
  LocalDate parsed{};
  if (text.size() < 15 || text[4] != u'-' || text[7] != u'-' || text[10] != u' ') return false;
  if (!ParseDigits(text.substr(0, 4), 4, &parsed.year) || !ParseDigits(text.substr(5, 2), 2, &parsed.month) ||
      !ParseDigits(text.substr(8, 2), 2, &parsed.day) || !IsValidDate(parsed) || !ParseClock(text.substr(11), minute)) {
    return false;
  }
  *date = parsed;
  return true;
}

// Decimal digits of `value`, zero-padded to `width`.
std::u16string Padded(int value, size_t width) {
  std::u16string digits;
  for (unsigned rest = static_cast<unsigned>(value < 0 ? -value : value); rest != 0; rest /= 10) {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + rest % 10));
  }
  if (digits.size() < width) digits.insert(0, width - digits.size(), u'0');
  return value < 0 ? u"-" + digits : digits;
}

// Reads keys into settings, keeping the default and noting the key where a value is unusable.
class Reader {
 public:
  Reader(const NightValuesPort& values, std::vector<std::u16string>* badKeys) : values_(values), badKeys_(badKeys) {}

  void Flag(const char16_t* key, bool* value) {
    Read(key, value, [](std::u16string_view text, bool* flag) {
      *flag = text == u"1";
      return *flag || text == u"0";
    });
  }
  void Whole(const char16_t* key, int min, int max, int* value) {
    Read(key, value, [&](std::u16string_view text, int* n) { return ParseWhole(text, n) && *n >= min && *n <= max; });
  }
  void Clock(const char16_t* key, int* minute) { Read(key, minute, ParseClock); }
  // False when missing, empty or bad.
  bool Degrees(const char16_t* key, double limit, double* degrees) {
    std::u16string text;
    if (!values_.Value(key, &text) || Trimmed(text).empty()) return false;
    if (ParseDegrees(text, u'.', limit, degrees)) return true;
    Bad(key);
    return false;
  }
  void PausedUntil(const char16_t* key, NightSettings* settings) {
    std::u16string text;
    if (!values_.Value(key, &text) || Trimmed(text).empty()) return;
    settings->paused = ParsePausedUntil(Trimmed(text), &settings->pausedDate, &settings->pausedMinute);
    if (!settings->paused) Bad(key);
  }

 private:
  template <typename T, typename Parse>
  bool Read(const char16_t* key, T* value, Parse parse) {
    std::u16string text;
    if (!values_.Value(key, &text)) return false;
    T parsed{};
    if (parse(Trimmed(text), &parsed)) {
      *value = parsed;
      return true;
    }
    Bad(key);
    return false;
  }
  void Bad(const char16_t* key) {
    if (badKeys_) badKeys_->push_back(key);
  }

  const NightValuesPort& values_;
  std::vector<std::u16string>* badKeys_;
};

}  // namespace

NightSettings ReadNightSettings(const NightValuesPort& values, std::vector<std::u16string>* badKeys) {
  NightSettings settings;
  NightSchedule& schedule = settings.schedule;
  Reader reader(values, badKeys);
  reader.Flag(u"On", &schedule.on);
  reader.Flag(u"Sun", &schedule.sun);
  reader.Clock(u"Start", &schedule.startMinute);
  reader.Clock(u"End", &schedule.endMinute);
  double latitude = 0, longitude = 0;
  const bool haveLatitude = reader.Degrees(u"Latitude", 90, &latitude);
  const bool haveLongitude = reader.Degrees(u"Longitude", 180, &longitude);
  if (haveLatitude && haveLongitude) {
    schedule.latitude = latitude;
    schedule.longitude = longitude;
    schedule.haveLocation = true;
  }
  reader.Whole(u"Temperature", 1900, 6500, &settings.temperature);
  settings.temperature = (settings.temperature + 50) / 100 * 100;
  reader.Whole(u"Brightness", -80, 0, &settings.brightness);
  reader.Whole(u"Transition", 0, 120, &schedule.transitionMinutes);
  reader.Flag(u"PauseFullScreen", &settings.pauseFullScreen);
  reader.PausedUntil(u"PausedUntil", &settings);
  return settings;
}

std::vector<NightSettingText> NightSettingsTexts(const NightSettings& settings) {
  const NightSchedule& schedule = settings.schedule;
  const bool located = schedule.haveLocation;
  return {
      {u"On", schedule.on ? u"1" : u"0"},
      {u"Sun", schedule.sun ? u"1" : u"0"},
      {u"Start", FormatClock(schedule.startMinute)},
      {u"End", FormatClock(schedule.endMinute)},
      {u"Latitude", located ? FormatDegrees(schedule.latitude) : u""},
      {u"Longitude", located ? FormatDegrees(schedule.longitude) : u""},
      {u"Temperature", Padded(settings.temperature, 1)},
      {u"Brightness", Padded(settings.brightness, 1)},
      {u"Transition", Padded(schedule.transitionMinutes, 1)},
      {u"PauseFullScreen", settings.pauseFullScreen ? u"1" : u"0"},
      {u"PausedUntil", settings.paused ? FormatPausedUntil(settings.pausedDate, settings.pausedMinute) : u""},
  };
}

std::u16string FormatClock(int minute) {
  minute = std::clamp(minute, 0, kMinutesPerDay - 1);
  return Padded(minute / 60, 2) + u":" + Padded(minute % 60, 2);
}

std::u16string FormatPausedUntil(const LocalDate& date, int minute) {
  return Padded(date.year, 4) + u"-" + Padded(date.month, 2) + u"-" + Padded(date.day, 2) + u" " + FormatClock(minute);
}

std::u16string FormatDegrees(double degrees) {
  const int64_t tenThousandths = static_cast<int64_t>(std::fabs(degrees) * 10000 + 0.5);
  const std::u16string sign = degrees < 0 && tenThousandths != 0 ? u"-" : u"";
  const std::u16string text = sign + Padded(static_cast<int>(tenThousandths / 10000), 1);
  std::u16string decimals = Padded(static_cast<int>(tenThousandths % 10000), 4);
  while (!decimals.empty() && decimals.back() == u'0') decimals.pop_back();
  return decimals.empty() ? text : text + u"." + decimals;
}

bool ParseDegrees(std::u16string_view text, char16_t separator, double limit, double* degrees) {
  text = Trimmed(text);
  const bool negative = !text.empty() && text.front() == u'-';
  if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) text.remove_prefix(1);
  int64_t mantissa = 0;
  int digits = 0, decimals = -1;  // -1: no separator yet
  for (char16_t c : text) {
    if (IsDigit(c)) {
      if (++digits > 15) return false;  // beyond what a double holds exactly
      mantissa = mantissa * 10 + (c - u'0');
      if (decimals >= 0) ++decimals;
    } else if ((c == u'.' || c == separator) && decimals < 0) {
      decimals = 0;
    } else {
      return false;
    }
  }
  if (digits == 0) return false;
  double scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  const double value = static_cast<double>(mantissa) / scale;
  if (value > limit) return false;
  *degrees = negative ? -value : value;
  return true;
}
