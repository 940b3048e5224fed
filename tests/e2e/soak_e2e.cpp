// Whole sessions in a row, as a user lives with the program: start, slider moves, a language
// switch, hide and show, Exit. A leak or a hang shows as a cycle that does not end cleanly
// (GLOWMERE_SOAK_CYCLES, default 20), and a settings file that grows from session to session
// as one whose line count changes.
#include "harness.h"

#include <algorithm>

namespace {

using namespace e2e;

using Soak = GlowmereTest;

TEST_F(Soak, SessionsEndCleanlyAndKeepTheLastLevels) {
  const std::wstring setting = Env(L"GLOWMERE_SOAK_CYCLES");
  const int cycles = setting.empty() ? 20 : _wtoi(setting.c_str());
  // Every session writes the same keys: the file keeps the lines the first session left.
  auto lines = [] {
    const std::wstring text = ReadFileText(PerUserIni());
    return std::count(text.begin(), text.end(), L'\n');
  };
  std::ptrdiff_t firstLines = -1;
  for (int cycle = 0; cycle < cycles; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle));
    const Process p = Start();
    HWND dialog = WaitForDialog(p);
    ASSERT_NE(dialog, nullptr) << "expected the dialog within 30 s";
    const int brightness = (cycle * 37) % 257, red = (cycle * 53 + 11) % 257;
    MoveSlider(dialog, IDC_BRIGHTNESS, brightness);
    MoveSlider(dialog, IDC_RED, red);
    ASSERT_TRUE(RampBecomes(red, brightness, brightness));
    ChooseLanguage(dialog, cycle % 2);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 15000)) << "the close box must hide";
    PostMessageW(dialog, TrayCallbackMessage, IDI_APP, WM_LBUTTONDOWN);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog); }, 15000)) << "a tray click must show";
    PostCommand(dialog, IDC_EXIT);
    ASSERT_EQ(WaitForExit(p, 30000), kExitCommand) << "Exit must end the program with 1075 within 30 s";
    const std::string b = std::to_string(brightness) + " ";
    EXPECT_EQ(StoredLevels(), b + std::to_string(red) + " " + b + b) << "stored H r g b";
    if (firstLines < 0) firstLines = lines();
  }
  EXPECT_EQ(lines(), firstLines) << "lines of the settings file after the last session against the first; now:\n"
                                 << Narrow(ReadFileText(PerUserIni()));
}

}  // namespace
