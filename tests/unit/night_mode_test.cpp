// Night mode over time, on a fake clock: the look due, when to look again, the pause and its fade.
#include "night/night_mode.h"

#include <gtest/gtest.h>

#include "fake_time_zone.h"

namespace {

const FixedZone kUtc(0);
constexpr int64_t kDay = Utc(2026, 12, 8, 0, 0) * 1000;  // midnight, in ms
constexpr int64_t At(int hour, int minute, int64_t ms = 0) { return kDay + (hour * 60 + minute) * 60000LL + ms; }

NightMode Clock2100To0700(bool on = true) {
  NightMode mode;
  mode.Configure({{on}, 3400, -20}, kUtc);  // 21:00 to 07:00, 30 minutes' change
  return mode;
}

// Off: no timer. On: one timer for the next change by day and by night, a look every 2 s during a change.
TEST(NightMode, WhenToLookAgain) {
  const NightMode mode = Clock2100To0700();
  EXPECT_EQ(mode.NextLookMs(At(12, 0), kUtc), At(21, 0)) << "by day: the evening's start";
  EXPECT_EQ(mode.NextLookMs(At(21, 10), kUtc), At(21, 10, 2000)) << "during the change";
  EXPECT_EQ(mode.NextLookMs(At(23, 0), kUtc), At(30, 30)) << "by night: the morning's change, 06:30";
  EXPECT_EQ(Clock2100To0700(false).NextLookMs(At(23, 0), kUtc), 0) << "off";
}

// Pausing fades out over 2 s, resuming (or the pause running out) fades back in, and a resume
// in the middle of the fade starts from the look shown: no step.
TEST(NightMode, PauseAndResumeFade) {
  NightMode mode = Clock2100To0700();
  const int64_t t = At(23, 0);
  mode.Pause(t, t + 3600 * 1000, kUtc);
  EXPECT_DOUBLE_EQ(mode.LookAt(t, kUtc).brightness, -20) << "the fade starts from the night look";
  EXPECT_NEAR(mode.LookAt(t + 1000, kUtc).brightness, -10, 1e-9) << "halfway through the 2 s";
  EXPECT_EQ(mode.NextLookMs(t + 500, kUtc), t + 600) << "the fade's steps";
  EXPECT_EQ(mode.NextLookMs(t + 2000, kUtc), At(24, 0)) << "then nothing until the pause ends";
  EXPECT_TRUE(mode.Settings().pausedDate.day == 9 && mode.Settings().pausedMinute == 0) << "2026-12-09 00:00";
  EXPECT_NEAR(mode.LookAt(At(24, 0, 1000), kUtc).brightness, -10, 1e-9) << "the pause ran out: fading in";

  mode.Pause(t, t + 3600 * 1000, kUtc);
  mode.Resume(t + 500);
  EXPECT_NEAR(mode.LookAt(t + 500, kUtc).brightness, -15, 1e-9) << "a quarter out at the resume: no step";
  EXPECT_DOUBLE_EQ(mode.LookAt(t + 1000, kUtc).brightness, -20);
  EXPECT_FALSE(mode.Settings().paused);
}

// What the tray tip says: by day when night mode begins, by night the look and when it ends,
// while paused when the pause ends.
TEST(NightMode, Status) {
  NightMode mode = Clock2100To0700();
  const NightStatus day = mode.StatusAt(At(12, 0), kUtc), night = mode.StatusAt(At(23, 0), kUtc);
  EXPECT_TRUE(day.kind == NightStatus::Kind::From && day.atUtc * 1000 == At(21, 0)) << "from 21:00";
  EXPECT_TRUE(night.kind == NightStatus::Kind::Until && night.atUtc * 1000 == At(31, 0)) << "until 07:00";
  EXPECT_DOUBLE_EQ(night.look.kelvin, 3400);
  mode.Pause(At(23, 0), mode.NextChangeMs(At(23, 0), kUtc), kUtc);
  const NightStatus paused = mode.StatusAt(At(23, 0), kUtc);
  EXPECT_TRUE(paused.kind == NightStatus::Kind::Paused && paused.atUtc * 1000 == At(31, 0)) << "paused until 07:00";
}

// Across an evening change looked at every 2 s, the ramps only warm and dim, and an apply is
// skipped whenever no ramp entry would change.
TEST(NightMode, TheEveningChangeIsMonotonic) {
  const NightMode mode = Clock2100To0700();
  NightKey last = KeyOf(NightLook{});
  EXPECT_TRUE(last == (NightKey{65535, 65535, 65535}));
  int applies = 0;
  for (int64_t now = At(21, 0); now <= At(21, 30); now += NightMode::kChangeStepMs) {
    const NightKey key = KeyOf(mode.LookAt(now, kUtc));
    ASSERT_TRUE(key.red <= last.red && key.green <= last.green && key.blue <= last.blue) << (now - At(21, 0)) << " ms";
    applies += !(key == last);
    last = key;
  }
  EXPECT_GT(applies, 100) << "many small steps, not a jump";
  EXPECT_TRUE(last == KeyOf(NightLook{3400, -20}));
}

}  // namespace
