// Glowmere started as a user starts it: the dialog and its texts, the sliders and the ramps
// on the screen, the tray icon, a second start, -bg, Exit, the ramps the system resets,
// and the error box of a damaged archive. Each test is one start (seconds under Wine).
#include "harness.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

using e2e::Narrow;
using e2e::RampMatches;
using e2e::ScreenRamp;
using e2e::WaitUntil;

constexpr int kBrightness = 1038, kRed = 1039, kReset = 122, kExit = 1030;
constexpr UINT kIconId = 117;
constexpr UINT kTrayCallback = 0x8064;  // WM_APP + 100
constexpr DWORD kWatchdogPeriodMs = 5000;

bool RampIs(int red, int green, int blue) { return RampMatches(ScreenRamp(), red, green, blue); }
std::string RampSeen() { return "saw top entries " + std::to_string(ScreenRamp()[255]) + "/" +
                           std::to_string(ScreenRamp()[511]) + "/" + std::to_string(ScreenRamp()[767]); }

// Takes the icon away as a restarting shell would.
bool RemoveIconFromOutside(HWND window) {
  NOTIFYICONDATAW record = e2e::IconRecord(window, kIconId);
  record.uFlags = 0;
  return Shell_NotifyIconW(NIM_DELETE, &record) != FALSE;
}

class Spine : public e2e::GlowmereTest {
 protected:
  HWND StartDimmed(const std::wstring& args = L"") {
    process_ = Start(args);
    HWND dialog = WaitForDialog(process_);
    if (dialog == nullptr) return nullptr;
    e2e::MoveSlider(dialog, kBrightness, 64);
    EXPECT_TRUE(WaitUntil([] { return RampIs(64, 64, 64); }, 10000)) << "expected the level-64 ramp; " << RampSeen();
    return dialog;
  }
  e2e::Process process_;
};

TEST_F(Spine, StartShowsTheArchiveTextsAndTheSlidersDriveTheRamps) {
  HWND dialog = WaitForDialog(Start());
  ASSERT_NE(dialog, nullptr) << "expected Glowmere's dialog within 30 s";
  EXPECT_TRUE(e2e::IsVisible(dialog));
  EXPECT_EQ(Narrow(e2e::WindowText(dialog)), "Glowmere 1.77");
  const struct {
    int id;
    const char* text;
  } texts[] = {{1042, "Start with Windows"}, {1043, "Restore at program start"}, {1048, "Brightness"},
               {kReset, "&Reset"}, {kExit, "&Exit"}, {1044, " 0 %"}, {1045, " 0 %"}, {1046, " 0 %"}, {1047, " 0 %"}};
  for (const auto& t : texts) EXPECT_EQ(Narrow(e2e::ItemText(dialog, t.id)), t.text) << "control " << t.id;
  for (int id = kBrightness; id <= 1041; ++id) {
    EXPECT_EQ(e2e::SliderPos(dialog, id), 128) << "slider " << id;
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, id), TBM_GETRANGEMAX, 0, 0), 256) << "slider " << id;
  }
  EXPECT_TRUE(RampIs(128, 128, 128)) << "expected the identity ramp at start; " << RampSeen();

  e2e::MoveSlider(dialog, kBrightness, 0);
  for (int id : {1039, 1040, 1041}) EXPECT_EQ(e2e::SliderPos(dialog, id), 0) << "slider " << id;
  EXPECT_TRUE(WaitUntil([] { return RampIs(0, 0, 0); }, 10000)) << "expected the level-0 ramp; " << RampSeen();
  for (int id : {1044, 1045, 1046, 1047}) EXPECT_EQ(Narrow(e2e::ItemText(dialog, id)), " -50 %") << "label " << id;

  e2e::ClickButton(dialog, kReset);
  EXPECT_TRUE(WaitUntil([] { return RampIs(128, 128, 128); }, 10000)) << "expected the identity ramp; " << RampSeen();
  for (int id = kBrightness; id <= 1041; ++id) EXPECT_EQ(e2e::SliderPos(dialog, id), 128) << "slider " << id;

  e2e::MoveSlider(dialog, kRed, 200);
  EXPECT_TRUE(WaitUntil([] { return RampIs(200, 128, 128); }, 10000)) << "expected red at 200; " << RampSeen();
  EXPECT_EQ(Narrow(e2e::ItemText(dialog, 1044)), " 28 %");
  EXPECT_EQ(Narrow(e2e::ItemText(dialog, 1045)), "RGB") << "brightness label once the colours differ";
  EXPECT_EQ(e2e::SliderPos(dialog, kBrightness), 128) << "the brightness slider must not move";

  for (WPARAM key : {static_cast<WPARAM>(VK_ESCAPE), static_cast<WPARAM>(VK_RETURN)}) {
    PostMessageW(GetDlgItem(dialog, kBrightness), WM_KEYDOWN, key, 0);
    PostMessageW(GetDlgItem(dialog, kBrightness), WM_KEYUP, key, 0);
  }
  SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(WaitUntil([&] { return !e2e::IsVisible(dialog); }, 1500)) << "Enter/Escape must not hide the dialog";
}

