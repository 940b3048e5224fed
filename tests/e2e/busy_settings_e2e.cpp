// A settings file another program holds with no sharing at all (an editor saving, a sync
// client, a scanner): the test program itself holds it, as a process other than Glowmere.
// Whatever was pending reaches the file once it is let go, and never overwrites what the
// user keeps there.
#include <windows.h>

#include "harness.h"

namespace {

using namespace e2e;

constexpr int kBrightness = 1038, kExit = 1030;
const std::string kHotkeys = "[Hotkeys]\r\nBrighter=Ctrl+Alt+PgUp\r\nDarker=Ctrl+Alt+PgDn\r\nNeutral=Ctrl+Alt+Home\r\n";

std::string Levels(int level) {
  const std::string l = std::to_string(level);
  return "[Start]\r\nr=" + l + "\r\ng=" + l + "\r\nb=" + l + "\r\nH=" + l + "\r\n" + kHotkeys;
}

// Opened with no sharing: Glowmere can neither read nor replace it until it is closed.
class HeldFile {
 public:
  explicit HeldFile(const std::wstring& path)
      : handle_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~HeldFile() { Release(); }
  bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Release() {
    if (Held()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

// Waits for the file to hold exactly `expected`; reports what it held instead.
void ExpectFileWithin(const std::string& expected, DWORD timeoutMs, const char* what) {
  EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(PerUserIni()) == expected; }, timeoutMs))
      << what << ": expected within " << timeoutMs << " ms:\n" << expected << "seen:\n" << ReadFileBytes(PerUserIni());
}

class BusySettings : public GlowmereTest {
 protected:
  // Started hidden, so that Exit has no window to take down first; the start's write done.
  HWND StartAndSettle(Process* glowmere) {
    *glowmere = Start(L"-bg");
    HWND dialog = WaitForDialog(*glowmere);
    if (dialog != nullptr) ExpectFileWithin(Levels(128), 20000, "the start's write");
    return dialog;
  }
};

TEST_F(BusySettings, ExitWhileTheFileIsHeldForASecondStoresTheLastLevels) {
  Process glowmere;
  HWND dialog = StartAndSettle(&glowmere);
  ASSERT_NE(dialog, nullptr);
  HeldFile held(PerUserIni());
  ASSERT_TRUE(held.Held());
  MoveSlider(dialog, kBrightness, 40);
  PostCommand(dialog, kExit);
  Sleep(1000);  // the other program's second
  held.Release();
  EXPECT_EQ(WaitForExit(glowmere), 1075u);
  EXPECT_EQ(ReadFileBytes(PerUserIni()), Levels(40)) << "the last levels must land before the process ends";
}

// Task Manager's End task closes the window, then kills the process: the close stores
// what was pending.
TEST_F(BusySettings, EndTaskStoresTheLevelsBeforeTheKill) {
  Process glowmere;
  HWND dialog = StartAndSettle(&glowmere);
  ASSERT_NE(dialog, nullptr);
  MoveSlider(dialog, kBrightness, 40);
  SendMessageW(dialog, WM_CLOSE, 0, 0);
  TerminateProcess(glowmere.handle, 1);
  WaitForExit(glowmere);
  EXPECT_EQ(ReadFileBytes(PerUserIni()), Levels(40)) << "the levels moved just before End task";
}

// Held while the levels settle: the quick retries (1, 2, 4 s) store them once it is let go.
TEST_F(BusySettings, AFileLetGoAfterASecondAndAHalfGetsTheLevelsWithinSeconds) {
  Process glowmere;
  HWND dialog = StartAndSettle(&glowmere);
  ASSERT_NE(dialog, nullptr);
  HeldFile held(PerUserIni());
  ASSERT_TRUE(held.Held());
  MoveSlider(dialog, kBrightness, 40);
  Sleep(1500);
  held.Release();
  ExpectFileWithin(Levels(40), 8000, "let go after 1.5 s");
}

// Held beyond the quick retries: the slow pace stores the levels without another change.
TEST_F(BusySettings, AFileHeldLongerThanTheQuickRetriesGetsTheLevelsWithoutAnotherChange) {
  Process glowmere;
  HWND dialog = StartAndSettle(&glowmere);
  ASSERT_NE(dialog, nullptr);
  HeldFile held(PerUserIni());
  ASSERT_TRUE(held.Held());
  MoveSlider(dialog, kBrightness, 40);
  Sleep(10000);  // the quick retries end 7.3 s after the move
  held.Release();
  ExpectFileWithin(Levels(40), 45000, "let go after 10 s");
  EXPECT_EQ(SliderLevels(dialog), "40 40 40 40 ");
}

// A start that cannot read the file applies neutral levels and the hotkeys' defaults, but the
// first write once it is let go keeps the user's values: the hotkey switched off, the levels
// and restore choice, a section Glowmere does not know. Only missing keys are added, and the
// dialog takes the stored levels after all, as the user has not moved them.
TEST_F(BusySettings, AFileHeldAtStartKeepsTheUsersValues) {
  const std::string mine = "[Start]\r\nsetrgb=1\r\nr=90\r\nH=90\r\n[Hotkeys]\r\nBrighter=\r\n[Mine]\r\nx=1\r\n";
  ASSERT_TRUE(WriteFileBytes(PerUserIni(), mine));
  HeldFile held(PerUserIni());
  ASSERT_TRUE(held.Held());
  const Process glowmere = Start(L"-bg");
  HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(SliderLevels(dialog), "128 128 128 128 ") << "nothing could be read";
  Sleep(1000);  // the start's write and its first retry meet the held file
  held.Release();
  ExpectFileWithin("[Start]\r\nsetrgb=1\r\nr=90\r\nH=90\r\ng=128\r\nb=128\r\n[Hotkeys]\r\nBrighter=\r\n"
                   "Darker=Ctrl+Alt+PgDn\r\nNeutral=Ctrl+Alt+Home\r\n[Mine]\r\nx=1\r\n",
                   20000, "the first write after the start");
  EXPECT_EQ(SliderLevels(dialog), "90 90 128 128 ") << "the levels restored once the file could be read";
  EXPECT_EQ(SendDlgItemMessageW(dialog, 1043, BM_GETCHECK, 0, 0), BST_CHECKED) << "the restore box";
  // A move after the start is the user's: it lands.
  MoveSlider(dialog, kBrightness, 40);
  EXPECT_TRUE(WaitUntil([] { return StoredLevels() == "40 40 40 40 "; }, 10000))
      << "expected stored 40 40 40 40, seen " << StoredLevels();
}

}  // namespace
