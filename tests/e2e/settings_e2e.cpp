// The settings file and the autostart entry as the user meets them: the bytes of the file,
// the sliders and caption of the dialog, the Run value in the registry, and a drag's writes.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "harness.h"

namespace {

using namespace e2e;

// Written at every start that finds them absent, so the user can find and change them.
const std::wstring kHotkeys =
    L"[Hotkeys]\r\nBrighter=Ctrl+Alt+PgUp\r\nDarker=Ctrl+Alt+PgDn\r\nNeutral=Ctrl+Alt+Home\r\n";

bool IsChecked(HWND dialog, int id) { return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// The brightness slider dragged from 127 down to 27 as the trackbar reports a drag: 101
// thumb-track notifications, each timed. Returns the median in ms; counts the settings file's
// replacements (each puts another file in place, with the time of its writing).
double DragBrightness(HWND dialog, int* replacements) {
  HWND slider = GetDlgItem(dialog, IDC_BRIGHTNESS);
  auto writeTime = [] {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExW(PerUserIni().c_str(), GetFileExInfoStandard, &data);
    return static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
  };
  std::vector<double> ms;
  ULONGLONG stamp = writeTime();
  *replacements = 0;
  for (int pos = 127; pos >= 27; --pos) {
    SendMessageW(slider, TBM_SETPOS, TRUE, pos);
    LARGE_INTEGER frequency, before, after;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&before);
    SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, pos), reinterpret_cast<LPARAM>(slider));
    QueryPerformanceCounter(&after);
    ms.push_back(static_cast<double>(after.QuadPart - before.QuadPart) * 1000.0 /
                 static_cast<double>(frequency.QuadPart));
    *replacements += writeTime() != stamp;
    stamp = writeTime();
  }
  std::sort(ms.begin(), ms.end());
  return ms[50];
}

using Settings = GlowmereTest;

// Stored levels are restored (clamped) and left as they are in the file: only the user's moves
// store levels, the existing lines keeping their place and spelling. Started from a 258-character path (the longest
// Wine starts), whose quoted Run value no longer fits the classic 260-character buffer.
TEST_F(Settings, RestoresShowsTheStoredStateWritesTheWholeRunValueAndStoresADrag) {
  ASSERT_TRUE(WriteFileBytes(PerUserIni(), "[Start]\r\nsetrgb=2\r\nr=300\r\nh=-5\r\n"));
  std::wstring folder = ScratchDir(L"long");
  folder += L"\\" + std::wstring(258 - folder.size() - 1 - 13, L'd');
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring exe = CopyGlowmere(folder);
  ASSERT_EQ(exe.size(), 258u);
  const Process glowmere = Start(L"", exe);
  HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr);
  // The start ends by storing the hotkeys' defaults: after that the boxes show their state.
  EXPECT_TRUE(Becomes([] { return Narrow(ReadFileText(PerUserIni())); },
                      Narrow(L"[Start]\r\nsetrgb=2\r\nr=300\r\nh=-5\r\n" + kHotkeys), 20000));
  EXPECT_EQ(SliderLevels(dialog), "0 256 128 128 ") << "the restored levels";
  // Any non-zero "setrgb" restores; the box shows it checked, never indeterminate.
  EXPECT_TRUE(IsChecked(dialog, IDC_RESTORE)) << "restore box for setrgb=2";
  EXPECT_FALSE(IsChecked(dialog, IDC_AUTOSTART)) << "no Run value, box unchecked";
  EXPECT_FALSE(ReadRunValue()) << "nothing written at start";

  ClickButton(dialog, IDC_AUTOSTART);
  wchar_t image[32768] = {};
  DWORD size = 32768;
  QueryFullProcessImageNameW(glowmere.handle, 0, image, &size);
  const std::wstring expected = L"\"" + std::wstring(image) + L"\" -bg";
  std::wstring data;
  DWORD bytes = 0;
  EXPECT_TRUE(WaitUntil([&] { return ReadRunValue(&data, &bytes) && data == expected; }, 10000))
      << "expected " << Narrow(expected) << "\nseen " << Narrow(data);
  // Counted without the terminator, which the system then adds itself (Wine as Windows).
  EXPECT_EQ(bytes, 2 * expected.size() + 2) << "for " << expected.size() << " characters";
  ClickButton(dialog, IDC_AUTOSTART);
  EXPECT_TRUE(WaitUntil([&] { return !ReadRunValue(); }, 10000)) << "Run value left after unchecking";

  // Without a Run key (it is opened, never created) checking fails: the box must say so.
  ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run"));
  ClickButton(dialog, IDC_AUTOSTART);
  EXPECT_FALSE(IsChecked(dialog, IDC_AUTOSTART)) << "box checked though no Run value could be written";

  // A drag is stored at most once per half second of dragging (a slow machine drags longer),
  // and once it settles: a kill a second after the user lets go loses nothing.
  int replacements = 0;
  const ULONGLONG dragStart = GetTickCount64();
  DragBrightness(dialog, &replacements);
  const int allowed = 1 + static_cast<int>((GetTickCount64() - dragStart) / 500);
  EXPECT_LE(replacements, allowed) << "settings file replacements during the drag: expected at most " << allowed;
  Sleep(1000);
  TerminateProcess(glowmere.handle, 0);
  WaitForExit(glowmere);
  const std::wstring dragged = L"[Start]\r\nsetrgb=2\r\nr=27\r\nh=27\r\ng=27\r\nb=27\r\n" + kHotkeys;
  EXPECT_EQ(Narrow(ReadFileText(PerUserIni())), Narrow(dragged)) << "after a kill a second after the drag";
}

// A file the user made read-only: the dialog answers at once, and the file stays as it was
// even through Exit (a file held by another program: busy_settings_e2e). Without "setrgb"
// the stored levels are not restored.
TEST_F(Settings, ARefusingFileLeavesTheDialogResponsive) {
  const std::string old = "[Start]\r\nsetrgb=0\r\nr=10\r\n";
  ASSERT_TRUE(WriteFileBytes(PerUserIni(), old));
  ASSERT_TRUE(SetFileAttributesW(PerUserIni().c_str(), FILE_ATTRIBUTE_READONLY));
  const Process glowmere = Start();
  HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(SliderLevels(dialog), "128 128 128 128 ") << "setrgb=0 must not restore r=10";
  int replacements = 0;
  const double median = DragBrightness(dialog, &replacements);
  EXPECT_LT(median, 100.0) << "a brightness notification: expected well under 100 ms, seen a median of " << median;
  ClickButton(dialog, IDC_EXIT);  // Exit tries once more
  ASSERT_NE(WaitForExit(glowmere), static_cast<DWORD>(STILL_ACTIVE)) << "Exit did not end the process";
  EXPECT_EQ(ReadFileBytes(PerUserIni()), old) << "a read-only file must stay as it was";
}

}  // namespace
