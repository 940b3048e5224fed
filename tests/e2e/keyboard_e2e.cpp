// Glowmere without a mouse: Tab visits the controls in reading order, and the keys of a
// slider set the levels as a drag does (ramp, labels, settings file).
#include "harness.h"

#include <commctrl.h>

namespace {

using namespace e2e;

class Keyboard : public GlowmereTest {};

void PressKeys(HWND control, std::initializer_list<WPARAM> keys) {
  for (WPARAM key : keys) {
    PostMessageW(control, WM_KEYDOWN, key, 1);
    PostMessageW(control, WM_KEYUP, key, 0xC0000001);
  }
}

std::function<std::string()> Label(HWND dialog, int id) {
  return [=] { return Narrow(ItemText(dialog, id)); };
}

// Top to bottom, left to right: the language list, the four sliders, the check boxes
// ("Restore" stands on the left), the two buttons; then round again. Then the keys: Home,
// End, PgDn and the arrows on the brightness slider move all four at once and apply and
// store at once; on a colour slider they apply once it rests, as a drag does. The screen
// reader's annotations are unit-tested (Wine's oleacc does not pass them on).
TEST_F(Keyboard, TabOrderAndSliderKeysApplyAndStoreAsADragDoes) {
  const Process glowmere = Start();
  HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr) << "expected Glowmere's dialog within 30 s";
  std::string seen, wanted;
  HWND at = GetDlgItem(dialog, IDC_LANGUAGES);
  for (int id : {IDC_LANGUAGES, IDC_BRIGHTNESS, IDC_RED, IDC_GREEN, IDC_BLUE, IDC_RESTORE, IDC_AUTOSTART, IDC_RESET,
                 IDC_EXIT, IDC_LANGUAGES}) {
    seen += std::to_string(GetDlgCtrlID(at)) + " ";
    wanted += std::to_string(id) + " ";
    at = GetNextDlgTabItem(dialog, at, FALSE);
  }
  EXPECT_EQ(seen, wanted) << "the controls Tab visits, from the language list on";

  HWND brightness = GetDlgItem(dialog, IDC_BRIGHTNESS);
  PressKeys(brightness, {VK_END});
  EXPECT_TRUE(Becomes([&] { return SliderLevels(dialog); }, "256 256 256 256 ")) << "End";
  EXPECT_TRUE(RampBecomes(256, 256, 256)) << "End";
  // Home to 0, a page (a fifth of the range, 51) up, two steps up: 53, shown as -29 %.
  PressKeys(brightness, {VK_HOME, VK_NEXT, VK_RIGHT, VK_RIGHT});
  EXPECT_TRUE(Becomes([&] { return SliderLevels(dialog); }, "53 53 53 53 ")) << "Home, PgDn, Right, Right";
  EXPECT_TRUE(RampBecomes(53, 53, 53));
  EXPECT_TRUE(Becomes(Label(dialog, IDC_BLUE_VALUE), " -29 %")) << "blue label";
  EXPECT_TRUE(Becomes(StoredLevels, "53 53 53 53 ")) << "stored once the keys rest";

  PressKeys(GetDlgItem(dialog, IDC_RED), {VK_END, VK_LEFT});
  EXPECT_TRUE(RampBecomes(255, 53, 53));
  EXPECT_TRUE(Becomes(Label(dialog, IDC_RED_VALUE), " 49 %")) << "red label";
  EXPECT_EQ(Narrow(ItemText(dialog, IDC_BRIGHTNESS_VALUE)), "RGB") << "brightness label once the colours differ";
  EXPECT_EQ(SliderPos(dialog, IDC_BRIGHTNESS), 53) << "a colour slider's keys must leave the brightness";
  EXPECT_TRUE(Becomes(StoredLevels, "53 255 53 53 ")) << "stored";
}

}  // namespace
