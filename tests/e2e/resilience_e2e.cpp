// Keeping the screen as the user set it when the system resets the ramps, and the tray
// icon when the taskbar restarts.
#include "harness.h"

#include <shellapi.h>

namespace {

using e2e::GlowmereTest;

struct FileState {
  std::wstring content;
  FILETIME written = {};
};

FileState ReadState(const std::wstring& path) {
  FileState state;
  state.content = e2e::ReadFileText(path);
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) state.written = data.ftLastWriteTime;
  return state;
}

class Resilience : public GlowmereTest {
 protected:
  HWND StartDimmed() {
    HWND dialog = WaitForDialog(Start());
    if (dialog == nullptr) return nullptr;
    e2e::MoveSlider(dialog, 1038, 64);
    EXPECT_TRUE(e2e::WaitUntil([] { return e2e::RampMatches(e2e::ScreenRamp(), 64, 64, 64); }, 10000));
    // The levels are stored a moment after they rest; the events below must not store them again.
    const std::wstring stored = L"H=64";
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ReadFileText(e2e::PerUserIni()).find(stored) != std::wstring::npos; }))
        << "expected H=64 stored, seen: " << e2e::Narrow(e2e::ReadFileText(e2e::PerUserIni()));
    return dialog;
  }

  // The system put the identity ramp back; `event` must bring the user's ramp back
  // without touching the settings.
  void ExpectReapplyAfter(HWND dialog, UINT message, WPARAM wParam, const char* what) {
    const FileState before = ReadState(e2e::PerUserIni());
    e2e::ResetScreenRamp();
    ASSERT_TRUE(e2e::RampMatches(e2e::ScreenRamp(), 128, 128, 128)) << "the reset from outside did not take";
    const ULONGLONG start = GetTickCount64();
    PostMessageW(dialog, message, wParam, 0);
    EXPECT_TRUE(e2e::WaitUntil([] { return e2e::RampMatches(e2e::ScreenRamp(), 64, 64, 64); }, 3000))
        << what << ": expected the level-64 ramp back within a few seconds; saw top entry "
        << e2e::ScreenRamp()[255];
    RecordProperty(what, static_cast<int>(GetTickCount64() - start));
    const FileState after = ReadState(e2e::PerUserIni());
    EXPECT_TRUE(before.content == after.content) << what << ": the settings file must not be rewritten";
    EXPECT_EQ(CompareFileTime(&before.written, &after.written), 0) << what << ": the settings file was touched";
    EXPECT_EQ(e2e::SliderPos(dialog, 1038), 64);
    EXPECT_EQ(e2e::SliderPos(dialog, 1039), 64);
  }
};

TEST_F(Resilience, DisplayChangeBringsTheRampBack) {
  HWND dialog = StartDimmed();
  ASSERT_NE(dialog, nullptr);
  ExpectReapplyAfter(dialog, WM_DISPLAYCHANGE, 32, "WM_DISPLAYCHANGE");
}

TEST_F(Resilience, ResumeFromSleepBringsTheRampBack) {
  HWND dialog = StartDimmed();
  ASSERT_NE(dialog, nullptr);
  ExpectReapplyAfter(dialog, WM_POWERBROADCAST, 0x12 /* PBT_APMRESUMEAUTOMATIC */, "resume");
}

TEST_F(Resilience, UnlockingTheSessionBringsTheRampBack) {
  HWND dialog = StartDimmed();
  ASSERT_NE(dialog, nullptr);
  ExpectReapplyAfter(dialog, WM_WTSSESSION_CHANGE, 0x8 /* WTS_SESSION_UNLOCK */, "unlock");
}

TEST_F(Resilience, ABurstOfEventsIsOneReapplyAndLockingIsNone) {
  HWND dialog = StartDimmed();
  ASSERT_NE(dialog, nullptr);
  e2e::ResetScreenRamp();
  PostMessageW(dialog, WM_WTSSESSION_CHANGE, 0x7 /* WTS_SESSION_LOCK */, 0);
  PostMessageW(dialog, WM_POWERBROADCAST, 0x4 /* PBT_APMSUSPEND */, 0);
  EXPECT_FALSE(e2e::WaitUntil([] { return e2e::RampMatches(e2e::ScreenRamp(), 64, 64, 64); }, 1500))
      << "locking or suspending must not re-apply";
  for (int i = 0; i < 5; ++i) PostMessageW(dialog, WM_DISPLAYCHANGE, 32, 0);
  EXPECT_TRUE(e2e::WaitUntil([] { return e2e::RampMatches(e2e::ScreenRamp(), 64, 64, 64); }, 3000));
}

}  // namespace
