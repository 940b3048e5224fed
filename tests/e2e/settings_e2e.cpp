// The settings file and the autostart entry as the user meets them: the bytes of the
// INI file, the sliders and caption of the dialog, and the Run value in the registry.
// (A read-only program folder cannot be made under Wine as root; that case is covered
// through the platform seam in settings_file_test.cpp.)
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "harness/harness.h"

namespace {

const wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const int kAutostartBox = 1042;
const int kBrightnessSlider = 1038;
const int kRedSlider = 1039;
const int kGreenSlider = 1040;
const int kBlueSlider = 1041;
// Written at every start that finds them absent, so the user can find and change them.
const std::wstring kHotkeyDefaults = L"[Hotkeys]\r\nBrighter=Ctrl+Alt+PgUp\r\nDarker=Ctrl+Alt+PgDn\r\nNeutral=Ctrl+Alt+Home\r\n";

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }

bool ReadRunValue(std::wstring* data, DWORD* bytes) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  wchar_t buffer[40000] = {};
  DWORD size = sizeof(buffer) - sizeof(wchar_t);
  LONG result = RegQueryValueExW(key, L"Glowmere", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return false;
  *data = buffer;
  *bytes = size;
  return true;
}

// The executable's path as the running program itself sees it.
std::wstring ImagePath(const e2e::Process& process) {
  wchar_t path[32768] = {};
  DWORD size = 32768;
  QueryFullProcessImageNameW(process.handle, 0, path, &size);
  return path;
}

bool IsChecked(HWND dialog, int id) {
  return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// A replacement puts another file in place, with the time of its writing.
ULONGLONG WriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
}

// The brightness slider dragged down 100 steps from 127 to 27, as the trackbar reports a drag:
// 101 thumb-track notifications, each timed from here. Counts the settings file's replacements.
struct Drag {
  std::vector<double> ms;  // sorted
  int replacements = 0;
  double Median() const { return ms[ms.size() / 2]; }
  double P95() const { return ms[ms.size() * 95 / 100]; }
};

Drag DragBrightness(HWND dialog) {
  Drag drag;
  HWND slider = GetDlgItem(dialog, kBrightnessSlider);
  ULONGLONG stamp = WriteTime(e2e::PerUserIni());
  LARGE_INTEGER frequency, before, after;
  QueryPerformanceFrequency(&frequency);
  for (int pos = 127; pos >= 27; --pos) {
    SendMessageW(slider, TBM_SETPOS, TRUE, pos);
    QueryPerformanceCounter(&before);
    SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, pos), reinterpret_cast<LPARAM>(slider));
    QueryPerformanceCounter(&after);
    drag.ms.push_back(static_cast<double>(after.QuadPart - before.QuadPart) * 1000.0 /
                      static_cast<double>(frequency.QuadPart));
    const ULONGLONG now = WriteTime(e2e::PerUserIni());
    if (now != stamp) ++drag.replacements;
    stamp = now;
  }
  std::sort(drag.ms.begin(), drag.ms.end());
  std::printf("brightness drag: %d file replacements, notification median %.2f ms, p95 %.2f ms, max %.2f ms\n",
              drag.replacements, drag.Median(), drag.P95(), drag.ms.back());
  return drag;
}


class SettingsE2eTest : public e2e::GlowmereTest {
 protected:
  void SetUp() override {
    // Windows always has the Run key; a fresh Wine prefix may not.
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_READ, nullptr, &key, nullptr);
    if (key) RegCloseKey(key);
    e2e::GlowmereTest::SetUp();
  }

  // Waits for the file to hold exactly `expected`; reports what it held instead.
  void ExpectFileSoon(const std::wstring& path, const std::wstring& expected) {
    bool held = e2e::WaitUntil([&] { return e2e::ReadFileText(path) == expected; });
    EXPECT_TRUE(held) << "expected:\n" << e2e::Narrow(expected) << "\nseen:\n" << e2e::Narrow(e2e::ReadFileText(path));
  }

  void ExpectSliderSoon(HWND dialog, int id, int expected) {
    bool held = e2e::WaitUntil([&] { return e2e::SliderPos(dialog, id) == expected; }, 10000);
    EXPECT_TRUE(held) << "slider " << id << ": expected " << expected << ", seen " << e2e::SliderPos(dialog, id);
  }
};

TEST_F(SettingsE2eTest, FirstStartWritesNeutralLevelsPerUser) {
  e2e::Process glowmere = Start();
  ASSERT_NE(WaitForDialog(glowmere), nullptr);
  ExpectFileSoon(e2e::PerUserIni(), L"[Start]\r\nr=128\r\ng=128\r\nb=128\r\nH=128\r\n" + kHotkeyDefaults);
}

