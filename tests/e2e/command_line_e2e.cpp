// Levels from outside the dialog: options of a new start, with and without a running
// instance, and the system-wide hotkeys pressed as real key events.
#include <windows.h>
#include <tlhelp32.h>

#include "harness.h"

namespace {

using namespace e2e;

// Each runs after the one before it: -rgb leaves the brightness slider where it was. The
// levels: brightness, red, green, blue as the sliders and the settings file keep them.
const struct {
  const wchar_t* args;
  const char* levels;
  int r, g, b;
} kLevelCases[] = {{L"-brightness -25", "64 64 64 64 ", 64, 64, 64},
                   {L"-RGB 10 -20 50", "64 154 76 256 ", 154, 76, 256},
                   {L"-bg -reset", "128 128 128 128 ", 128, 128, 128}};

// Suspends (or resumes) every thread of process `pid`: an instance that cannot answer.
void SuspendProcess(DWORD pid, bool suspend) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry = {sizeof entry};
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    HANDLE thread =
        entry.th32OwnerProcessID == pid ? OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID) : nullptr;
    if (thread) suspend ? SuspendThread(thread) : ResumeThread(thread), CloseHandle(thread);
  }
  CloseHandle(snapshot);
}

class CommandLine : public GlowmereTest {
 protected:
  // Started hidden; the hotkeys' defaults are the last thing a start writes.
  HWND StartSettled(Process* process) {
    *process = Start(L"-bg");
    HWND dialog = WaitForDialog(*process);
    EXPECT_TRUE(WaitUntil([] { return IniValue(L"Hotkeys", L"Neutral") != L"<none>"; })) << "the start never ended";
    return dialog;
  }
};

// A malformed option changes nothing and ends with 2 after naming it; good ones and the
// hotkeys reach the running instance, which neither shows itself nor warns.
TEST_F(CommandLine, ASecondStartAndTheHotkeysSetTheRunningInstance) {
  Process first;
  HWND dialog = StartSettled(&first);
  ASSERT_NE(dialog, nullptr);
  const std::string iniBefore = ReadFileBytes(PerUserIni());
  // Which part the message names is pinned by the unit tests.
  for (const wchar_t* bad : {L"-brightnes -25", L"-rgb 1 2"})
    EXPECT_EQ(AnswerBox(Start(bad)), kExitBadOption) << Narrow(bad);
  EXPECT_EQ(SliderLevels(dialog), "128 128 128 128 ");
  EXPECT_TRUE(RampIs(128, 128, 128)) << "expected the identity ramp to stay; " << RampSeen();
  EXPECT_EQ(ReadFileBytes(PerUserIni()), iniBefore) << "the settings file must not change";

  for (const auto& c : kLevelCases) {
    EXPECT_EQ(WaitForExit(Start(c.args), 60000), kExitLevelsSet) << Narrow(c.args);
    EXPECT_TRUE(Becomes([&] { return SliderLevels(dialog); }, c.levels)) << Narrow(c.args);
    EXPECT_TRUE(RampBecomes(c.r, c.g, c.b)) << Narrow(c.args);
    EXPECT_TRUE(Becomes(StoredLevels, c.levels)) << Narrow(c.args) << ", stored";
  }
  const struct {
    WORD key;
    const char* levels;
    int level;
  } presses[] = {{VK_PRIOR, "136 136 136 136 ", 136}, {VK_HOME, "128 128 128 128 ", 128}};
  for (const auto& press : presses) {
    PressHotkey(press.key);
    EXPECT_TRUE(Becomes([&] { return SliderLevels(dialog); }, press.levels)) << "key " << press.key;
    EXPECT_TRUE(RampBecomes(press.level, press.level, press.level)) << "key " << press.key;
  }
  EXPECT_FALSE(WaitUntil([&] { return IsWindowVisible(dialog) || WaitForBox(first.pid, dialog, 0xFFFF, 0); }, 2000))
      << "the running instance must neither show itself nor warn";
  EXPECT_EQ(WaitForExit(first, 0), static_cast<DWORD>(STILL_ACTIVE));
}

