// A settings file another program holds with no sharing at all (an editor saving, a sync
// client, a scanner): the test program itself holds it, as a process other than Glowmere.
// Whatever was pending reaches the file once it is let go, and never overwrites what the
// user keeps there. Started hidden, so that Exit has no window to take down first.
#include <windows.h>

#include <memory>

#include "harness.h"

namespace {

using namespace e2e;

const std::string kHotkeys = "[Hotkeys]\r\nBrighter=Ctrl+Alt+PgUp\r\nDarker=Ctrl+Alt+PgDn\r\nNeutral=Ctrl+Alt+Home\r\n";

// The file after the start (the hotkeys' defaults) and a move of the brightness to `level`.
std::string Levels(int level) {
  const std::string l = std::to_string(level);
  return kHotkeys + "[Start]\r\nr=" + l + "\r\ng=" + l + "\r\nb=" + l + "\r\nH=" + l + "\r\n";
}

// Opened with no sharing: Glowmere can neither read nor replace it until it is let go.
std::unique_ptr<void, decltype(&CloseHandle)> Hold() {
  HANDLE file = CreateFileW(PerUserIni().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE) << "the test could not hold the settings file";
  return {file, &CloseHandle};
}

::testing::AssertionResult FileBecomes(const std::string& expected, DWORD timeoutMs) {
  return Becomes([] { return ReadFileBytes(PerUserIni()); }, expected, timeoutMs);
}

// The brightness moved to `level` while the file is held for `holdMs`.
void MoveWhileHeld(HWND dialog, int level, DWORD holdMs) {
  const auto held = Hold();
  MoveSlider(dialog, IDC_BRIGHTNESS, level);
  Sleep(holdMs);
}

using BusySettings = GlowmereTest;

// Let go within the quick retries (1, 2, 4 s), or only after them: the slow pace stores the
// levels without another change. Then Task Manager's End task closes the window and kills
// the process: the close stores what was pending.
TEST_F(BusySettings, LevelsMovedWhileTheFileIsHeldLandOnceItIsLetGo) {
  const Process glowmere = Start(L"-bg");
  HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(FileBecomes(kHotkeys, 20000)) << "the start stores the hotkeys' defaults, and no levels";
  MoveWhileHeld(dialog, 40, 1500);
  EXPECT_TRUE(FileBecomes(Levels(40), 8000)) << "let go after 1.5 s";
  MoveWhileHeld(dialog, 60, 10000);  // the quick retries end 7.3 s after the move
  EXPECT_TRUE(FileBecomes(Levels(60), 45000)) << "let go after 10 s";

  MoveSlider(dialog, IDC_BRIGHTNESS, 70);
  SendMessageW(dialog, WM_CLOSE, 0, 0);
  TerminateProcess(glowmere.handle, 1);
  WaitForExit(glowmere);
  EXPECT_EQ(ReadFileBytes(PerUserIni()), Levels(70)) << "the levels moved just before End task";
}

// A start that cannot read the file applies neutral levels and the hotkeys' defaults, but the
// first write once it is let go keeps the user's values: the hotkey switched off, the levels
// and restore choice, a section Glowmere does not know. Only missing keys are added. Once the
// file can be read, the dialog takes what it holds, the display's own levels included, and
// writes none of it back. Exit while the file is held for a second still stores the last
// levels before the process ends.
TEST_F(BusySettings, AFileHeldAtStartKeepsTheUsersValuesAndExitWaitsForIt) {
  const std::string mine = "[Start]\r\nsetrgb=1\r\nr=90\r\nH=90\r\n[Display " + Narrow(MonitorId(1)) +
                           "]\r\nr=60\r\ng=60\r\nb=70\r\nH=60\r\n[Hotkeys]\r\nBrighter=\r\n[Mine]\r\nx=1\r\n";
  ASSERT_TRUE(WriteFileBytes(PerUserIni(), mine));
  auto held = Hold();
  const Process glowmere = Start(L"-bg");
  HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(SliderLevels(dialog), "128 128 128 128 ") << "nothing could be read";
  Sleep(1000);  // the start's write and its first retry meet the held file
  held.reset();
  const size_t hotkeys = mine.find("Brighter=\r\n") + 11;
  EXPECT_TRUE(FileBecomes(
      mine.substr(0, hotkeys) + "Darker=Ctrl+Alt+PgDn\r\nNeutral=Ctrl+Alt+Home\r\n" + mine.substr(hotkeys), 20000));
  EXPECT_TRUE(Becomes([&] { return SliderLevels(dialog); }, "60 60 60 70 ")) << "the display's own levels, late";
  EXPECT_TRUE(RampBecomes(60, 60, 70));
  EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_RESTORE, BM_GETCHECK, 0, 0), BST_CHECKED) << "the restore box";
  MoveSlider(dialog, IDC_BRIGHTNESS, 40);
  EXPECT_TRUE(Becomes([] { return DisplayLevels(1); }, "40 40 40 40 ")) << "a move after the start is the user's";
  EXPECT_EQ(StoredLevels(), "90 90 <none> <none> ") << "the one display's move leaves All's levels alone";

  held = Hold();
  MoveSlider(dialog, IDC_BRIGHTNESS, 50);
  PostCommand(dialog, IDC_EXIT);
  Sleep(1000);  // the other program's second
  held.reset();
  EXPECT_EQ(WaitForExit(glowmere), kExitCommand);
  EXPECT_EQ(DisplayLevels(1), "50 50 50 50 ") << "the last levels must land before the process ends";
  EXPECT_NE(ReadFileBytes(PerUserIni()).find("[Mine]\r\nx=1\r\n"), std::string::npos) << "the user's section";
}

// At logon the autostart (-bg) and a scheduled command line start together. The command line
// holds the single-instance mutex while it waits for the held file: the autostart waits for
// it rather than taking itself for a second start, and becomes the one instance.
TEST_F(BusySettings, AnAutostartBesideACommandLineStartBecomesTheInstance) {
  ASSERT_TRUE(WriteFileBytes(PerUserIni(), Levels(128)));
  auto held = Hold();
  const Process commandLine = Start(L"-brightness -20");
  ASSERT_TRUE(WaitUntil([] {
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"Glowmere");
    if (mutex != nullptr) CloseHandle(mutex);
    return mutex != nullptr;
  })) << "expected the command-line start to hold the mutex";
  const Process autostart = Start(L"-bg");
  EXPECT_EQ(WaitForExit(commandLine), kExitNotStored) << "the file was held past the final write's wait";
  held.reset();
  HWND dialog = WaitForDialog(autostart);
  ASSERT_NE(dialog, nullptr) << "the autostart must become the instance, not end as a second start";
  EXPECT_TRUE(WaitUntil([&] { return IconPresent(dialog); })) << "expected the tray icon";
  EXPECT_FALSE(IsWindowVisible(dialog)) << "-bg shows nothing";
}

}  // namespace
