// The local clock as the system reports it (the offset from UTC at a moment), and the calendar
// arithmetic that turns UTC seconds into local dates and minutes of the day and back.
#pragma once

#include <cstdint>

// Minutes to add to UTC to get local time at that moment (e.g. +60 in Berlin in winter). The
// Win32 layer answers with the zone and daylight saving rule Windows reports for that date.
class TimeZonePort {
 public:
  virtual ~TimeZonePort() = default;
  virtual int OffsetMinutesAt(int64_t utcSeconds) const = 0;
};

// A date of the proleptic Gregorian calendar: month 1..12, day 1..31.
struct LocalDate {
  int year, month, day;
};

constexpr bool operator==(const LocalDate& a, const LocalDate& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}
constexpr bool operator!=(const LocalDate& a, const LocalDate& b) { return !(a == b); }

constexpr int64_t kSecondsPerDay = 86400;
constexpr int kMinutesPerDay = 1440;

// Division that rounds toward minus infinity, so moments before 1970 fall on the right day.
constexpr int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Days since 1970-01-01. Counts in 400-year eras of 146097 days whose years start on 1 March,
// so the leap day is the last day of its year (Howard Hinnant's days-from-civil).
constexpr int64_t DaysFromCivil(const LocalDate& date) {
  const int64_t year = static_cast<int64_t>(date.year) - (date.month <= 2);
  const int64_t era = FloorDiv(year, 400);
  const int64_t yearOfEra = year - era * 400;                                                         // 0..399
  const int64_t dayOfYear = (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;  // 0..365
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;  // 719468: days from 0000-03-01 to 1970-01-01
}

// The inverse of DaysFromCivil.
constexpr LocalDate CivilFromDays(int64_t days) {
  const int64_t shifted = days + 719468;
  const int64_t era = FloorDiv(shifted, 146097);
  const int64_t dayOfEra = shifted - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t marchMonth = (5 * dayOfYear + 2) / 153;  // 0 = March .. 11 = February
  const int day = static_cast<int>(dayOfYear - (153 * marchMonth + 2) / 5 + 1);
  const int month = static_cast<int>(marchMonth < 10 ? marchMonth + 3 : marchMonth - 9);
  return {static_cast<int>(yearOfEra + era * 400 + (month <= 2)), month, day};
}

constexpr LocalDate AddDays(const LocalDate& date, int64_t days) { return CivilFromDays(DaysFromCivil(date) + days); }

// 0 Sunday .. 6 Saturday (1970-01-01 was a Thursday).
constexpr int Weekday(const LocalDate& date) {
  return static_cast<int>(DaysFromCivil(date) - 7 * FloorDiv(DaysFromCivil(date) + 4, 7) + 4);
}

constexpr bool IsValidDate(const LocalDate& date) {
  return date.month >= 1 && date.month <= 12 && date.day >= 1 && CivilFromDays(DaysFromCivil(date)) == date;
}

// Local seconds since 1970-01-01 00:00 local time, at a UTC moment.
inline int64_t LocalSecondsAt(int64_t utcSeconds, const TimeZonePort& zone) {
  return utcSeconds + 60 * static_cast<int64_t>(zone.OffsetMinutesAt(utcSeconds));
}

inline LocalDate LocalDateAt(int64_t utcSeconds, const TimeZonePort& zone) {
  return CivilFromDays(FloorDiv(LocalSecondsAt(utcSeconds, zone), kSecondsPerDay));
}

// 0..1439; the seconds of the minute are dropped.
inline int LocalMinuteAt(int64_t utcSeconds, const TimeZonePort& zone) {
  const int64_t local = LocalSecondsAt(utcSeconds, zone);
  return static_cast<int>((local - FloorDiv(local, kSecondsPerDay) * kSecondsPerDay) / 60);
}

// The UTC moment the local clock shows `minute` (0..1439, or 1440 for the next midnight) on
// `date`, read with the offset in force then. Offsets are taken a day either side, so a change
// of offset within that day is seen. A time shown twice (the hour the clocks go back) gives the
// first showing; a time never shown (the hour the clocks skip) is read with the offset from
// before the change, so 02:30 on the spring-forward night lands at 03:30 new time.
inline int64_t UtcAt(const LocalDate& date, int minute, const TimeZonePort& zone) {
  const int64_t local = DaysFromCivil(date) * kSecondsPerDay + 60 * static_cast<int64_t>(minute);
  const int64_t before = local - 60 * static_cast<int64_t>(zone.OffsetMinutesAt(local - kSecondsPerDay));
  const int64_t after = local - 60 * static_cast<int64_t>(zone.OffsetMinutesAt(local + kSecondsPerDay));
  const bool beforeShows = LocalSecondsAt(before, zone) == local;
  const bool afterShows = LocalSecondsAt(after, zone) == local;
  if (beforeShows && afterShows) return before < after ? before : after;
  return afterShows ? after : before;
}
