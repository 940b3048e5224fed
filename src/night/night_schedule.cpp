#include "night/night_schedule.h"

#include <algorithm>

#include "night/sun.h"

namespace {

// How far to look for a sunset or a sunrise: past the half year of polar night at the pole.
constexpr int kSearchDays = 190;

struct Night {
  int64_t start = 0, end = 0;
  int64_t evening = 0, morning = 0;  // transition lengths, seconds
};

struct NightsAround {
  bool inNight = false;
  Night current;  // under way at the moment asked about
  bool nightAhead = false;
  Night coming;  // the first to start after it
};

bool Active(const NightSchedule& schedule) { return schedule.on && (!schedule.sun || schedule.haveLocation); }

SunDay SunFor(const NightSchedule& schedule, const LocalDate& date, const TimeZonePort& zone) {
  return SunOn(date, schedule.latitude, schedule.longitude, zone);
}

// Sunset on `date` to the sunrise that follows it. A following date whose sun never sets gets
// no sunrise from the equations; the sun comes back up about when it rose the day before.
bool SunNightOn(const NightSchedule& schedule, const LocalDate& date, const TimeZonePort& zone, Night* night) {
  const SunDay today = SunFor(schedule, date, zone);
  if (today.kind != SunDay::Kind::Normal) return false;
  night->start = today.sunsetUtc;
  for (int days = 1; days <= kSearchDays; ++days) {
    const SunDay later = SunFor(schedule, AddDays(date, days), zone);
    if (later.kind == SunDay::Kind::Normal) {
      night->end = later.sunriseUtc;
      return true;
    }
    if (later.kind == SunDay::Kind::NeverSets) {
      night->end = today.sunriseUtc + days * kSecondsPerDay;
      return true;
    }
  }
  return false;
}

// The night that starts on `date`, if there is one.
bool NightOn(const NightSchedule& schedule, const LocalDate& date, const TimeZonePort& zone, Night* night) {
  if (schedule.sun) {
    if (!SunNightOn(schedule, date, zone, night)) return false;
  } else {
    const int start = std::clamp(schedule.startMinute, 0, kMinutesPerDay - 1);
    const int end = std::clamp(schedule.endMinute, 0, kMinutesPerDay - 1);
    if (start == end) return false;
    night->start = UtcAt(date, start, zone);
    night->end = UtcAt(end < start ? AddDays(date, 1) : date, end, zone);
  }
  const int64_t length = night->end - night->start;
  if (length <= 0) return false;  // e.g. a short night wholly inside the hour the clocks skip
  const int64_t transition = 60 * static_cast<int64_t>(std::clamp(schedule.transitionMinutes, 0, 120));
  night->evening = std::min(transition, length / 2);
  night->morning = std::min(transition, length - length / 2);
  return true;
}

// Nights never overlap and start later the later their date, so the last night to start by `t`
// is the only one `t` can be in, and the first to start after it is the coming one.
NightsAround FindNights(const NightSchedule& schedule, int64_t t, const TimeZonePort& zone) {
  NightsAround around;
  const LocalDate today = LocalDateAt(t, zone);
  int firstAfter = -1;  // a sunset after local midnight belongs to the date before
  for (int days = 1; days >= -kSearchDays; --days) {
    Night night;
    if (NightOn(schedule, AddDays(today, days), zone, &night) && night.start <= t) {
      around.inNight = t < night.end;
      around.current = night;
      firstAfter = std::max(firstAfter, days + 1);
      break;
    }
  }
  for (int days = firstAfter; days <= kSearchDays; ++days) {
    Night night;
    if (NightOn(schedule, AddDays(today, days), zone, &night) && night.start > t) {
      around.nightAhead = true;
      around.coming = night;
      break;
    }
  }
  return around;
}

double Smooth(double x) {
  x = std::clamp(x, 0.0, 1.0);
  return x * x * (3 - 2 * x);
}

// Where `t` (within the night) stands: phase, eased fraction and the phase's end.
NightPhase PhaseIn(const Night& night, int64_t t, double* fraction, int64_t* phaseEnd) {
  if (t < night.start + night.evening) {
    *fraction = Smooth(static_cast<double>(t - night.start) / static_cast<double>(night.evening));
    *phaseEnd = night.start + night.evening;
    return NightPhase::Evening;
  }
  if (t < night.end - night.morning) {
    *fraction = 1;
    *phaseEnd = night.end - night.morning;
    return NightPhase::Night;
  }
  *fraction = Smooth(static_cast<double>(night.end - t) / static_cast<double>(night.morning));
  *phaseEnd = night.end;
  return NightPhase::Morning;
}

}  // namespace

NightNow NightAt(const NightSchedule& schedule, int64_t nowUtc, const TimeZonePort& zone) {
  NightNow now;
  if (!Active(schedule)) return now;
  const LocalDate today = LocalDateAt(nowUtc, zone);
  if (schedule.sun) {
    const SunDay sun = SunFor(schedule, today, zone);
    now.sunNeverSets = sun.kind == SunDay::Kind::NeverSets;
    now.sunNeverRises = sun.kind == SunDay::Kind::NeverRises;
  }

  const NightsAround around = FindNights(schedule, nowUtc, zone);
  now.phase = NightPhase::Day;
  if (around.inNight) {
    now.phase = PhaseIn(around.current, nowUtc, &now.fraction, &now.nextChangeUtc);
    now.nightStartUtc = around.current.start;
    now.nightEndUtc = around.current.end;
  } else if (around.nightAhead) {
    now.nightStartUtc = around.coming.start;
    now.nightEndUtc = around.coming.end;
    now.nextChangeUtc = around.coming.start;
  }
  // Days without a sunrise or a sunset are looked at again each midnight; so is a day with no
  // night in sight.
  const int64_t midnight = UtcAt(AddDays(today, 1), 0, zone);
  if (now.nextChangeUtc == 0 || ((now.sunNeverSets || now.sunNeverRises) && midnight < now.nextChangeUtc)) {
    now.nextChangeUtc = midnight;
  }
  return now;
}

int64_t PauseUntilNextChange(const NightSchedule& schedule, int64_t nowUtc, const TimeZonePort& zone) {
  return NightAt(schedule, nowUtc, zone).nightEndUtc;
}

std::vector<double> FractionsThroughTheDay(const NightSchedule& schedule, const LocalDate& date,
                                           const TimeZonePort& zone, int samples) {
  std::vector<double> fractions(static_cast<size_t>(std::max(samples, 0)), 0.0);
  if (!Active(schedule) || samples <= 0) return fractions;
  const int64_t dayStart = UtcAt(date, 0, zone);
  const int64_t dayLength = UtcAt(AddDays(date, 1), 0, zone) - dayStart;

  // The nights that touch the day, found once: the one under way at midnight and those after.
  std::vector<Night> nights;
  NightsAround around = FindNights(schedule, dayStart, zone);
  if (around.inNight) nights.push_back(around.current);
  while (around.nightAhead && around.coming.start < dayStart + dayLength) {
    nights.push_back(around.coming);
    around = FindNights(schedule, around.coming.start, zone);
  }

  for (int i = 0; i < samples; ++i) {
    const int64_t t = dayStart + dayLength * i / samples;
    for (const Night& night : nights) {
      if (night.start <= t && t < night.end) {
        int64_t phaseEnd = 0;
        PhaseIn(night, t, &fractions[static_cast<size_t>(i)], &phaseEnd);
      }
    }
  }
  return fractions;
}
