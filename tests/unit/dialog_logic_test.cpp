// The dialog's portable rules: percentages, the System menu, event coalescing,
// levels from the command line and the hotkeys' text form.
#include <gtest/gtest.h>

#include <vector>

#include "app/coalescer.h"
#include "app/command_line.h"
#include "app/hotkey_text.h"
#include "app/level_text.h"
#include "app/system_pages.h"
#include "common/text.h"

namespace {

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

// Redirection is off only around the start, and only when it was switched off.
TEST(SystemPages, Wow64RedirectionIsOffOnlyAroundTheStart) {
  struct Case { bool wow64, disableWorks; int command; std::vector<std::string> calls; } cases[] = {
      {true, true, 40032, {"disable", "open mblctr.exe", "revert saved"}},
      {false, true, 40030, {"open control.exe powercfg.cpl"}},
      {true, false, 40029, {"disable", "open control.exe desk.cpl ,1"}},
  };
  for (const auto& c : cases) {
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
  void Start(unsigned, unsigned ms) override { running = true; due = now + ms; }
  void Stop(unsigned) override { running = false; }
  bool Fires(unsigned at) { now = at; return running && now >= due; }
};

// A failed re-apply (a display refusing the ramp) is tried a bounded number of times; the
// burst itself is seen end to end.
TEST(Coalescer, RetriesAreBoundedPerBurst) {
  FakeTimers timers;
  Coalescer coalescer(3000, 300);
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

// Each percentage gives the level nearest to neutral whose label reads it.
TEST(CommandLine, LevelOptions) {
  const int keep = LevelRequest::kKeepBrightness;
  const struct {
    std::vector<std::u16string> args;
    CommandLine::Kind kind;
    bool background;
    LevelRequest levels;
    std::u16string badOption;
  } cases[] = {
      {{}, CommandLine::Kind::None, false, {}, u""},
      {{u"-BG"}, CommandLine::Kind::None, true, {}, u""},
      {{u"x", u"-bg", u"/brightness"}, CommandLine::Kind::None, false, {}, u""},
      {{u"-brightness", u"-25"}, CommandLine::Kind::Levels, false, {64, 64, 64, 64}, u""},
      {{u"-bg", u"-Brightness", u"+10"}, CommandLine::Kind::Levels, true, {154, 154, 154, 154}, u""},
      {{u"-rgb", u"50", u"-50", u"-20"}, CommandLine::Kind::Levels, false, {keep, 256, 0, 76}, u""},
      {{u"-brightness", u"10", u"-RESET"}, CommandLine::Kind::Levels, false, {128, 128, 128, 128}, u""},
      {{u"-brightnes", u"-25"}, CommandLine::Kind::Malformed, false, {}, u"-brightnes"},
      {{u"-brightness"}, CommandLine::Kind::Malformed, false, {}, u"-brightness"},
      {{u"-brightness", u"51"}, CommandLine::Kind::Malformed, false, {}, u"-brightness 51"},
      {{u"-rgb", u"1", u"x2", u"3"}, CommandLine::Kind::Malformed, false, {}, u"-rgb 1 x2"},
      {{u"-reset", u"-bg"}, CommandLine::Kind::Malformed, false, {}, u"-bg"},
  };
  for (const auto& c : cases) {
    const CommandLine parsed = ParseCommandLine(c.args);
    const std::string what = text::ToUtf8(c.args.empty() ? u"(none)" : c.args[0] + u" ...");
    EXPECT_EQ(parsed.kind, c.kind) << what;
    EXPECT_EQ(parsed.background, c.background) << what;
    EXPECT_EQ(text::ToUtf8(parsed.badOption), text::ToUtf8(c.badOption)) << what;
    if (c.kind != CommandLine::Kind::Levels) continue;
    const LevelRequest& l = parsed.levels;
    EXPECT_EQ(std::vector<int>({l.brightness, l.red, l.green, l.blue}),
              std::vector<int>({c.levels.brightness, c.levels.red, c.levels.green, c.levels.blue})) << what;
  }
  for (int level : {127, 129}) EXPECT_EQ(FormatPercent(level), " 0 %") << "truncated toward zero, never -0";
  for (int p = kPercentMin; p <= kPercentMax; ++p) {
    EXPECT_EQ(FormatPercent(LevelFromPercent(p)), " " + std::to_string(p) + " %") << p;
    if (p != 0) EXPECT_NE(FormatPercent(LevelFromPercent(p) - (p < 0 ? -1 : 1)), FormatPercent(LevelFromPercent(p))) << p;
  }
}

// "-display D" once, before the levels it limits; its value is matched later.
TEST(CommandLine, DisplayOption) {
  const struct {
    std::vector<std::u16string> args;
    CommandLine::Kind kind;
    std::u16string display;
    std::u16string badOption;
  } cases[] = {
      {{u"-display", u"2", u"-brightness", u"-10"}, CommandLine::Kind::Levels, u"2", u""},
      {{u"-bg", u"-DISPLAY", u"dell u27", u"-reset"}, CommandLine::Kind::Levels, u"dell u27", u""},
      {{u"-rgb", u"1", u"2", u"3"}, CommandLine::Kind::Levels, u"", u""},
      {{u"-display", u"2"}, CommandLine::Kind::Malformed, u"", u"-display 2"},
      {{u"-display", u"-reset"}, CommandLine::Kind::Malformed, u"", u"-display -reset"},
      {{u"-display"}, CommandLine::Kind::Malformed, u"", u"-display"},
      {{u"-reset", u"-display", u"1"}, CommandLine::Kind::Malformed, u"", u"-display 1"},
      {{u"-display", u"1", u"-display", u"2", u"-reset"}, CommandLine::Kind::Malformed, u"", u"-display 2"},
  };
  for (const auto& c : cases) {
    const CommandLine parsed = ParseCommandLine(c.args);
    const std::string what = text::ToUtf8(c.args[0] + u" " + (c.args.size() > 1 ? c.args[1] : u""));
    EXPECT_EQ(parsed.kind, c.kind) << what;
    EXPECT_EQ(text::ToUtf8(parsed.badOption), text::ToUtf8(c.badOption)) << what;
    if (c.kind == CommandLine::Kind::Levels) EXPECT_EQ(text::ToUtf8(parsed.display), text::ToUtf8(c.display)) << what;
  }
  EXPECT_EQ(ParseCommandLine({u"-display", u"1", u"-brightness", u"10"}).levels.brightness, LevelFromPercent(10));
}

// Virtual-key codes and modifier bits as RegisterHotKey takes them.
TEST(Hotkeys, ReadableForm) {
  const struct { const char16_t* text; bool valid; Hotkey hotkey; } cases[] = {
      {u"Ctrl+Alt+PgUp", true, {kModCtrl | kModAlt, 0x21}}, {u" alt + ctrl + pgdn ", true, {kModCtrl | kModAlt, 0x22}},
      {u"Win+Shift+f24", true, {kModShift | kModWin, 0x87}}, {u"Ctrl+Minus", true, {kModCtrl, 0xBD}},
      {u"Alt+Plus", true, {kModAlt, 0xBB}},                  {u"Shift+z", true, {kModShift, 'Z'}},
      {u"Ctrl+7", true, {kModCtrl, '7'}},                    {u" ", true, {0, 0}},
      {u"Ctrl+Alt", false, {}},                              {u"Ctrl+PgUp+Home", false, {}},
      {u"Ctrl+Ctrl+A", false, {}},                           {u"Ctrl++", false, {}},
      {u"Ctrl+F25", false, {}},                              {u"Ctrl+Tab", false, {}},
  };
  for (const auto& c : cases) {
    Hotkey parsed{99, 99};
    const std::string what = text::ToUtf8(c.text);
    ASSERT_EQ(ParseHotkey(c.text, &parsed), c.valid) << what;
    if (!c.valid) continue;
    EXPECT_EQ(parsed.modifiers, c.hotkey.modifiers) << what;
    EXPECT_EQ(parsed.key, c.hotkey.key) << what;
  }
}

}  // namespace
