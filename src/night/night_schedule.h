// When night mode warms the screen: the user's schedule (by the clock or by the sun), and where
// a given moment falls in it: the phase, how far into the night, and when that next changes.
#pragma once

#include <cstdint>
#include <vector>

#include "night/time_zone.h"

// A night runs from the start time (or sunset) on one local date to the end time (or sunrise)
// that follows it: 21:00 to 07:00 ends on the next date, 01:00 to 06:00 on the same one. With
// start == end there is no night at all. By the sun, a date whose sun never sets starts no
// night, and a night that reaches dates whose sun never rises lasts until the next sunrise. The
// night before the sun stops setting ends a day after that date's sunrise, as the equations
// give no sunrise for a date on which the sun stays up.
struct NightSchedule {  // what the user set
  bool on = false;
  bool sun = false;           // sunset..sunrise at latitude/longitude instead of start..end
  int startMinute = 21 * 60;  // local minute of day
  int endMinute = 7 * 60;
  double latitude = 0, longitude = 0;
  bool haveLocation = false;   // by the sun without a location, the schedule is off
  int transitionMinutes = 30;  // 0..120
};

// Evening: warming from the night's start for the transition; Morning: cooling back over the
// transition that ends with the night. A night shorter than two transitions is all Evening then
// all Morning, half each.
enum class NightPhase { Off, Day, Evening, Night, Morning };

struct NightNow {
  NightPhase phase = NightPhase::Off;
  double fraction = 0;                               // 0 day .. 1 full night, eased (smooth start and end)
  int64_t nightStartUtc = 0, nightEndUtc = 0;        // the current night, or the coming one when it is day
  int64_t nextChangeUtc = 0;                         // when the phase changes next: the one timer to arm (0 when off)
  bool sunNeverSets = false, sunNeverRises = false;  // today's polar case (sun schedule)
};
// Night times are 0 when no night could be found (the sun up for months on end). Where the sun
// neither rises nor sets today, the next change is at the latest the next local midnight.
NightNow NightAt(const NightSchedule& schedule, int64_t nowUtc, const TimeZonePort& zone);

// When a "pause until the next change" ends: the end of the current night, or during the day the
// end of the coming night. 0 when there is none.
int64_t PauseUntilNextChange(const NightSchedule& schedule, int64_t nowUtc, const TimeZonePort& zone);

// The fraction at `samples` evenly spaced moments of the local date, from its midnight on (a
// day of 23 or 25 hours where the clocks change), for the dialog's 24-hour strip.
std::vector<double> FractionsThroughTheDay(const NightSchedule& schedule, const LocalDate& date,
                                           const TimeZonePort& zone, int samples);
