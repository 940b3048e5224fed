// Whole sessions in a row, as a user lives with the program: start, slider moves, a
// language switch, hide and show, Exit. A leak or a hang shows as a cycle that does not
// end cleanly (GLOWMERE_SOAK_CYCLES, default 20).
#include "harness.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

class Soak : public e2e::GlowmereTest {};

TEST_F(Soak, SessionsEndCleanlyAndKeepTheLastLevels) {
  wchar_t setting[16] = {};
  const int cycles = GetEnvironmentVariableW(L"GLOWMERE_SOAK_CYCLES", setting, 16) ? _wtoi(setting) : 20;
  int clean = 0;
  DWORD slowestExitMs = 0;
  for (int cycle = 0; cycle < cycles; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle));
    e2e::Process p = Start();
    HWND dialog = WaitForDialog(p);
    ASSERT_NE(dialog, nullptr) << "expected the dialog within 30 s";
    const int brightness = (cycle * 37) % 257, red = (cycle * 53 + 11) % 257;
    e2e::MoveSlider(dialog, 1038, brightness);
    e2e::MoveSlider(dialog, 1039, red);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::RampMatches(e2e::ScreenRamp(), red, brightness, brightness); }, 10000))
        << "expected red " << red << " and brightness " << brightness << " on the screen";
    HWND list = GetDlgItem(dialog, 1031);
    SendMessageW(list, CB_SETCURSEL, cycle % 2, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(1031, CBN_SELENDOK), reinterpret_cast<LPARAM>(list));
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !e2e::IsVisible(dialog); }, 15000)) << "the close box must hide";
    PostMessageW(dialog, 0x8064, 117, WM_LBUTTONDOWN);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::IsVisible(dialog); }, 15000)) << "a tray click must show";

    const ULONGLONG exitStart = GetTickCount64();
    e2e::PostCommand(dialog, 1030);
    ASSERT_EQ(WaitForExit(p, 30000), 1075u) << "Exit must end the program with 1075 within 30 s";
    slowestExitMs = std::max<DWORD>(slowestExitMs, static_cast<DWORD>(GetTickCount64() - exitStart));
    EXPECT_FALSE(e2e::IconPresent(dialog)) << "an ended program must leave no tray icon";
    const std::string ini = e2e::Narrow(e2e::ReadFileText(e2e::PerUserIni()));
    for (const std::string& line : {"r=" + std::to_string(red), "g=" + std::to_string(brightness),
                                    "b=" + std::to_string(brightness), "H=" + std::to_string(brightness)})
      EXPECT_NE(("\n" + ini + "\r").find("\n" + line + "\r"), std::string::npos)
          << "expected the line " << line << " in the settings file:\n" << ini;
    if (!HasFailure()) ++clean;
  }
  std::printf("soak: %d of %d cycles clean; slowest Exit took %lu ms\n", clean, cycles, slowestExitMs);
  EXPECT_EQ(clean, cycles);
}

}  // namespace
