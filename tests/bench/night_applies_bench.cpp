// How often night mode touches the displays: its own timer schedule followed through an evening
// change and a full night, counting the applies (a ramp entry changed). Reported as counters:
// applies per minute during the change and during the night.
#include <benchmark/benchmark.h>

#include "night/night_mode.h"

namespace {

struct Utc final : TimeZonePort {
  int OffsetMinutesAt(int64_t) const override { return 0; }
};

// Follows NextLookMs from `from` to `to` and counts the looks whose ramp key changed.
int Applies(const NightMode& mode, int64_t from, int64_t to) {
  const Utc zone;
  NightKey last = KeyOf(mode.LookAt(from, zone));
  int applies = 0;
  for (int64_t now = mode.NextLookMs(from, zone); now > 0 && now <= to; now = mode.NextLookMs(now, zone)) {
    const NightKey key = KeyOf(mode.LookAt(now, zone));
    applies += !(key == last);
    last = key;
  }
  return applies;
}

void NightApplies(benchmark::State& state) {
  NightSettings settings;
  settings.schedule.on = true;  // 21:00 to 07:00, 3400 K
  settings.schedule.transitionMinutes = static_cast<int>(state.range(0));
  settings.brightness = -20;
  NightMode mode;
  mode.Configure(settings, Utc());
  const int64_t evening = (DaysFromCivil({2026, 12, 8}) * 86400 + 21 * 3600) * 1000;
  const int64_t change = settings.schedule.transitionMinutes * 60000LL;
  int during = 0, night = 0;
  for (auto _ : state) {
    during = Applies(mode, evening, evening + change);
    night = Applies(mode, evening + change, evening + 10 * 3600000LL - change);  // until the morning's change
  }
  state.counters["applies_per_minute_in_change"] = during / (change / 60000.0);
  state.counters["applies_per_minute_at_night"] = night / ((10 * 3600000.0 - 2 * change) / 60000.0);
}
BENCHMARK(NightApplies)->Arg(1)->Arg(30)->Arg(120)->Unit(benchmark::kMillisecond);

}  // namespace
