// Night mode over time: the look due at a moment (the schedule, the pause and its fade), when
// to look again, and what to say about it. Plain logic on a clock it is given; the Win32 side
// asks it at its one timer and after events.
#pragma once

#include <cstdint>

#include "night/night_look.h"
#include "night/night_settings.h"

// What comes next, for the tray tip and the line under the sliders.
struct NightStatus {
  enum class Kind { Off, From, Until, Paused } kind = Kind::Off;
  int64_t atUtc = 0;  // From: the evening's start; Until: the night's end; Paused: the pause's end
  NightLook look;     // Until: the look now
};

class NightMode {
 public:
  static constexpr int64_t kFadeMs = 2000;        // pausing and resuming
  static constexpr int64_t kFadeStepMs = 100;     // a short animation's steps
  static constexpr int64_t kChangeStepMs = 2000;  // at most one apply every 2 s during a change

  // Takes the settings (a pause in them included, as local time) without a fade.
  void Configure(const NightSettings& settings, const TimeZonePort& zone);
  const NightSettings& Settings() const { return settings_; }
  bool On() const { return settings_.schedule.on && !(settings_.schedule.sun && !settings_.schedule.haveLocation); }

  // The look due at `nowMs` (UTC milliseconds): neutral when off, paused or by day.
  NightLook LookAt(int64_t nowMs, const TimeZonePort& zone) const;
  // When the look may change next: during a change or a fade soon, otherwise at the next change
  // of phase or the pause's end; 0 when night mode is off.
  int64_t NextLookMs(int64_t nowMs, const TimeZonePort& zone) const;

  // Pauses until `untilMs`, fading out; the pause is kept in Settings() as local time.
  void Pause(int64_t nowMs, int64_t untilMs, const TimeZonePort& zone);
  void Resume(int64_t nowMs);
  bool Paused(int64_t nowMs) const { return pausedUntilMs_ > nowMs; }
  // A pause until the end of the current night, or by day of the coming one.
  int64_t NextChangeMs(int64_t nowMs, const TimeZonePort& zone) const;

  NightStatus StatusAt(int64_t nowMs, const TimeZonePort& zone) const;

 private:
  // 1 while the night look counts, 0 while paused, between them during a fade.
  double Presence(int64_t nowMs) const;

  NightSettings settings_;
  int64_t pausedUntilMs_ = 0;
  int64_t fadeStartMs_ = -kFadeMs;  // the last pause or resume
  bool fadingOut_ = false;
};

// The per-channel factors a look puts on a ramp, to 1/65535: a ramp entry can change only when
// one of them does, so an apply with the same key changes nothing.
struct NightKey {
  int red = 0, green = 0, blue = 0;
  bool operator==(const NightKey& other) const {
    return red == other.red && green == other.green && blue == other.blue;
  }
};
NightKey KeyOf(const NightLook& look);