TEST_F(Spine, TrayIconTogglesTheDialogTheCloseBoxHidesIntoItAndItComesBack) {
  const e2e::Process glowmere = Start();
  const HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr) << "expected Glowmere's dialog within 30 s";
  ASSERT_TRUE(WaitUntil([&] { return e2e::IconPresent(dialog); }, 10000)) << "expected icon 117; it never appeared";
  for (bool visibleAfter : {false, true}) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(dialog, kTrayCallback, kIconId, WM_LBUTTONDOWN, SMTO_NORMAL, 10000, &result);
    EXPECT_TRUE(WaitUntil([&] { return e2e::IsVisible(dialog) == visibleAfter; }, 10000))
        << "expected a click on the icon to " << (visibleAfter ? "show" : "hide") << " the dialog; it did not";
  }

  // The close box hides with a shrinking rectangle that lives a few milliseconds: watch closely.
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  bool rectangleSeen = false;
  for (const ULONGLONG end = GetTickCount64() + 15000; !rectangleSeen && GetTickCount64() < end; Sleep(0))
    rectangleSeen = !e2e::TopLevelWindows(glowmere.pid, L"SysListView32").empty();
  EXPECT_TRUE(rectangleSeen) << "expected the rectangle flying to the tray; none appeared within 15 s";
  EXPECT_TRUE(WaitUntil([&] { return !e2e::IsVisible(dialog); }, 15000)) << "the close box must hide the dialog";
  EXPECT_TRUE(WaitUntil([&] { return e2e::TopLevelWindows(glowmere.pid, L"SysListView32").empty(); }, 10000))
      << "the animation's rectangle was left on the screen";
  EXPECT_EQ(WaitForExit(glowmere, 500), static_cast<DWORD>(STILL_ACTIVE)) << "the close box ended the program";
  EXPECT_TRUE(e2e::IconPresent(dialog)) << "the icon left the tray with the dialog";

  // Taken away from outside, the watchdog brings it back; after TaskbarCreated it is back at
  // once, well before the watchdog's next probe.
  ASSERT_TRUE(RemoveIconFromOutside(dialog)) << "the shell refused to delete icon 117";
  ASSERT_TRUE(WaitUntil([&] { return e2e::IconPresent(dialog); }, 3 * kWatchdogPeriodMs))
      << "expected the watchdog to re-add the icon within " << 3 * kWatchdogPeriodMs << " ms";
  ASSERT_TRUE(RemoveIconFromOutside(dialog)) << "the shell refused to delete icon 117 again";
  const ULONGLONG announcedAt = GetTickCount64();
  DWORD_PTR result = 0;
  SendMessageTimeoutW(dialog, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_NORMAL, 10000, &result);
  const bool back = WaitUntil([&] { return e2e::IconPresent(dialog); }, kWatchdogPeriodMs);
  const ULONGLONG backAfterMs = GetTickCount64() - announcedAt;
  ASSERT_TRUE(back) << "icon 117 still missing " << backAfterMs << " ms after TaskbarCreated";
  EXPECT_LT(backAfterMs, kWatchdogPeriodMs - 2000) << "expected the icon back at once after TaskbarCreated";
}

// The system put the identity ramp back: these events bring the user's ramp back without
// touching the settings; locking and suspending do not, and a burst is answered once.
TEST_F(Spine, RampsTheSystemResetComeBack) {
  HWND dialog = StartDimmed();
  ASSERT_NE(dialog, nullptr) << "expected Glowmere's dialog within 30 s";
  // The levels are stored a moment after they rest; the events below must not store them again.
  EXPECT_TRUE(WaitUntil([] { return e2e::ReadFileText(e2e::PerUserIni()).find(L"H=64") != std::wstring::npos; }))
      << "expected H=64 stored, seen: " << e2e::Narrow(e2e::ReadFileText(e2e::PerUserIni()));
  const struct {
    const char* what;
    UINT message;
    WPARAM wParam;
  } events[] = {{"display change", WM_DISPLAYCHANGE, 32},
                {"resume", WM_POWERBROADCAST, 0x12 /* PBT_APMRESUMEAUTOMATIC */},
                {"unlock", WM_WTSSESSION_CHANGE, 0x8 /* WTS_SESSION_UNLOCK */}};
  for (const auto& e : events) {
    const std::string settingsBefore = e2e::ReadFileBytes(e2e::PerUserIni());
    e2e::ResetScreenRamp();
    ASSERT_TRUE(RampIs(128, 128, 128)) << "the reset from outside did not take; " << RampSeen();
    PostMessageW(dialog, e.message, e.wParam, 0);
    EXPECT_TRUE(WaitUntil([] { return RampIs(64, 64, 64); }, 3000))
        << e.what << ": expected the level-64 ramp back within 3 s; " << RampSeen();
    EXPECT_EQ(e2e::ReadFileBytes(e2e::PerUserIni()), settingsBefore) << e.what << ": the settings were rewritten";
    EXPECT_EQ(e2e::SliderPos(dialog, kRed), 64) << e.what;
  }
  e2e::ResetScreenRamp();
  PostMessageW(dialog, WM_WTSSESSION_CHANGE, 0x7 /* WTS_SESSION_LOCK */, 0);
  PostMessageW(dialog, WM_POWERBROADCAST, 0x4 /* PBT_APMSUSPEND */, 0);
  EXPECT_FALSE(WaitUntil([] { return RampIs(64, 64, 64); }, 1500)) << "locking or suspending must not re-apply";
  for (int i = 0; i < 5; ++i) PostMessageW(dialog, WM_DISPLAYCHANGE, 32, 0);
  EXPECT_TRUE(WaitUntil([] { return RampIs(64, 64, 64); }, 3000)) << "after a burst: " << RampSeen();
}

