// Many whole sessions in a row, as a user lives with the program: start, a few slider
// moves, a language switch, hide and show, Exit. Each cycle must end cleanly.
#include "harness.h"

#include <shellapi.h>

#include <cstdlib>

namespace {

using e2e::GlowmereTest;

int Cycles() {
  wchar_t buffer[16] = {};
  return GetEnvironmentVariableW(L"GLOWMERE_SOAK_CYCLES", buffer, 16) ? _wtoi(buffer) : 100;
}

// The value of `key` in the settings file's [Start] section, or -1.
int StoredLevel(const std::wstring& ini, const std::wstring& key) {
  const std::wstring needle = L"\n" + key + L"=";
  size_t at = (L"\n" + ini).find(needle);
  if (at == std::wstring::npos) return -1;
  return _wtoi(ini.c_str() + at + needle.size() - 1);
}

class Soak : public GlowmereTest {};

TEST_F(Soak, HundredSessionsEndCleanlyAndKeepTheLastLevels) {
  const int cycles = Cycles();
  int clean = 0;
  DWORD slowestExitMs = 0;
  for (int cycle = 0; cycle < cycles; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle));
    e2e::Process p = Start();
    HWND dialog = WaitForDialog(p);
    ASSERT_NE(dialog, nullptr) << "expected the dialog within 30 s";

    const int brightness = (cycle * 37) % 257;
    const int red = (cycle * 53 + 11) % 257;
    e2e::MoveSlider(dialog, 1038, brightness);
    e2e::MoveSlider(dialog, 1039, red);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::RampMatches(e2e::ScreenRamp(), red, brightness, brightness); }, 10000))
        << "expected red " << red << " and brightness " << brightness << " on the screen";

    HWND list = GetDlgItem(dialog, 1031);
    SendMessageW(list, CB_SETCURSEL, cycle % 2, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(1031, CBN_SELENDOK), reinterpret_cast<LPARAM>(list));

    PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !e2e::IsVisible(dialog); }, 15000)) << "close must hide";
    PostMessageW(dialog, 0x8064, 117, WM_LBUTTONDOWN);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::IsVisible(dialog); }, 15000)) << "a tray click must show";

    const ULONGLONG exitStart = GetTickCount64();
    e2e::PostCommand(dialog, 1030);
    ASSERT_EQ(WaitForExit(p, 30000), 1075u) << "Exit must end the program with 1075 within 30 s";
    slowestExitMs = std::max<DWORD>(slowestExitMs, static_cast<DWORD>(GetTickCount64() - exitStart));
    EXPECT_FALSE(e2e::IconPresent(dialog)) << "an ended program must leave no tray icon";

    const std::wstring ini = e2e::ReadFileText(e2e::PerUserIni());
    EXPECT_EQ(StoredLevel(ini, L"r"), red) << "settings file: " << std::string(ini.begin(), ini.end());
    EXPECT_EQ(StoredLevel(ini, L"g"), brightness);
    EXPECT_EQ(StoredLevel(ini, L"b"), brightness);
    EXPECT_EQ(StoredLevel(ini, L"H"), brightness);
    if (!HasFailure()) ++clean;
  }
  RecordProperty("clean_cycles", clean);
  RecordProperty("slowest_exit_ms", static_cast<int>(slowestExitMs));
  std::printf("soak: %d of %d cycles clean; slowest Exit took %lu ms\n", clean, cycles, slowestExitMs);
  EXPECT_EQ(clean, cycles);
}

}  // namespace