TEST_F(SettingsE2eTest, RestoreClampsStoredLevelsAndWritesThemBack) {
  ASSERT_TRUE(e2e::WriteFileBytes(e2e::PerUserIni(), "[Start]\r\nsetrgb=1\r\nr=300\r\nh=-5\r\n"));
  e2e::Process glowmere = Start();
  HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr);
  ExpectSliderSoon(dialog, kRedSlider, 256);
  ExpectSliderSoon(dialog, kBrightnessSlider, 0);
  ExpectSliderSoon(dialog, kGreenSlider, 128);
  // The existing lines keep their place and spelling; new keys follow the last one.
  ExpectFileSoon(e2e::PerUserIni(), L"[Start]\r\nsetrgb=1\r\nr=256\r\nh=0\r\ng=128\r\nb=128\r\n" + kHotkeyDefaults);
}

TEST_F(SettingsE2eTest, WithoutRestoreTheLevelsResetAndAreOverwritten) {
  ASSERT_TRUE(e2e::WriteFileBytes(e2e::PerUserIni(), "; kept\r\n[Start]\r\nsetrgb=0\r\nr=10\r\ng=20\r\nb=30\r\nh=40\r\n"));
  e2e::Process glowmere = Start();
  HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr);
  for (int id : {kBrightnessSlider, kRedSlider, kGreenSlider, kBlueSlider}) ExpectSliderSoon(dialog, id, 128);
  ExpectFileSoon(e2e::PerUserIni(), L"; kept\r\n[Start]\r\nsetrgb=0\r\nr=128\r\ng=128\r\nb=128\r\nh=128\r\n" + kHotkeyDefaults);
}

TEST_F(SettingsE2eTest, PortableNameKeepsTheFileBesideTheExecutable) {
  std::wstring folder = e2e::ScratchDir(L"portable");
  std::wstring exe = e2e::CopyGlowmere(folder, L"Glowmere_p.exe");
  e2e::Process glowmere = Start(L"", exe);
  HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr);
  ExpectFileSoon(folder + L"\\Glowmere.ini",
                 L"[TestIni]\r\nM=1111\r\n[Start]\r\nr=128\r\ng=128\r\nb=128\r\nH=128\r\n" + kHotkeyDefaults);
  std::wstring caption = e2e::WindowText(dialog);
  EXPECT_TRUE(caption.size() >= 9 && caption.compare(caption.size() - 9, 9, L" Portable") == 0)
      << "caption \"" << e2e::Narrow(caption) << "\" should end in \" Portable\"";
  EXPECT_FALSE(e2e::FileExists(e2e::PerUserIni())) << "no per-user file in portable mode";
}

TEST_F(SettingsE2eTest, CheckBoxesShowTheStoredStateAndTheRunValue) {
  // Any non-zero "setrgb" restores, and the box shows it checked, never indeterminate.
  ASSERT_TRUE(e2e::WriteFileBytes(e2e::PerUserIni(), "[Start]\r\nsetrgb=2\r\n"));
  e2e::Process glowmere = Start();
  HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr);
  // The dialog start ends by writing the levels: after that the boxes show their state.
  ExpectFileSoon(e2e::PerUserIni(), L"[Start]\r\nsetrgb=2\r\nr=128\r\ng=128\r\nb=128\r\nH=128\r\n" + kHotkeyDefaults);
  EXPECT_EQ(SendDlgItemMessageW(dialog, 1043, BM_GETCHECK, 0, 0), BST_CHECKED) << "restore box for setrgb=2";
  std::wstring data;
  DWORD bytes = 0;
  EXPECT_FALSE(IsChecked(dialog, kAutostartBox)) << "no Run value, box unchecked";
  EXPECT_FALSE(ReadRunValue(&data, &bytes)) << "nothing written at start";

  e2e::ClickButton(dialog, kAutostartBox);
  const std::wstring expected = L"\"" + ImagePath(glowmere) + L"\" -bg";
  ASSERT_TRUE(e2e::WaitUntil([&] { return ReadRunValue(&data, &bytes); }, 10000)) << "no Run value after checking";
  EXPECT_EQ(e2e::Narrow(data), e2e::Narrow(expected));
  // Counted without the terminator, which the system then adds itself (Wine as Windows).
  EXPECT_EQ(bytes, 2 * expected.size() + 2) << "for " << expected.size() << " characters";

  e2e::ClickButton(dialog, kAutostartBox);
  EXPECT_TRUE(e2e::WaitUntil([&] { return !ReadRunValue(&data, &bytes); }, 10000)) << "Run value left after unchecking";

  // Without a Run key (it is opened, never created) checking fails: the box must say so.
  ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyW(HKEY_CURRENT_USER, kRunKey));
  e2e::ClickButton(dialog, kAutostartBox);
  EXPECT_FALSE(IsChecked(dialog, kAutostartBox)) << "box checked though no Run value could be written";
  HKEY key = nullptr;
  if (RegCreateKeyW(HKEY_CURRENT_USER, kRunKey, &key) == ERROR_SUCCESS) RegCloseKey(key);
}

