// Levels per display. TwoDisplays.* runs with a second X output (two_displays.sh), the rest
// with the usual single display. Wine keeps one ramp for the whole X screen and the program
// sets the displays in their order, so the screen shows the last display's ramp.
#include <windows.h>

#include "harness.h"

namespace {

using namespace e2e;

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

  EXPECT_EQ(WaitForExit(Start(L"-display 1 -brightness 10"), 60000), kExitLevelsSet);
  EXPECT_TRUE(Becomes([&] { return SliderLevels(dialog); }, "154 154 154 154 "));
  EXPECT_TRUE(Becomes(StoredLevels, "154 154 154 154 "));
  EXPECT_TRUE(RampBecomes(154, 154, 154));
  EXPECT_EQ(ReadFileText(PerUserIni()).find(L"[Display "), std::wstring::npos) << Narrow(ReadFileText(PerUserIni()));

  std::wstring message;
  EXPECT_EQ(AnswerBox(Start(L"-display 2 -reset"), &message), kExitBadOption) << "no display 2";
  EXPECT_NE(message.find(L"are: 1."), std::wstring::npos)
      << "the message names the attached displays: " << Narrow(message);
  EXPECT_TRUE(RampIs(154, 154, 154)) << "nothing changes; " << RampSeen();
}

// A laptop undocked: its panel has levels of its own, the external monitor (away now) follows
// All displays. The start shows the panel's own levels and stores nothing; the panel's sliders
// set the panel alone, so All's levels wait unchanged for the external monitor.
TEST_F(SingleDisplay, AStartAndThePanelsMovesLeaveTheAllLevelsAlone) {
  const std::string start = "[Start]\r\nsetrgb=1\r\nr=128\r\ng=128\r\nb=128\r\nH=128\r\n";
  ASSERT_TRUE(WriteFileBytes(PerUserIni(),
                             start + "[Display " + Narrow(MonitorId(1)) + "]\r\nr=90\r\ng=90\r\nb=90\r\nH=90\r\n"));
  HWND dialog = WaitForDialog(Start());
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(RampBecomes(90, 90, 90));
  EXPECT_EQ(SliderLevels(dialog), "90 90 90 90 ");
  MoveSlider(dialog, IDC_BRIGHTNESS, 80);
  EXPECT_TRUE(Becomes([] { return DisplayLevels(1); }, "80 80 80 80 "));
  EXPECT_EQ(StoredLevels(), "128 128 128 128 ");
  EXPECT_EQ(ReadFileBytes(PerUserIni()).substr(0, start.size()), start) << "[Start] as the user left it";
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
  EXPECT_TRUE(Becomes(AllStored, "<none> <none> <none> <none> | <none> <none> <none> <none> | 64 64 64 64 "))
      << "the start stores no levels; display 2 alone";
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
  EXPECT_EQ(WaitForExit(Start(L"-display 2 -rgb 10 0 0"), 60000), kExitLevelsSet);
  EXPECT_TRUE(Becomes([] { return DisplayLevels(2); }, "64 154 128 128 "));
  EXPECT_TRUE(RampBecomes(154, 128, 128));
  EXPECT_TRUE(Becomes([&] { return SliderLevels(dialog); }, "64 154 128 128 "));
  // Wine 8 names its monitors "Display1" and "Display2".
  EXPECT_EQ(WaitForExit(Start(L"-display PLAY1 -rgb 0 0 -10"), 60000), kExitLevelsSet);
  EXPECT_TRUE(Becomes([] { return DisplayLevels(1); }, "128 128 128 102 "));

  // Without -display a second start sets every display, and the list shows All displays.
  EXPECT_EQ(WaitForExit(Start(L"-brightness -10"), 60000), kExitLevelsSet);
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
  ASSERT_EQ(WaitForExit(first), kExitCommand);
  ResetScreenRamp();

  dialog = WaitForDialog(Start());
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(RampBecomes(30, 30, 30)) << "display 2 gets its stored levels";
  EXPECT_EQ(SliderLevels(dialog), "100 100 100 100 ") << "the sliders start at All displays";
  ChooseFromList(dialog, IDC_DISPLAYS, 2);
  EXPECT_EQ(SliderLevels(dialog), "30 30 30 30 ");
}

}  // namespace
