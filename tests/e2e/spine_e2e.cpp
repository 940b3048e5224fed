// Glowmere started as a user starts it, and with a damaged archive.
#include "harness.h"

namespace {

using namespace e2e;

constexpr DWORD kWatchdogPeriodMs = 5000;

class Spine : public GlowmereTest {};

// The dialog, the sliders and their ramps, the tray icon, the ramps the system resets, a
// second start, Exit.
TEST_F(Spine, OneSessionFromStartToExit) {
  const Process glowmere = Start();
  HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr) << "expected Glowmere's dialog within 30 s";
  EXPECT_EQ(SliderLevels(dialog), "128 128 128 128 ");
  EXPECT_TRUE(RampIs(128, 128, 128)) << "expected the identity ramp at start; " << RampSeen();

  MoveSlider(dialog, IDC_BRIGHTNESS, 0);
  EXPECT_EQ(SliderLevels(dialog), "0 0 0 0 ") << "the colour sliders follow the brightness";
  EXPECT_TRUE(RampBecomes(0, 0, 0));
  ClickButton(dialog, IDC_RESET);
  EXPECT_TRUE(RampBecomes(128, 128, 128)) << "after Reset";
  EXPECT_EQ(SliderLevels(dialog), "128 128 128 128 ") << "after Reset";
  MoveSlider(dialog, IDC_RED, 200);
  EXPECT_TRUE(RampBecomes(200, 128, 128));

  for (WPARAM key : {VK_ESCAPE, VK_RETURN}) PostMessageW(GetDlgItem(dialog, IDC_BRIGHTNESS), WM_KEYDOWN, key, 0);
  SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 1500)) << "Enter/Escape must not hide the dialog";

  ASSERT_TRUE(WaitUntil([&] { return IconPresent(dialog); }, 10000)) << "expected the tray icon; it never appeared";
  for (bool visibleAfter : {false, true}) {
    PostMessageW(dialog, TrayCallbackMessage, IDI_APP, WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) == visibleAfter; }, 10000))
        << "expected a click on the icon to " << (visibleAfter ? "show" : "hide") << " the dialog; it did not";
  }
  // The close box hides with a shrinking rectangle that lives a few milliseconds: watch closely.
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  bool rectangleSeen = false;
  for (const ULONGLONG end = GetTickCount64() + 15000; !rectangleSeen && GetTickCount64() < end; Sleep(0))
    rectangleSeen = !TopLevelWindows(glowmere.pid, L"SysListView32").empty();
  EXPECT_TRUE(rectangleSeen) << "expected the rectangle flying to the tray; none appeared within 15 s";
  EXPECT_TRUE(WaitUntil([&] {
    return !IsWindowVisible(dialog) && TopLevelWindows(glowmere.pid, L"SysListView32").empty();
  })) << "the close box must hide the dialog, and the animation's rectangle must go";
  EXPECT_EQ(WaitForExit(glowmere, 500), static_cast<DWORD>(STILL_ACTIVE)) << "the close box ended the program";
  EXPECT_TRUE(IconPresent(dialog)) << "the icon left the tray with the dialog";

  // Taken away from outside, the watchdog brings the icon back; after TaskbarCreated it is
  // back at once, well before the watchdog's next probe.
  ASSERT_TRUE(RemoveIcon(dialog)) << "the shell refused to delete the icon";
  ASSERT_TRUE(WaitUntil([&] { return IconPresent(dialog); }, 3 * kWatchdogPeriodMs))
      << "expected the watchdog to re-add the icon within " << 3 * kWatchdogPeriodMs << " ms";
  ASSERT_TRUE(RemoveIcon(dialog)) << "the shell refused to delete the icon again";
  PostMessageW(dialog, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return IconPresent(dialog); }, kWatchdogPeriodMs - 2000))
      << "expected the icon back at once after TaskbarCreated, within " << kWatchdogPeriodMs - 2000 << " ms";

  // The system put the identity ramp back: these events bring the user's ramp back without
  // touching the settings; locking and suspending do not (a burst answered once: unit-tested).
  ASSERT_TRUE(Becomes(StoredLevels, "128 200 128 128 ")) << "stored before the events";
  const struct {
    const char* what;
    UINT message;
    WPARAM wParam;
  } events[] = {{"display change", WM_DISPLAYCHANGE, 32},
                {"resume", WM_POWERBROADCAST, 0x12 /* PBT_APMRESUMEAUTOMATIC */},
                {"unlock", WM_WTSSESSION_CHANGE, 0x8 /* WTS_SESSION_UNLOCK */}};
  for (const auto& e : events) {
    const std::string settingsBefore = ReadFileBytes(PerUserIni());
    ResetScreenRamp();
    ASSERT_TRUE(RampIs(128, 128, 128)) << "the reset from outside did not take; " << RampSeen();
    PostMessageW(dialog, e.message, e.wParam, 0);
    EXPECT_TRUE(RampBecomes(200, 128, 128, 3000)) << e.what;
    EXPECT_EQ(ReadFileBytes(PerUserIni()), settingsBefore) << e.what << ": the settings were rewritten";
  }
  ResetScreenRamp();
  PostMessageW(dialog, WM_WTSSESSION_CHANGE, 0x7 /* WTS_SESSION_LOCK */, 0);
  PostMessageW(dialog, WM_POWERBROADCAST, 0x4 /* PBT_APMSUSPEND */, 0);
  EXPECT_FALSE(WaitUntil([] { return RampIs(200, 128, 128); }, 1500)) << "locking or suspending must not re-apply";
  PostMessageW(dialog, WM_DISPLAYCHANGE, 32, 0);
  ASSERT_TRUE(RampBecomes(200, 128, 128, 3000)) << "the user's ramp back for what follows";

  // A second start ends with 45054 and brings the hidden dialog back, ramps untouched.
  EXPECT_EQ(WaitForExit(Start(), 60000), kExitSecondStart);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog); }, 15000)) << "the first dialog must show again";
  EXPECT_TRUE(RampIs(200, 128, 128)) << "the second start must not touch the ramps; " << RampSeen();

  const ULONGLONG since = GetTickCount64();
  ClickButton(dialog, IDC_EXIT);
  EXPECT_EQ(WaitForExit(glowmere), kExitCommand);
  // A watchdog that missed its stop would add up to a whole period.
  EXPECT_LT(GetTickCount64() - since, 6000u) << "expected Exit to end the program promptly";
  EXPECT_TRUE(RampIs(200, 128, 128)) << "the last ramp must stay after the program ends; " << RampSeen();
  EXPECT_FALSE(IconPresent(dialog)) << "icon still in the tray after Exit";
}

TEST_F(Spine, DamagedArchiveShowsTheErrorBoxAndEndsWithoutDialog) {
  // A copy with one letter of the archive's start marker changed.
  const std::wstring exe = CopyGlowmere(ScratchDir(L"archive_damaged"));
  std::string image = ReadFileBytes(exe);
  const size_t at = image.find("\n<!- ------SDSGDGSDHREETETBCNMJUKR----------\n");
  ASSERT_NE(at, std::string::npos) << "expected the archive's start marker in Glowmere.exe";
  image[at + 20] ^= 0x01;
  ASSERT_TRUE(WriteFileBytes(exe, image));
  const Process glowmere = Start(L"", exe);
  std::wstring message;
  EXPECT_EQ(AnswerBox(glowmere, &message), kExitNoTexts) << "a start without its texts must not end as a success";
  EXPECT_EQ(message, L"Error! Loading language file string archive");
  EXPECT_FALSE(FileExists(PerUserIni())) << "the dialog never ran, so no settings were written";
}

}  // namespace