TEST_F(SettingsE2eTest, LongExecutablePathGivesTheWholeRunValue) {
  // A path of 258 characters still starts (Wine will not start longer ones), but the
  // quotes and " -bg" no longer fit the classic 260-character buffer with it.
  std::wstring folder = e2e::ScratchDir(L"long");
  const size_t kPathLength = 258;
  const std::wstring fileName = L"\\Glowmere.exe";
  ASSERT_LT(folder.size() + 1 + fileName.size(), kPathLength);
  folder += L"\\" + std::wstring(kPathLength - folder.size() - 1 - fileName.size(), L'd');
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring exe = folder + fileName;
  ASSERT_EQ(exe.size(), kPathLength);
  ASSERT_TRUE(CopyFileW(e2e::GlowmereExe().c_str(), exe.c_str(), FALSE));
  e2e::Process glowmere = Start(L"", exe);
  HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr);
  ExpectFileSoon(e2e::PerUserIni(), L"[Start]\r\nr=128\r\ng=128\r\nb=128\r\nH=128\r\n" + kHotkeyDefaults);
  e2e::ClickButton(dialog, kAutostartBox);
  const std::wstring expected = L"\"" + ImagePath(glowmere) + L"\" -bg";
  ASSERT_EQ(expected.size(), kPathLength + 6) << e2e::Narrow(expected);
  std::wstring data;
  DWORD bytes = 0;
  EXPECT_TRUE(e2e::WaitUntil([&] { return ReadRunValue(&data, &bytes) && data == expected; }, 10000))
      << "expected " << e2e::Narrow(expected) << "\nseen " << e2e::Narrow(data);
  // The next start reads its own long value back as set.
  TerminateProcess(glowmere.handle, 0);
  WaitForExit(glowmere);
  e2e::Process again = Start(L"", exe);
  HWND second = WaitForDialog(again);
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(e2e::WaitUntil([&] { return IsChecked(second, kAutostartBox); }, 10000)) << "box shows the entry";
}

TEST_F(SettingsE2eTest, ADragIsStoredOnceItSettlesAndAKillASecondLaterLosesNothing) {
  e2e::Process glowmere = Start();
  HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr);
  ExpectFileSoon(e2e::PerUserIni(), L"[Start]\r\nr=128\r\ng=128\r\nb=128\r\nH=128\r\n");
  const Drag drag = DragBrightness(dialog);
  EXPECT_LE(drag.replacements, 3) << "settings file replacements during the drag: expected at most 3, seen "
                                  << drag.replacements;
  Sleep(1000);  // the user lets go; a second later the process is killed
  TerminateProcess(glowmere.handle, 0);
  WaitForExit(glowmere);
  const std::wstring expected = L"[Start]\r\nr=27\r\ng=27\r\nb=27\r\nH=27\r\n";
  const std::wstring seen = e2e::ReadFileText(e2e::PerUserIni());
  EXPECT_EQ(seen, expected) << "expected:\n" << e2e::Narrow(expected) << "\nseen:\n" << e2e::Narrow(seen);
}

// A file another program holds without letting it be replaced, and one the user made
// read-only: the dialog answers at once; the held file gets the levels once it is let go
// (by a later try), the read-only one stays as it was even through Exit.
TEST_F(SettingsE2eTest, ARefusingFileLeavesTheDialogResponsive) {
  const std::string old = "[Start]\r\nsetrgb=0\r\n";
  for (bool readOnly : {false, true}) {
    SCOPED_TRACE(readOnly ? "read-only file" : "file held open");
    ASSERT_TRUE(e2e::WriteFileBytes(e2e::PerUserIni(), old));
    if (readOnly) ASSERT_TRUE(SetFileAttributesW(e2e::PerUserIni().c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE held = readOnly ? INVALID_HANDLE_VALUE
                           : CreateFileW(e2e::PerUserIni().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, 0, nullptr);
    e2e::Process glowmere = Start();
    HWND dialog = WaitForDialog(glowmere);
    ASSERT_NE(dialog, nullptr);
    const Drag drag = DragBrightness(dialog);
    EXPECT_LT(drag.Median(), 100.0) << "a brightness notification: expected well under 100 ms, seen a median of "
                                    << drag.Median() << " ms";
    EXPECT_EQ(e2e::ReadFileBytes(e2e::PerUserIni()), old) << "the file must not change while it refuses";
    if (held != INVALID_HANDLE_VALUE) {
      CloseHandle(held);
      ExpectFileSoon(e2e::PerUserIni(), L"[Start]\r\nsetrgb=0\r\nr=27\r\ng=27\r\nb=27\r\nH=27\r\n");
    }
    e2e::ClickButton(dialog, 1030);  // Exit tries once more
    ASSERT_NE(WaitForExit(glowmere), static_cast<DWORD>(STILL_ACTIVE)) << "Exit did not end the process";
  }
  EXPECT_EQ(e2e::ReadFileBytes(e2e::PerUserIni()), old) << "a read-only file must stay as it was";
}

}  // namespace
