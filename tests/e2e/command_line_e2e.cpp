// Levels from outside the dialog: options of a new start, with and without a running
// instance, and the system-wide hotkeys pressed as real key events.
#include <windows.h>

#include <string>
#include <vector>

#include "harness/harness.h"

namespace {

const int kSliders[] = {1038, 1039, 1040, 1041};  // brightness, red, green, blue

struct LevelCase {
  const wchar_t* args;
  int levels[4];  // brightness, red, green, blue as the sliders and the settings file keep them
};
// Each runs after the one before it: -rgb leaves the brightness slider where it was.
const LevelCase kLevelCases[] = {
    {L"-brightness -25", {64, 64, 64, 64}},
    {L"-RGB 10 -20 50", {64, 154, 76, 256}},
    {L"-bg -reset", {128, 128, 128, 128}},
};

std::wstring IniValue(const wchar_t* section, const wchar_t* key) {
  wchar_t value[64] = {};
  GetPrivateProfileStringW(section, key, L"<none>", value, 64, e2e::PerUserIni().c_str());
  return value;
}

std::string StoredLevels() {
  std::string seen;
  for (const wchar_t* key : {L"H", L"r", L"g", L"b"}) seen += e2e::Narrow(IniValue(L"Start", key)) + " ";
  return seen;
}

std::string Expected(const int levels[4]) {
  std::string expected;
  for (int i = 0; i < 4; ++i) expected += std::to_string(levels[i]) + " ";
  return expected;
}

std::string SliderLevels(HWND dialog) {
  std::string seen;
  for (int id : kSliders) seen += std::to_string(e2e::SliderPos(dialog, id)) + " ";
  return seen;
}

// Every dialog of `pid` other than the main one: message boxes.
std::vector<HWND> Boxes(DWORD pid, HWND mainDialog) {
  std::vector<HWND> boxes;
  for (HWND window : e2e::TopLevelWindows(pid, L"#32770")) {
    if (window != mainDialog && IsWindowVisible(window)) boxes.push_back(window);
  }
  return boxes;
}

void PressKeys(std::vector<WORD> keys) {
  std::vector<INPUT> input;
  for (int up = 0; up < 2; ++up) {
    for (size_t i = 0; i < keys.size(); ++i) {
      INPUT in = {};
      in.type = INPUT_KEYBOARD;
      in.ki.wVk = keys[up ? keys.size() - 1 - i : i];
      in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (in.ki.wVk >= VK_PRIOR && in.ki.wVk <= VK_DOWN ? KEYEVENTF_EXTENDEDKEY : 0);
      input.push_back(in);
    }
  }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

class CommandLineTest : public e2e::GlowmereTest {};

TEST_F(CommandLineTest, ASecondStartHandsTheLevelsToTheRunningInstanceWithoutShowingIt) {
  e2e::Process first = Start(L"-bg");
  HWND dialog = WaitForDialog(first);
  ASSERT_NE(dialog, nullptr);
  for (const LevelCase& c : kLevelCases) {
    const std::string what = e2e::Narrow(c.args);
    EXPECT_EQ(WaitForExit(Start(c.args), 60000), 0u) << what;
    EXPECT_TRUE(e2e::WaitUntil([&] { return SliderLevels(dialog) == Expected(c.levels); }, 10000))
        << what << ": expected sliders " << Expected(c.levels) << ", seen " << SliderLevels(dialog);
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::RampMatches(e2e::ScreenRamp(), c.levels[1], c.levels[2], c.levels[3]); }))
        << what << ": expected the ramp of " << Expected(c.levels) << ", top entries seen " << e2e::ScreenRamp()[255]
        << " " << e2e::ScreenRamp()[511] << " " << e2e::ScreenRamp()[767];
    EXPECT_TRUE(e2e::WaitUntil([&] { return StoredLevels() == Expected(c.levels); }))
        << what << ": expected stored " << Expected(c.levels) << ", seen " << StoredLevels();
  }
  EXPECT_FALSE(e2e::WaitUntil([&] { return e2e::IsVisible(dialog) || !Boxes(first.pid, dialog).empty(); }, 2000))
      << "the running instance must neither show itself nor warn";
  EXPECT_EQ(WaitForExit(first, 0), static_cast<DWORD>(STILL_ACTIVE));
}

TEST_F(CommandLineTest, WithoutAnInstanceTheLevelsAreAppliedAndStored) {
  for (const LevelCase& c : kLevelCases) {
    const std::string what = e2e::Narrow(c.args);
    EXPECT_EQ(WaitForExit(Start(c.args), 60000), 0u) << what;
    EXPECT_TRUE(e2e::RampMatches(e2e::ScreenRamp(), c.levels[1], c.levels[2], c.levels[3]))
        << what << ": expected the ramp of " << Expected(c.levels) << ", top entry seen " << e2e::ScreenRamp()[255];
    EXPECT_EQ(StoredLevels(), Expected(c.levels)) << what;
  }
}

