// Levels from outside the dialog: options of a new start, with and without a running
// instance, and the system-wide hotkeys pressed as real key events.
#include <windows.h>

#include "harness.h"

namespace {

using namespace e2e;

struct LevelCase {
  const wchar_t* args;
  int b, r, g, bl;  // brightness, red, green, blue as the sliders and the settings file keep them
  std::string Levels() const { return std::to_string(b) + " " + std::to_string(r) + " " + std::to_string(g) + " " +
                                      std::to_string(bl) + " "; }
};
// Each runs after the one before it: -rgb leaves the brightness slider where it was.
const LevelCase kLevelCases[] = {
    {L"-brightness -25", 64, 64, 64, 64}, {L"-RGB 10 -20 50", 64, 154, 76, 256}, {L"-bg -reset", 128, 128, 128, 128}};

void ExpectLevels(const LevelCase& c, HWND dialog) {
  const std::string what = Narrow(c.args);
  if (dialog)
    EXPECT_TRUE(WaitUntil([&] { return SliderLevels(dialog) == c.Levels(); }, 10000))
        << what << ": expected sliders " << c.Levels() << ", seen " << SliderLevels(dialog);
  EXPECT_TRUE(WaitUntil([&] { return RampIs(c.r, c.g, c.bl); }, 10000)) << what << ": " << RampSeen();
  EXPECT_TRUE(WaitUntil([&] { return StoredLevels() == c.Levels(); }, 10000))
      << what << ": expected stored " << c.Levels() << ", seen " << StoredLevels();
}

// Ctrl+Alt+`key` as real key events.
void PressHotkey(WORD key) {
  const WORD keys[] = {VK_CONTROL, VK_MENU, key};
  INPUT input[6] = {};
  for (int i = 0; i < 6; ++i) {
    input[i].type = INPUT_KEYBOARD;
    input[i].ki.wVk = keys[i < 3 ? i : 5 - i];
    input[i].ki.dwFlags = (i < 3 ? 0 : KEYEVENTF_KEYUP) | (input[i].ki.wVk == key ? KEYEVENTF_EXTENDEDKEY : 0);
  }
  SendInput(6, input, sizeof(INPUT));
}

class CommandLine : public GlowmereTest {};

// A malformed option changes nothing and ends with 2 after naming it; good ones reach the
// running instance, which neither shows itself nor warns.
TEST_F(CommandLine, ASecondStartHandsTheLevelsToTheRunningInstance) {
  const Process first = Start(L"-bg");
  HWND dialog = WaitForDialog(first);
  ASSERT_NE(dialog, nullptr);
  // The hotkeys' defaults are the last thing a start writes.
  ASSERT_TRUE(WaitUntil([] { return IniValue(L"Hotkeys", L"Neutral") != L"<none>"; }));
  const std::string iniBefore = ReadFileBytes(PerUserIni());
  const struct { const wchar_t *args, *named; } bad[] = {
      {L"-brightnes -25", L"-brightnes"}, {L"-brightness ten", L"-brightness ten"}, {L"-rgb 1 2", L"-rgb 1 2"}};
  for (const auto& c : bad) {
    const std::string what = Narrow(c.args);
    const Process start = Start(c.args);
    HWND box = WaitForBox(start.pid, nullptr);
    const std::wstring message = box ? ItemText(box, 0xFFFF) : L"<no box>";
    EXPECT_NE(message.find(L" " + std::wstring(c.named) + L"."), std::wstring::npos)
        << what << ": expected a message naming the option, seen \"" << Narrow(message) << "\"";
    if (box) PostCommand(box, IDOK);
    EXPECT_EQ(WaitForExit(start), 2u) << what;
  }
  EXPECT_EQ(SliderLevels(dialog), "128 128 128 128 ");
  EXPECT_TRUE(RampIs(128, 128, 128)) << "expected the identity ramp to stay; " << RampSeen();
  EXPECT_EQ(ReadFileBytes(PerUserIni()), iniBefore) << "the settings file must not change";

  for (const LevelCase& c : kLevelCases) {
    EXPECT_EQ(WaitForExit(Start(c.args), 60000), 0u) << Narrow(c.args);
    ExpectLevels(c, dialog);
  }
  EXPECT_FALSE(WaitUntil([&] { return IsWindowVisible(dialog) || WaitForBox(first.pid, dialog, 0xFFFF, 0); }, 2000))
      << "the running instance must neither show itself nor warn";
  EXPECT_EQ(WaitForExit(first, 0), static_cast<DWORD>(STILL_ACTIVE));
}

TEST_F(CommandLine, WithoutAnInstanceTheLevelsAreAppliedAndStored) {
  for (const LevelCase& c : kLevelCases) {
    EXPECT_EQ(WaitForExit(Start(c.args), 60000), 0u) << Narrow(c.args);
    ExpectLevels(c, nullptr);
  }
}

TEST_F(CommandLine, HotkeysMoveTheBrightness) {
  const Process p = Start();
  HWND dialog = WaitForDialog(p);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(WaitUntil([] { return IniValue(L"Hotkeys", L"Neutral") != L"<none>"; })) << "the start never ended";
  const struct { WORD key; int level; } presses[] = {{VK_NEXT, 120}, {VK_NEXT, 112}, {VK_PRIOR, 120}, {VK_HOME, 128}};
  for (const auto& press : presses) {
    PressHotkey(press.key);
    std::string all;
    for (int i = 0; i < 4; ++i) all += std::to_string(press.level) + " ";
    EXPECT_TRUE(WaitUntil([&] { return SliderLevels(dialog) == all && RampIs(press.level, press.level, press.level); },
                          10000))
        << "key " << press.key << ": expected every slider at " << press.level << ", seen " << SliderLevels(dialog)
        << "; " << RampSeen();
  }
  EXPECT_EQ(WaitForBox(p.pid, dialog, 0xFFFF, 2000), nullptr) << "no readback warning in the normal case";
}

// Wine shows a balloon as a tooltip window of the shell; its text is the report.
TEST_F(CommandLine, AHotkeyAnotherProgramHoldsIsReportedAndTheOthersWork) {
  ASSERT_TRUE(RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT, VK_PRIOR)) << "the test could not take Ctrl+Alt+PgUp";
  HWND dialog = WaitForDialog(Start());
  ASSERT_NE(dialog, nullptr);
  std::wstring report;
  EXPECT_TRUE(WaitUntil([&] {
    for (HWND tip : TopLevelWindows(0, L"tooltips_class32"))
      if (WindowText(tip).find(L"Ctrl+Alt+PgUp") != std::wstring::npos) report = WindowText(tip);
    return !report.empty();
  })) << "expected a balloon naming Ctrl+Alt+PgUp";
  EXPECT_NE(report.find(L"[Hotkeys]"), std::wstring::npos) << "the report must say where to change it: "
                                                            << Narrow(report);
  PressHotkey(VK_NEXT);
  EXPECT_TRUE(WaitUntil([&] { return SliderPos(dialog, IDC_BRIGHTNESS) == 120; }, 10000))
      << "Ctrl+Alt+PgDn must still work; brightness seen " << SliderPos(dialog, IDC_BRIGHTNESS);
  UnregisterHotKey(nullptr, 7);
}

}  // namespace
