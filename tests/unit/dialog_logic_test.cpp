// The dialog's portable rules: percentages, the caption, the System menu, event coalescing.
#include <gtest/gtest.h>

#include <vector>

#include "app/coalescer.h"
#include "app/level_text.h"
#include "app/system_pages.h"
#include "app/window_title.h"

namespace {

TEST(FormatPercent, TruncatesTowardZeroBehindALeadingSpace) {
  const struct {
    int level;
    const char* text;
  } cases[] = {{0, " -50 %"}, {1, " -49 %"}, {127, " 0 %"}, {128, " 0 %"}, {129, " 0 %"},
               {131, " 1 %"}, {200, " 28 %"}, {255, " 49 %"}, {256, " 50 %"}};
  for (const auto& c : cases) EXPECT_EQ(FormatPercent(c.level), c.text) << "level " << c.level;
}

TEST(WindowTitle, ComesFromCommonText19AndShowsPortableMode) {
  EXPECT_EQ(ComposeWindowTitle(u"Glowmere 1.77", false), u"Glowmere 1.77");
  EXPECT_EQ(ComposeWindowTitle(u"Glowmere 1.77", true), u"Glowmere 1.77 Portable");
  EXPECT_EQ(ComposeWindowTitle(nullptr, false), u"Glowmere 1.01");
  EXPECT_EQ(ComposeWindowTitle(nullptr, true), u"Glowmere 1.01 Portable");
}

class FakeSystemPagePlatform final : public SystemPagePlatform {
 public:
  bool wow64 = false;
  bool disableWorks = true;
  std::vector<std::string> calls;
  bool IsWow64() override { return wow64; }
  bool DisableRedirection(void** previous) override {
    calls.push_back("disable");
    *previous = reinterpret_cast<void*>(0x55);
    return disableWorks;
  }
  void RevertRedirection(void* previous) override {
    calls.push_back(previous == reinterpret_cast<void*>(0x55) ? "revert saved" : "revert other");
  }
  void ShellOpen(const SystemPage& page) override {
    calls.push_back(std::string("open ") + page.file + (page.parameters ? std::string(" ") + page.parameters : ""));
  }
};

// The other pages are checked through what opening them starts, below.
TEST(SystemPages, BatteryPageOpensThroughExplorerAndOtherIdsOpenNothing) {
  EXPECT_STREQ(SystemPageForCommand(40031)->file, "explorer");
  EXPECT_STREQ(SystemPageForCommand(40031)->parameters, "ms-settings:batterysaver-settings");
  EXPECT_EQ(SystemPageForCommand(40033), nullptr);
}

// Redirection is off only around the start, and only when it was switched off.
TEST(SystemPages, Wow64RedirectionIsOffOnlyAroundTheStart) {
  struct Case {
    bool wow64, disableWorks;
    int command;
    std::vector<std::string> calls;
  } cases[] = {
      {true, true, 40032, {"disable", "open mblctr.exe", "revert saved"}},
      {false, true, 40030, {"open control powercfg.cpl"}},
      {true, false, 40029, {"disable", "open control desk.cpl ,1"}},
  };
  for (const Case& c : cases) {
    FakeSystemPagePlatform platform;
    platform.wow64 = c.wow64;
    platform.disableWorks = c.disableWorks;
    OpenSystemPage(platform, *SystemPageForCommand(c.command));
    EXPECT_EQ(platform.calls, c.calls) << "command " << c.command;
  }
}

// A message-timer stand-in with a clock: fires a timer once its time has come.
class FakeTimers final : public TimerPort {
 public:
  unsigned now = 0;
  bool running = false;
  unsigned due = 0;
  void Start(unsigned, unsigned ms) override {
    running = true;
    due = now + ms;
  }
  void Stop(unsigned) override { running = false; }
  bool Fires(unsigned at) {
    now = at;
    return running && now >= due;
  }
};

TEST(Coalescer, ABurstOfEventsGivesOneActionAfterTheLast) {
  FakeTimers timers;
  Coalescer coalescer(3000, 300);
  int actions = 0;
  for (unsigned t : {0u, 100u, 250u, 400u}) {
    EXPECT_FALSE(timers.Fires(t)) << "nothing may fire during the burst, t=" << t;
    coalescer.Trigger(timers);
  }
  for (unsigned t = 400; t <= 2000; t += 50) {
    if (timers.Fires(t) && coalescer.Expire(timers)) ++actions;
  }
  EXPECT_EQ(actions, 1);
  EXPECT_FALSE(timers.running);

  // A failed action (a display refusing the ramp) is tried a bounded number of times.
  int retries = 0;
  while (coalescer.Retry(timers) && retries < 10) ++retries;
  EXPECT_EQ(retries, Coalescer::kRetries);
  coalescer.Trigger(timers);
  EXPECT_TRUE(coalescer.Retry(timers)) << "a new burst may retry again";
}

// A drag of 85 steps, 20 ms apart, and 2 s of rest: writes at most every 500 ms
// during it and one 300 ms after its last step; none while the levels rest.
TEST(WriteSchedule, WritesWhenTheLevelsSettleAndAtLeastTwiceASecondDuringADrag) {
  FakeTimers timers;
  WriteSchedule schedule(3001, 300, 500);
  std::vector<unsigned> writes;
  for (unsigned t = 1000; t <= 5000; t += 10) {
    if (timers.Fires(t) && schedule.Expire(timers)) writes.push_back(t);
    if (t < 2700 && t % 20 == 0 && schedule.Changed(timers, t)) writes.push_back(t);
  }
  ASSERT_FALSE(writes.empty());
  EXPECT_EQ(writes.back(), 2680u + 300u) << "the last write comes 300 ms after the last step";
  for (size_t i = 1; i < writes.size(); ++i) {
    EXPECT_LE(writes[i] - writes[i - 1], 510u) << "write " << i << " came " << writes[i] - writes[i - 1]
                                               << " ms after the one before";
  }
  EXPECT_LE(writes.size(), 6u) << "writes seen: " << writes.size();
}

// A busy file is tried again after 1, 2 and 4 s, then left alone; a refused one not at all.
TEST(WriteSchedule, RetriesABusyFileAFewTimesAndARefusedOneNever) {
  for (bool busy : {true, false}) {
    FakeTimers timers;
    WriteSchedule schedule(3001, 300, 500);
    schedule.Changed(timers, 0);
    std::vector<unsigned> attempts;
    for (unsigned t = 0; t <= 60000; t += 10) {
      if (timers.Fires(t) && schedule.Expire(timers)) {
        attempts.push_back(t);
        schedule.Written(timers, busy);
      }
    }
    const std::vector<unsigned> expected =
        busy ? std::vector<unsigned>{300, 1300, 3300, 7300} : std::vector<unsigned>{300};
    EXPECT_EQ(attempts, expected) << (busy ? "busy" : "refused");
  }
}

}  // namespace
