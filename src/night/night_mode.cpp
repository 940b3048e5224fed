#include "night/night_mode.h"

#include <algorithm>
#include <cmath>

namespace {

double Clamp01(double value) { return value < 0 ? 0 : value > 1 ? 1 : value; }

int64_t CeilToMinute(int64_t ms) { return (ms + 59999) / 60000 * 60000; }

}  // namespace

void NightMode::Configure(const NightSettings& settings, const TimeZonePort& zone) {
  settings_ = settings;
  pausedUntilMs_ = settings.paused ? UtcAt(settings.pausedDate, settings.pausedMinute, zone) * 1000 : 0;
  fadeStartMs_ = -kFadeMs;
  fadingOut_ = settings.paused;
}

double NightMode::Presence(int64_t nowMs) const {
  if (Paused(nowMs)) return 1 - Clamp01(static_cast<double>(nowMs - fadeStartMs_) / kFadeMs);
  // Back from a pause: from the resume, or from the moment the pause ran out.
  const int64_t since = fadingOut_ ? pausedUntilMs_ : fadeStartMs_;
  return Clamp01(static_cast<double>(nowMs - since) / kFadeMs);
}

NightLook NightMode::LookAt(int64_t nowMs, const TimeZonePort& zone) const {
  if (!On()) return NightLook{};
  const double presence = Presence(nowMs);
  if (presence <= 0) return NightLook{};
  const NightNow now = NightAt(settings_.schedule, nowMs / 1000, zone);
  const NightLook night{static_cast<double>(settings_.temperature), static_cast<double>(settings_.brightness)};
  return LookBetween(night, now.fraction * presence);
}

int64_t NightMode::NextLookMs(int64_t nowMs, const TimeZonePort& zone) const {
  if (!On()) return 0;
  const double presence = Presence(nowMs);
  const bool fading = Paused(nowMs) ? presence > 0 : presence < 1;
  if (fading) return nowMs + kFadeStepMs;
  if (Paused(nowMs)) return pausedUntilMs_;
  const NightNow now = NightAt(settings_.schedule, nowMs / 1000, zone);
  if (now.phase == NightPhase::Evening || now.phase == NightPhase::Morning) return nowMs + kChangeStepMs;
  return now.nextChangeUtc > 0 ? now.nextChangeUtc * 1000 : 0;
}

void NightMode::Pause(int64_t nowMs, int64_t untilMs, const TimeZonePort& zone) {
  // A pause during a fade-in starts from the look shown, so no step is seen.
  const double presence = Presence(nowMs);
  pausedUntilMs_ = std::max(CeilToMinute(untilMs), nowMs + 1);
  fadeStartMs_ = nowMs - static_cast<int64_t>((1 - presence) * kFadeMs + 0.5);
  fadingOut_ = true;
  settings_.paused = true;
  settings_.pausedDate = LocalDateAt(pausedUntilMs_ / 1000, zone);
  settings_.pausedMinute = LocalMinuteAt(pausedUntilMs_ / 1000, zone);
}

void NightMode::Resume(int64_t nowMs) {
  const double presence = Presence(nowMs);
  pausedUntilMs_ = 0;
  fadeStartMs_ = nowMs - static_cast<int64_t>(presence * kFadeMs + 0.5);
  fadingOut_ = false;
  settings_.paused = false;
}

int64_t NightMode::NextChangeMs(int64_t nowMs, const TimeZonePort& zone) const {
  return PauseUntilNextChange(settings_.schedule, nowMs / 1000, zone) * 1000;
}

NightStatus NightMode::StatusAt(int64_t nowMs, const TimeZonePort& zone) const {
  NightStatus status;
  if (!On()) return status;
  if (Paused(nowMs)) {
    status.kind = NightStatus::Kind::Paused;
    status.atUtc = pausedUntilMs_ / 1000;
    return status;
  }
  const NightNow now = NightAt(settings_.schedule, nowMs / 1000, zone);
  if (now.nightStartUtc == 0) return status;  // no night to speak of (the sun up for months)
  status.kind = now.phase == NightPhase::Day ? NightStatus::Kind::From : NightStatus::Kind::Until;
  status.atUtc = now.phase == NightPhase::Day ? now.nightStartUtc : now.nightEndUtc;
  status.look = LookAt(nowMs, zone);
  return status;
}

NightKey KeyOf(const NightLook& look) {
  const WhitePoint white = WhitePointAt(look.kelvin);
  const double dim = (100 + std::max(look.brightness, -100.0)) / 100;
  auto key = [dim](double channel) { return static_cast<int>(channel * dim * 65535 + 0.5); };
  return {key(white.red), key(white.green), key(white.blue)};
}
