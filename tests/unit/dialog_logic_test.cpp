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
  EXPECT_STREQ(SystemPageForCommand(40031)->file, "explorer.exe");
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
      {false, true, 40030, {"open control.exe powercfg.cpl"}},
      {true, false, 40029, {"disable", "open control.exe desk.cpl ,1"}},
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
}

TEST(Coalescer, ResumeAndSessionEventsThatMayResetTheRamps) {
  EXPECT_TRUE(IsResumeEvent(0x12));
  EXPECT_TRUE(IsResumeEvent(0x7));
  EXPECT_FALSE(IsResumeEvent(0x4));  // suspend
  EXPECT_TRUE(IsSessionReturnEvent(0x8));
  EXPECT_TRUE(IsSessionReturnEvent(0x1));
  EXPECT_TRUE(IsSessionReturnEvent(0x4));
  EXPECT_FALSE(IsSessionReturnEvent(0x7));  // lock
}

}  // namespace
