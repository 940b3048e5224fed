// Hotkeys the settings file names without Ctrl, Alt or Win would take a key from every
// program: they are refused and reported like an unreadable value; the others work.
#include <windows.h>

#include "harness.h"

namespace {

using namespace e2e;

class Hotkeys : public GlowmereTest {};

TEST_F(Hotkeys, AKeyWithoutCtrlAltOrWinIsNotTakenAndIsReported) {
  ASSERT_TRUE(WriteFileBytes(PerUserIni(), "[Hotkeys]\r\nBrighter=Home\r\nDarker=Ctrl+Alt+PgDn\r\nNeutral=Shift+Up\r\n"));
  const Process glowmere = Start();
  HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr);
  // Wine shows a balloon as a tooltip window of the shell; its text is the report.
  std::wstring report;
  EXPECT_TRUE(WaitUntil([&] {
    for (HWND tip : TopLevelWindows(0, L"tooltips_class32"))
      if (WindowText(tip).find(L"Home, Shift+Up") != std::wstring::npos) report = WindowText(tip);
    return !report.empty();
  })) << "expected one balloon naming Home and Shift+Up";

  // Taken keys cannot be registered twice: Ctrl+Alt+PgDn is Glowmere's, the bare ones are free.
  EXPECT_FALSE(RegisterHotKey(nullptr, 9, MOD_CONTROL | MOD_ALT, VK_NEXT)) << "Glowmere must hold Ctrl+Alt+PgDn";
  const struct { UINT modifiers, key; const char* name; } bare[] = {{0, VK_HOME, "Home"}, {MOD_SHIFT, VK_UP, "Shift+Up"}};
  for (const auto& k : bare) {
    EXPECT_TRUE(RegisterHotKey(nullptr, 7, k.modifiers, k.key)) << k.name << " must be left to other programs";
    UnregisterHotKey(nullptr, 7);
  }

  const WORD keys[] = {VK_CONTROL, VK_MENU, VK_NEXT};
  INPUT input[6] = {};
  for (int i = 0; i < 6; ++i) {
    input[i].type = INPUT_KEYBOARD;
    input[i].ki.wVk = keys[i < 3 ? i : 5 - i];
    input[i].ki.dwFlags = (i < 3 ? 0 : KEYEVENTF_KEYUP) | (input[i].ki.wVk == VK_NEXT ? KEYEVENTF_EXTENDEDKEY : 0);
  }
  SendInput(6, input, sizeof(INPUT));
  EXPECT_TRUE(WaitUntil([&] { return SliderPos(dialog, 1038) == 120; }, 10000))
      << "Ctrl+Alt+PgDn must still work; brightness seen " << SliderPos(dialog, 1038);
}

}  // namespace
