// Time zones for the night-mode tests: a fixed offset, and the EU's daylight-saving rule.
#pragma once

#include "night/time_zone.h"

class FixedZone final : public TimeZonePort {
 public:
  explicit constexpr FixedZone(int minutes) : minutes_(minutes) {}
  int OffsetMinutesAt(int64_t) const override { return minutes_; }

 private:
  int minutes_;
};

// An hour ahead of `standardMinutes` from 01:00 UTC on the last Sunday of March to 01:00 UTC
// on the last Sunday of October.
class EuZone final : public TimeZonePort {
 public:
  explicit EuZone(int standardMinutes) : standardMinutes_(standardMinutes) {}
  int OffsetMinutesAt(int64_t utc) const override {
    const int year = CivilFromDays(FloorDiv(utc, kSecondsPerDay)).year;
    return standardMinutes_ + (utc >= ChangeAt(year, 3) && utc < ChangeAt(year, 10) ? 60 : 0);
  }

 private:
  static int64_t ChangeAt(int year, int month) {
    const LocalDate last{year, month, 31};
    return (DaysFromCivil(last) - Weekday(last)) * kSecondsPerDay + 3600;
  }
  int standardMinutes_;
};

constexpr int64_t Utc(int year, int month, int day, int hour, int minute) {
  return DaysFromCivil({year, month, day}) * kSecondsPerDay + hour * 3600 + minute * 60;
}
