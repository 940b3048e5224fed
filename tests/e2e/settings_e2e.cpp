// The settings file and the autostart entry as the user meets them: the bytes of the
// INI file, the sliders and caption of the dialog, and the Run value in the registry.
// (A read-only program folder cannot be made under Wine as root; that case is covered
// through the platform seam in settings_file_test.cpp.)
#include <windows.h>

#include <string>

#include "harness/harness.h"

namespace {

const wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const int kAutostartBox = 1042;
const int kBrightnessSlider = 1038;
const int kRedSlider = 1039;
const int kGreenSlider = 1040;
const int kBlueSlider = 1041;

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
  ExpectFileSoon(e2e::PerUserIni(), L"[Start]\r\nr=128\r\ng=128\r\nb=128\r\nH=128\r\n");
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
  ExpectFileSoon(e2e::PerUserIni(), L"[Start]\r\nsetrgb=1\r\nr=256\r\nh=0\r\ng=128\r\nb=128\r\n");
}

TEST_F(SettingsE2eTest, WithoutRestoreTheLevelsResetAndAreOverwritten) {
  ASSERT_TRUE(e2e::WriteFileBytes(e2e::PerUserIni(), "; kept\r\n[Start]\r\nsetrgb=0\r\nr=10\r\ng=20\r\nb=30\r\nh=40\r\n"));
  e2e::Process glowmere = Start();
  HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr);
  for (int id : {kBrightnessSlider, kRedSlider, kGreenSlider, kBlueSlider}) ExpectSliderSoon(dialog, id, 128);
  ExpectFileSoon(e2e::PerUserIni(), L"; kept\r\n[Start]\r\nsetrgb=0\r\nr=128\r\ng=128\r\nb=128\r\nh=128\r\n");
}

TEST_F(SettingsE2eTest, PortableNameKeepsTheFileBesideTheExecutable) {
  std::wstring folder = e2e::ScratchDir(L"portable");
  std::wstring exe = e2e::CopyGlowmere(folder, L"Glowmere_p.exe");
  e2e::Process glowmere = Start(L"", exe);
  HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr);
  ExpectFileSoon(folder + L"\\Glowmere.ini",
                 L"[TestIni]\r\nM=1111\r\n[Start]\r\nr=128\r\ng=128\r\nb=128\r\nH=128\r\n");
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
  ExpectFileSoon(e2e::PerUserIni(), L"[Start]\r\nsetrgb=2\r\nr=128\r\ng=128\r\nb=128\r\nH=128\r\n");
  EXPECT_EQ(SendDlgItemMessageW(dialog, 1043, BM_GETCHECK, 0, 0), BST_CHECKED) << "restore box for setrgb=2";
  std::wstring data;
  DWORD bytes = 0;
  EXPECT_FALSE(IsChecked(dialog, kAutostartBox)) << "no Run value, box unchecked";
  EXPECT_FALSE(ReadRunValue(&data, &bytes)) << "nothing written at start";

  e2e::ClickButton(dialog, kAutostartBox);
  const std::wstring expected = L"\"" + ImagePath(glowmere) + L"\" -bg";
  ASSERT_TRUE(e2e::WaitUntil([&] { return ReadRunValue(&data, &bytes); }, 10000)) << "no Run value after checking";
  EXPECT_EQ(e2e::Narrow(data), e2e::Narrow(expected));
  EXPECT_EQ(bytes, 2 * expected.size()) << "stored without a terminator, for " << expected.size() << " characters";

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
  ExpectFileSoon(e2e::PerUserIni(), L"[Start]\r\nr=128\r\ng=128\r\nb=128\r\nH=128\r\n");
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

}  // namespace