TEST_F(CommandLineTest, AMalformedOptionChangesNothingAndEndsWith2) {
  e2e::Process first = Start(L"-bg");
  HWND dialog = WaitForDialog(first);
  ASSERT_NE(dialog, nullptr);
  // The hotkeys' defaults are the last thing a start writes.
  ASSERT_TRUE(e2e::WaitUntil([] { return IniValue(L"Hotkeys", L"Neutral") != L"<none>"; }));
  const std::string iniBefore = e2e::ReadFileBytes(e2e::PerUserIni());
  const struct {
    const wchar_t* args;
    const wchar_t* named;
  } cases[] = {
      {L"-brightnes -25", L"-brightnes"},       {L"-brightness", L"-brightness"},
      {L"-brightness ten", L"-brightness ten"}, {L"-brightness 51", L"-brightness 51"},
      {L"-rgb 1 2", L"-rgb 1 2"},
  };
  for (const auto& c : cases) {
    const std::string what = e2e::Narrow(c.args);
    e2e::Process bad = Start(c.args);
    HWND box = nullptr;
    EXPECT_TRUE(e2e::WaitUntil([&] {
      const std::vector<HWND> boxes = Boxes(bad.pid, nullptr);
      box = boxes.empty() ? nullptr : boxes[0];
      return box != nullptr;
    })) << what << ": expected a message box";
    const std::wstring message = box ? e2e::ItemText(box, 0xFFFF) : L"";
    EXPECT_NE(message.find(std::wstring(L" ") + c.named + L"."), std::wstring::npos)
        << what << ": expected the message to name \"" << e2e::Narrow(c.named) << "\", seen \"" << e2e::Narrow(message) << "\"";
    if (box) PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(WaitForExit(bad), 2u) << what;
  }
  EXPECT_EQ(SliderLevels(dialog), "128 128 128 128 ");
  EXPECT_TRUE(e2e::RampMatches(e2e::ScreenRamp(), 128, 128, 128)) << "expected the identity ramp to stay";
  EXPECT_EQ(e2e::ReadFileBytes(e2e::PerUserIni()), iniBefore) << "the settings file must not change";
  EXPECT_FALSE(e2e::IsVisible(dialog)) << "a malformed start must not bring the running dialog up";
}

TEST_F(CommandLineTest, HotkeysMoveTheBrightnessAndTheirDefaultsAreWritten) {
  e2e::Process p = Start();
  HWND dialog = WaitForDialog(p);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(e2e::WaitUntil([] { return IniValue(L"Hotkeys", L"Neutral") == L"Ctrl+Alt+Home"; }))
      << "expected the default hotkeys in the settings file, seen " << e2e::Narrow(e2e::ReadFileText(e2e::PerUserIni()));
  EXPECT_EQ(IniValue(L"Hotkeys", L"Brighter"), L"Ctrl+Alt+PgUp");
  EXPECT_EQ(IniValue(L"Hotkeys", L"Darker"), L"Ctrl+Alt+PgDn");
  const struct {
    WORD key;
    int level;
  } presses[] = {{VK_NEXT, 120}, {VK_NEXT, 112}, {VK_PRIOR, 120}, {VK_HOME, 128}};
  for (const auto& press : presses) {
    PressKeys({VK_CONTROL, VK_MENU, press.key});
    const int all[4] = {press.level, press.level, press.level, press.level};
    EXPECT_TRUE(e2e::WaitUntil([&] { return SliderLevels(dialog) == Expected(all); }, 10000))
        << "key " << press.key << ": expected every slider at " << press.level << ", seen " << SliderLevels(dialog);
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::RampMatches(e2e::ScreenRamp(), press.level, press.level, press.level); }))
        << "key " << press.key << ": expected the ramp of level " << press.level;
  }
  EXPECT_TRUE(Boxes(p.pid, dialog).empty()) << "no readback warning in the normal case";
}

// Wine shows a balloon as a tooltip window of the shell; its text is the report.
BOOL CALLBACK FindBalloon(HWND window, LPARAM param) {
  auto* found = reinterpret_cast<std::wstring*>(param);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  const std::wstring text = e2e::WindowText(window);
  if (lstrcmpiW(name, L"tooltips_class32") == 0 && text.find(L"Ctrl+Alt+PgUp") != std::wstring::npos) *found = text;
  return TRUE;
}

TEST_F(CommandLineTest, AHotkeyAnotherProgramHoldsIsReportedAndTheOthersWork) {
  ASSERT_TRUE(RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT, VK_PRIOR)) << "the test could not take Ctrl+Alt+PgUp";
  e2e::Process p = Start();
  HWND dialog = WaitForDialog(p);
  ASSERT_NE(dialog, nullptr);
  std::wstring report;
  EXPECT_TRUE(e2e::WaitUntil([&] { return EnumWindows(FindBalloon, reinterpret_cast<LPARAM>(&report)), !report.empty(); }))
      << "expected a balloon naming Ctrl+Alt+PgUp";
  EXPECT_NE(report.find(L"[Hotkeys]"), std::wstring::npos) << "the report must say where to change it: " << e2e::Narrow(report);
  PressKeys({VK_CONTROL, VK_MENU, VK_NEXT});
  EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::SliderPos(dialog, 1038) == 120; }, 10000))
      << "Ctrl+Alt+PgDn must still work; brightness seen " << e2e::SliderPos(dialog, 1038);
  UnregisterHotKey(nullptr, 7);
}

}  // namespace