TEST_F(Spine, ASecondStartEndsWith45054AndBringsTheFirstDialogBack) {
  HWND dialog = StartDimmed();
  ASSERT_NE(dialog, nullptr) << "expected Glowmere's dialog within 30 s";
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !e2e::IsVisible(dialog); }, 15000)) << "the close box must hide the dialog";

  e2e::Process second = Start();
  EXPECT_EQ(WaitForExit(second, 60000), 45054u);
  EXPECT_TRUE(WaitUntil([&] { return e2e::IsVisible(dialog); }, 15000)) << "the first dialog must show again";
  EXPECT_TRUE(RampIs(64, 64, 64)) << "the second start must not touch the ramps; " << RampSeen();
  EXPECT_EQ(e2e::SliderPos(dialog, kBrightness), 64);
}

TEST_F(Spine, BackgroundStartStaysHiddenAndExitEndsWith1075KeepingTheRamp) {
  HWND dialog = StartDimmed(L"-Bg");  // the argument in any letter case
  ASSERT_NE(dialog, nullptr) << "expected Glowmere's dialog within 30 s";
  EXPECT_FALSE(e2e::IsVisible(dialog)) << "with -Bg the dialog must stay hidden";
  ASSERT_TRUE(WaitUntil([&] { return e2e::IconPresent(dialog); }, 10000)) << "expected icon 117; it never appeared";

  const ULONGLONG clickedAt = GetTickCount64();
  e2e::ClickButton(dialog, kExit);
  EXPECT_EQ(WaitForExit(process_), 1075u);
  const ULONGLONG exitAfterMs = GetTickCount64() - clickedAt;
  // A watchdog that missed its stop would add up to a whole period.
  EXPECT_LT(exitAfterMs, 6000u) << "expected the program to end promptly; it took " << exitAfterMs << " ms";
  EXPECT_TRUE(RampIs(64, 64, 64)) << "the last ramp must stay after the program ends; " << RampSeen();
  EXPECT_FALSE(e2e::IconPresent(dialog)) << "icon still in the tray after Exit";
  Sleep(kWatchdogPeriodMs + 1000);
  EXPECT_FALSE(e2e::IconPresent(dialog)) << "icon came back a watchdog period after Exit";

  HWND visible = WaitForDialog(Start(L"x -bg"));
  ASSERT_NE(visible, nullptr) << "expected Glowmere's dialog within 30 s";
  EXPECT_TRUE(e2e::IsVisible(visible)) << "-bg as second argument must be ignored";
}

// Copies Glowmere.exe and changes one letter inside the archive's start marker.
std::wstring DamagedCopy() {
  const std::wstring exe = e2e::CopyGlowmere(e2e::ScratchDir(L"archive_damaged"));
  std::string image = e2e::ReadFileBytes(exe);
  const std::string marker = "\n<!- ------SDSGDGSDHREETETBCNMJUKR----------\n";
  const size_t at = image.find(marker);
  if (at == std::string::npos || image.find(marker, at + 1) != std::string::npos) return L"";
  image[at + 20] ^= 0x01;
  return e2e::WriteFileBytes(exe, image) ? exe : L"";
}

TEST_F(Spine, DamagedArchiveShowsTheErrorBoxAndEndsWithoutDialog) {
  const std::wstring damaged = DamagedCopy();
  ASSERT_FALSE(damaged.empty()) << "expected exactly one start marker in Glowmere.exe to damage";
  const e2e::Process glowmere = Start(L"", damaged);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND window : e2e::TopLevelWindows(glowmere.pid, L"#32770"))
      if (e2e::WindowText(window) == L"Error!") box = window;
    return box != nullptr;
  })) << "expected the error box with caption \"Error!\"";
  EXPECT_EQ(e2e::ItemText(box, 0xFFFF), L"Error! Loading language file string archive");
  for (HWND window : e2e::TopLevelWindows(glowmere.pid, L"#32770"))
    EXPECT_FALSE(window != box && e2e::IsVisible(window))
        << "expected no dialog besides the error box, found \"" << Narrow(e2e::WindowText(window)) << "\"";
  e2e::ClickButton(box, GetDlgItem(box, IDOK) != nullptr ? IDOK : IDCANCEL);
  EXPECT_EQ(WaitForExit(glowmere), 0u) << "archive failure ends with exit code 0";
  EXPECT_FALSE(e2e::FileExists(e2e::PerUserIni())) << "the dialog never ran, so no settings were written";
}

}  // namespace
