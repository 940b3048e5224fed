// The dialog, its sliders and the ramps on the screen, as a user drives them.
#include "harness.h"

#include <commctrl.h>

namespace {

using e2e::GlowmereTest;


class Spine : public GlowmereTest {};

TEST_F(Spine, FirstStartShowsNeutralSlidersAndLoadsTheIdentityRamp) {
  e2e::Process p = Start();
  HWND dialog = WaitForDialog(p);
  ASSERT_NE(dialog, nullptr) << "expected Glowmere's dialog within 30 s";
  EXPECT_TRUE(e2e::IsVisible(dialog));
  EXPECT_EQ(e2e::Narrow(e2e::WindowText(dialog)), "Glowmere 1.77");
  for (int id : {1038, 1039, 1040, 1041}) {
    EXPECT_EQ(e2e::SliderPos(dialog, id), 128) << "slider " << id;
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, id), TBM_GETRANGEMAX, 0, 0), 256) << "slider " << id;
  }
  for (int id : {1044, 1045, 1046, 1047}) EXPECT_EQ(e2e::Narrow(e2e::ItemText(dialog, id)), " 0 %") << "label " << id;
  EXPECT_TRUE(e2e::RampMatches(e2e::ScreenRamp(), 128, 128, 128)) << "expected the identity ramp on the screen";
}

TEST_F(Spine, BrightnessToZeroSetsEveryChannelAndAHalfScaleRamp) {
  HWND dialog = WaitForDialog(Start());
  ASSERT_NE(dialog, nullptr);
  e2e::MoveSlider(dialog, 1038, 0);
  for (int id : {1039, 1040, 1041}) EXPECT_EQ(e2e::SliderPos(dialog, id), 0) << "slider " << id;
  ASSERT_TRUE(e2e::WaitUntil([] { return e2e::RampMatches(e2e::ScreenRamp(), 0, 0, 0); }, 10000))
      << "expected the level-0 ramp (top entry 32640); saw top entry " << e2e::ScreenRamp()[255];
  for (int id : {1044, 1045, 1046, 1047}) EXPECT_EQ(e2e::Narrow(e2e::ItemText(dialog, id)), " -50 %") << "label " << id;
}

TEST_F(Spine, ARedMoveAppliesAfterThePauseAndTheBrightnessLabelShowsRgb) {
  HWND dialog = WaitForDialog(Start());
  ASSERT_NE(dialog, nullptr);
  e2e::MoveSlider(dialog, 1039, 200);
  ASSERT_TRUE(e2e::WaitUntil([] { return e2e::RampMatches(e2e::ScreenRamp(), 200, 128, 128); }, 10000))
      << "expected red at 200 on the screen";
  EXPECT_EQ(e2e::Narrow(e2e::ItemText(dialog, 1044)), " 28 %");
  EXPECT_EQ(e2e::Narrow(e2e::ItemText(dialog, 1045)), "RGB");
  EXPECT_EQ(e2e::SliderPos(dialog, 1038), 128) << "the brightness slider must not move";
}

TEST_F(Spine, ResetRestoresTheIdentityRampAndTheSliders) {
  HWND dialog = WaitForDialog(Start());
  ASSERT_NE(dialog, nullptr);
  e2e::MoveSlider(dialog, 1038, 40);
  ASSERT_TRUE(e2e::WaitUntil([] { return e2e::RampMatches(e2e::ScreenRamp(), 40, 40, 40); }, 10000));
  e2e::ClickButton(dialog, 122);
  EXPECT_TRUE(e2e::WaitUntil([] { return e2e::RampMatches(e2e::ScreenRamp(), 128, 128, 128); }, 10000))
      << "expected the identity ramp after Reset";
  for (int id : {1038, 1039, 1040, 1041}) EXPECT_EQ(e2e::SliderPos(dialog, id), 128) << "slider " << id;
  EXPECT_EQ(e2e::Narrow(e2e::ItemText(dialog, 1045)), " 0 %");
}

TEST_F(Spine, EnterAndEscapeDoNothingAndTheCloseBoxOnlyHides) {
  e2e::Process p = Start();
  HWND dialog = WaitForDialog(p);
  ASSERT_NE(dialog, nullptr);
  HWND slider = GetDlgItem(dialog, 1038);
  for (WPARAM key : {static_cast<WPARAM>(VK_ESCAPE), static_cast<WPARAM>(VK_RETURN)}) {
    PostMessageW(slider, WM_KEYDOWN, key, 0);
    PostMessageW(slider, WM_KEYUP, key, 0);
  }
  SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(e2e::WaitUntil([&] { return !e2e::IsVisible(dialog); }, 1500)) << "Enter/Escape must not hide";
  EXPECT_EQ(WaitForExit(p, 0), static_cast<DWORD>(STILL_ACTIVE));

  PostMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(e2e::WaitUntil([&] { return !e2e::IsVisible(dialog); }, 15000)) << "the close box must hide";
  EXPECT_EQ(WaitForExit(p, 500), static_cast<DWORD>(STILL_ACTIVE)) << "closing must not end the program";
}

TEST_F(Spine, ASecondStartEndsWith45054AndBringsTheFirstDialogBack) {
  e2e::Process first = Start();
  HWND dialog = WaitForDialog(first);
  ASSERT_NE(dialog, nullptr);
  e2e::MoveSlider(dialog, 1038, 64);
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !e2e::IsVisible(dialog); }, 15000));

  e2e::Process second = Start();
  EXPECT_EQ(WaitForExit(second, 60000), 45054u);
  EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::IsVisible(dialog); }, 15000)) << "the first dialog must show again";
  EXPECT_TRUE(e2e::RampMatches(e2e::ScreenRamp(), 64, 64, 64)) << "the second start must not touch the ramps";
  EXPECT_EQ(e2e::SliderPos(dialog, 1038), 64);
}

TEST_F(Spine, BackgroundArgumentStartsHiddenInAnyLetterCase) {
  for (const wchar_t* arg : {L"-bg", L"-BG"}) {
    e2e::Process p = Start(arg);
    HWND dialog = WaitForDialog(p);
    ASSERT_NE(dialog, nullptr) << "with " << e2e::Narrow(arg);
    EXPECT_FALSE(e2e::IsVisible(dialog)) << "with " << e2e::Narrow(arg) << " the dialog must stay hidden";
    e2e::ClickButton(dialog, 1030);
    EXPECT_EQ(WaitForExit(p), 1075u);
  }
}

TEST_F(Spine, OnlyTheFirstArgumentCounts) {
  e2e::Process p = Start(L"x -bg");
  HWND dialog = WaitForDialog(p);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(e2e::IsVisible(dialog)) << "-bg as second argument must be ignored";
}

TEST_F(Spine, ExitEndsWith1075AndTheRampStays) {
  e2e::Process p = Start();
  HWND dialog = WaitForDialog(p);
  ASSERT_NE(dialog, nullptr);
  e2e::MoveSlider(dialog, 1038, 64);
  ASSERT_TRUE(e2e::WaitUntil([] { return e2e::RampMatches(e2e::ScreenRamp(), 64, 64, 64); }, 10000));
  e2e::ClickButton(dialog, 1030);
  EXPECT_EQ(WaitForExit(p), 1075u);
  EXPECT_TRUE(e2e::RampMatches(e2e::ScreenRamp(), 64, 64, 64)) << "the last ramp must stay after the program ends";
}

}  // namespace
