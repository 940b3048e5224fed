// Levels per display. TwoDisplays.* runs with a second X output (two_displays.sh), the rest
// with the usual single display. Wine keeps one ramp for the whole X screen and the program
// sets the displays in their order, so the screen shows the last display's ramp.
#include <windows.h>

#include "harness.h"

namespace {

using namespace e2e;

// The id the program keeps a display's levels under: its monitor's device interface path.
std::wstring MonitorId(int number) {
  DISPLAY_DEVICEW monitor = {};
  monitor.cb = sizeof monitor;
  const std::wstring device = L"\\\\.\\DISPLAY" + std::to_wstring(number);
  const bool found = EnumDisplayDevicesW(device.c_str(), 0, &monitor, EDD_GET_DEVICE_INTERFACE_NAME);
  return found && monitor.DeviceID[0] != 0 ? monitor.DeviceID : device;
}

std::string DisplayLevels(int number) {
  const std::wstring section = L"Display " + MonitorId(number);
  std::string levels;
  for (const wchar_t* key : {L"H", L"r", L"g", L"b"}) levels += Narrow(IniValue(section.c_str(), key)) + " ";
  return levels;
}
// The All displays levels, then each display's.
std::string AllStored() { return StoredLevels() + "| " + DisplayLevels(1) + "| " + DisplayLevels(2); }

using SingleDisplay = GlowmereTest;
using TwoDisplays = GlowmereTest;

// One display: no list, no note, no new sections; "-display 1" is every display, another
// number is refused.
TEST_F(SingleDisplay, LooksAndBehavesAsBefore) {
  HWND dialog = WaitForDialog(Start());
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_DISPLAYS))) << "no display list with one display";
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_HDR_NOTE)));
  MoveSlider(dialog, IDC_BRIGHTNESS, 64);
  EXPECT_TRUE(Becomes(StoredLevels, "64 64 64 64 "));
  EXPECT_TRUE(RampBecomes(64, 64, 64));

  EXPECT_EQ(WaitForExit(Start(L"-display 1 -brightness 10"), 60000), 0u);
  EXPECT_TRUE(Becomes([&] { return SliderLevels(dialog); }, "154 154 154 154 "));
  EXPECT_TRUE(Becomes(StoredLevels, "154 154 154 154 "));
  EXPECT_TRUE(RampBecomes(154, 154, 154));
  EXPECT_EQ(ReadFileText(PerUserIni()).find(L"[Display "), std::wstring::npos) << Narrow(ReadFileText(PerUserIni()));

  EXPECT_EQ(AnswerBox(Start(L"-display 2 -reset")), 2u) << "no display 2";
  EXPECT_TRUE(RampIs(154, 154, 154)) << "nothing changes; " << RampSeen();
}

// The list, per-display levels in the dialog and from the command line, and their return
// at the next start.
TEST_F(TwoDisplays, EachDisplayKeepsItsOwnLevels) {
  ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2) << "expected two displays (run through two_displays.sh)";
  Process first = Start();
  HWND dialog = WaitForDialog(first);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(GetDlgItem(dialog, IDC_DISPLAYS)) != FALSE; }))
      << "expected the display list with two displays";
  ASSERT_EQ(SendDlgItemMessageW(dialog, IDC_DISPLAYS, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_DISPLAYS, CB_GETCURSEL, 0, 0), 0) << "All displays is the default";

  ChooseFromList(dialog, IDC_DISPLAYS, 2);
  MoveSlider(dialog, IDC_BRIGHTNESS, 64);
  EXPECT_TRUE(Becomes(AllStored, "128 128 128 128 | <none> <none> <none> <none> | 64 64 64 64 "));
  EXPECT_TRUE(RampBecomes(64, 64, 64)) << "display 2 is set last";
  ChooseFromList(dialog, IDC_DISPLAYS, 1);
  EXPECT_EQ(SliderLevels(dialog), "128 128 128 128 ") << "display 1 has the All displays levels";
  MoveSlider(dialog, IDC_RED, 200);
  EXPECT_TRUE(Becomes([] { return DisplayLevels(1); }, "128 200 128 128 "));
  EXPECT_TRUE(RampIs(64, 64, 64)) << "display 2 keeps its ramp; " << RampSeen();
  ChooseFromList(dialog, IDC_DISPLAYS, 2);
  EXPECT_EQ(SliderLevels(dialog), "64 64 64 64 ");

  // A second start for one display, by number and by a part of the name (which names
  // match: unit-tested).
  EXPECT_EQ(WaitForExit(Start(L"-display 2 -rgb 10 0 0"), 60000), 0u);
  EXPECT_TRUE(Becomes([] { return DisplayLevels(2); }, "64 154 128 128 "));
  EXPECT_TRUE(RampBecomes(154, 128, 128));
  EXPECT_TRUE(Becomes([&] { return SliderLevels(dialog); }, "64 154 128 128 "));
  // Wine 8 names its monitors "Display1" and "Display2".
  EXPECT_EQ(WaitForExit(Start(L"-display PLAY1 -rgb 0 0 -10"), 60000), 0u);
  EXPECT_TRUE(Becomes([] { return DisplayLevels(1); }, "128 128 128 102 "));

  // Without -display a second start sets every display, and the list shows All displays.
  EXPECT_EQ(WaitForExit(Start(L"-brightness -10"), 60000), 0u);
  EXPECT_TRUE(Becomes(AllStored, "102 102 102 102 | 102 102 102 102 | 102 102 102 102 "));
  EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_DISPLAYS, CB_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(RampIs(102, 102, 102)) << RampSeen();

  // All displays sets both; then the next start with Restore gives each its own again.
  ChooseFromList(dialog, IDC_DISPLAYS, 1);
  ChooseFromList(dialog, IDC_DISPLAYS, 0);
  EXPECT_EQ(SliderLevels(dialog), "102 102 102 102 ");
  MoveSlider(dialog, IDC_BRIGHTNESS, 100);
  EXPECT_TRUE(Becomes(AllStored, "100 100 100 100 | 100 100 100 100 | 100 100 100 100 "));
  ChooseFromList(dialog, IDC_DISPLAYS, 2);
  MoveSlider(dialog, IDC_BRIGHTNESS, 30);
  ClickButton(dialog, IDC_RESTORE);
  EXPECT_TRUE(WaitUntil([] { return IniValue(L"Start", L"setrgb") == L"1" && DisplayLevels(2) == "30 30 30 30 "; }));
  PostCommand(dialog, IDC_EXIT);
  ASSERT_EQ(WaitForExit(first), 1075u);
  ResetScreenRamp();

  dialog = WaitForDialog(Start());
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(RampBecomes(30, 30, 30)) << "display 2 gets its stored levels";
  EXPECT_EQ(SliderLevels(dialog), "100 100 100 100 ") << "the sliders start at All displays";
  ChooseFromList(dialog, IDC_DISPLAYS, 2);
  EXPECT_EQ(SliderLevels(dialog), "30 30 30 30 ");
}

}  // namespace