// A start that cannot do what it was asked says so in its exit code and changes nothing
// behind a running instance's back; without an instance it sets and stores the levels itself.
TEST_F(CommandLine, WithoutAnInstanceOrWithOneThatCannotAnswer) {
  Process first;
  HWND dialog = StartSettled(&first);
  ASSERT_NE(dialog, nullptr);
  const std::string iniBefore = ReadFileBytes(PerUserIni());
  SuspendProcess(first.pid, true);
  const DWORD code = WaitForExit(Start(L"-brightness -25"), 60000);
  const bool rampKept = RampIs(128, 128, 128);
  const std::string iniSeen = ReadFileBytes(PerUserIni());
  SuspendProcess(first.pid, false);
  EXPECT_EQ(code, kExitInstanceDidNotTake) << "an instance that does not answer: expected exit code 3";
  EXPECT_TRUE(rampKept) << "the ramp must stay while the instance cannot take the levels; " << RampSeen();
  EXPECT_EQ(iniSeen, iniBefore) << "the settings file must not change behind the instance's back";
  EXPECT_EQ(SliderLevels(dialog), "128 128 128 128 ");
  PostCommand(dialog, IDC_EXIT);
  ASSERT_EQ(WaitForExit(first), kExitCommand);

  // No instance: the levels are applied and stored.
  EXPECT_EQ(WaitForExit(Start(L"-RGB 10 -20 50"), 60000), kExitLevelsSet);
  EXPECT_TRUE(RampBecomes(154, 76, 256));
  EXPECT_TRUE(Becomes(StoredLevels, "<none> 154 76 256 ")) << "-rgb keeps the brightness, here none stored";
  // No instance, and a settings file that takes no writes: applied, but not stored.
  ASSERT_TRUE(SetFileAttributesW(PerUserIni().c_str(), FILE_ATTRIBUTE_READONLY));
  const std::string readOnlyBefore = ReadFileBytes(PerUserIni());
  EXPECT_EQ(WaitForExit(Start(L"-brightness -25"), 60000), kExitNotStored) << "expected exit code 5: not stored";
  EXPECT_EQ(ReadFileBytes(PerUserIni()), readOnlyBefore) << "a read-only settings file must stay as it was";
}

// A key without Ctrl, Alt or Win would take a key from every program, and one another
// program holds cannot be had: both are reported in one balloon, and the others work.
TEST_F(CommandLine, BareAndTakenHotkeysAreReportedAndTheOthersWork) {
  ASSERT_TRUE(
      WriteFileBytes(PerUserIni(), "[Hotkeys]\r\nBrighter=Home\r\nDarker=Ctrl+Alt+PgDn\r\nNeutral=Ctrl+Alt+Home\r\n"));
  ASSERT_TRUE(RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT, VK_HOME)) << "the test could not take Ctrl+Alt+Home";
  HWND dialog = WaitForDialog(Start());
  ASSERT_NE(dialog, nullptr);
  // Wine shows a balloon as a tooltip window of the shell; its text is the report.
  std::wstring report;
  WaitUntil([&] {
    for (HWND tip : TopLevelWindows(0, L"tooltips_class32"))
      if (WindowText(tip).find(L"Home, Ctrl+Alt+Home") != std::wstring::npos) report = WindowText(tip);
    return !report.empty();
  });
  EXPECT_NE(report.find(L"[Hotkeys]"), std::wstring::npos)
      << "expected a balloon naming Home and Ctrl+Alt+Home and where to change them, seen \"" << Narrow(report) << "\"";
  UnregisterHotKey(nullptr, 7);
  EXPECT_TRUE(RegisterHotKey(nullptr, 8, 0, VK_HOME)) << "Home must be left to other programs";
  UnregisterHotKey(nullptr, 8);
  EXPECT_FALSE(RegisterHotKey(nullptr, 9, MOD_CONTROL | MOD_ALT, VK_NEXT)) << "Glowmere must hold Ctrl+Alt+PgDn";
  PressHotkey(VK_NEXT);
  EXPECT_TRUE(Becomes([&] { return std::to_string(SliderPos(dialog, IDC_BRIGHTNESS)); }, "120"))
      << "Ctrl+Alt+PgDn must still work";
}

}  // namespace
