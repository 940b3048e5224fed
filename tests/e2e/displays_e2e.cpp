// Levels per display. TwoDisplays.* runs with a second X output (two_displays.sh), the rest
// with the usual single display. Wine keeps one ramp for the whole X screen and the program
// sets the displays in their order, so the screen shows the last display's ramp.
#include <windows.h>

#include "harness.h"
#include "res/resource_ids.h"

namespace {

using namespace e2e;

// The id the program keeps a display's levels under: its monitor's device interface path.
std::wstring MonitorId(int number) {
  DISPLAY_DEVICEW monitor = {};
  monitor.cb = sizeof monitor;
  const std::wstring device = L"\\\\.\\DISPLAY" + std::to_wstring(number);
  if (!EnumDisplayDevicesW(device.c_str(), 0, &monitor, EDD_GET_DEVICE_INTERFACE_NAME) || monitor.DeviceID[0] == 0) {
    return device;
  }
  return monitor.DeviceID;
}

std::string DisplayLevels(int number) {
  const std::wstring section = L"Display " + MonitorId(number);
  std::string levels;
  for (const wchar_t* key : {L"H", L"r", L"g", L"b"}) levels += Narrow(IniValue(section.c_str(), key)) + " ";
  return levels;
}

std::vector<std::wstring> ListItems(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_DISPLAYS);
  std::vector<std::wstring> items;
  const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    if (SendMessageW(list, CB_GETLBTEXTLEN, i, 0) < 255) {
      SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    }
    items.push_back(text);
  }
  return items;
}

void ChooseDisplay(HWND dialog, int index) {
  HWND list = GetDlgItem(dialog, IDC_DISPLAYS);
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_DISPLAYS, CBN_SELENDOK), reinterpret_cast<LPARAM>(list));
}

bool IniHasDisplaySections() { return ReadFileText(PerUserIni()).find(L"[Display ") != std::wstring::npos; }

class SingleDisplay : public GlowmereTest {};
class TwoDisplays : public GlowmereTest {
 protected:
  void SetUp() override {
    GlowmereTest::SetUp();
    ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2) << "expected two displays (run through two_displays.sh)";
  }
};

// One display: no list, no note, no new sections; "-display 1" is every display, another
// number is refused.
TEST_F(SingleDisplay, LooksAndBehavesAsBefore) {
  const Process first = Start();
  HWND dialog = WaitForDialog(first);
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_DISPLAYS))) << "no display list with one display";
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_HDR_NOTE)));
  MoveSlider(dialog, IDC_BRIGHTNESS, 64);
  EXPECT_TRUE(WaitUntil([] { return StoredLevels() == "64 64 64 64 "; })) << "seen " << StoredLevels();
  EXPECT_TRUE(WaitUntil([] { return RampIs(64, 64, 64); })) << RampSeen();

  EXPECT_EQ(WaitForExit(Start(L"-display 1 -brightness 10"), 60000), 0u);
  EXPECT_TRUE(WaitUntil([&] { return SliderLevels(dialog) == "154 154 154 154 "; })) << SliderLevels(dialog);
  EXPECT_TRUE(WaitUntil([] { return RampIs(154, 154, 154) && StoredLevels() == "154 154 154 154 "; }))
      << RampSeen() << ", stored " << StoredLevels();
  EXPECT_FALSE(IniHasDisplaySections()) << Narrow(ReadFileText(PerUserIni()));

  const Process bad = Start(L"-display 2 -reset");
  HWND box = WaitForBox(bad.pid, nullptr);
  const std::wstring message = box ? ItemText(box, 0xFFFF) : L"<no box>";
  EXPECT_NE(message.find(L" 2."), std::wstring::npos) << "expected the message to name 2, seen " << Narrow(message);
  if (box) PostCommand(box, IDOK);
  EXPECT_EQ(WaitForExit(bad), 2u);
  EXPECT_TRUE(RampIs(154, 154, 154)) << "nothing changes; " << RampSeen();
}

// The list, per-display levels in the dialog and from the command line, and their return
// at the next start.
TEST_F(TwoDisplays, EachDisplayKeepsItsOwnLevels) {
  Process first = Start();
  HWND dialog = WaitForDialog(first);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(GetDlgItem(dialog, IDC_DISPLAYS)) != FALSE; }))
      << "expected the display list with two displays";
  const std::vector<std::wstring> items = ListItems(dialog);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0], L"All displays");
  for (int n = 1; n <= 2; ++n) {
    const std::wstring& item = items[n];
    const std::wstring number = std::to_wstring(n);
    EXPECT_TRUE(item == L"Display " + number || item.rfind(number + L" - ", 0) == 0)
        << "expected \"" << n << " - <monitor>\" or \"Display " << n << "\", seen \"" << Narrow(item) << "\"";
  }
  EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_DISPLAYS, CB_GETCURSEL, 0, 0), 0) << "All displays is the default";

  ChooseDisplay(dialog, 2);
  MoveSlider(dialog, IDC_BRIGHTNESS, 64);
  EXPECT_TRUE(WaitUntil([] { return DisplayLevels(2) == "64 64 64 64 "; })) << "seen " << DisplayLevels(2);
  EXPECT_TRUE(WaitUntil([] { return RampIs(64, 64, 64); })) << "display 2 is set last; " << RampSeen();
  EXPECT_EQ(StoredLevels(), "128 128 128 128 ") << "the All displays levels stay";
  EXPECT_EQ(DisplayLevels(1), "<none> <none> <none> <none> ");

  ChooseDisplay(dialog, 1);
  EXPECT_EQ(SliderLevels(dialog), "128 128 128 128 ") << "display 1 has the All displays levels";
  MoveSlider(dialog, IDC_RED, 200);
  EXPECT_TRUE(WaitUntil([] { return DisplayLevels(1) == "128 200 128 128 "; })) << "seen " << DisplayLevels(1);
  EXPECT_EQ(ItemText(dialog, IDC_BRIGHTNESS_VALUE), L"RGB");
  EXPECT_TRUE(RampIs(64, 64, 64)) << "display 2 keeps its ramp; " << RampSeen();
  ChooseDisplay(dialog, 2);
  EXPECT_EQ(SliderLevels(dialog), "64 64 64 64 ");

  // A second start for one display, by number and by a part of the name; an unknown one.
  EXPECT_EQ(WaitForExit(Start(L"-display 2 -rgb 10 0 0"), 60000), 0u);
  EXPECT_TRUE(WaitUntil([] { return DisplayLevels(2) == "64 154 128 128 "; })) << "seen " << DisplayLevels(2);
  EXPECT_TRUE(WaitUntil([] { return RampIs(154, 128, 128); })) << RampSeen();
  EXPECT_TRUE(WaitUntil([&] { return SliderLevels(dialog) == "64 154 128 128 "; })) << SliderLevels(dialog);
  EXPECT_EQ(WaitForExit(Start(L"-display 1 -brightness -50"), 60000), 0u);
  EXPECT_TRUE(WaitUntil([] { return DisplayLevels(1) == "0 0 0 0 "; })) << "seen " << DisplayLevels(1);
  EXPECT_EQ(SliderLevels(dialog), "64 154 128 128 ") << "the sliders show display 2";
  // Wine 8 names its monitors "Display1" and "Display2".
  EXPECT_EQ(WaitForExit(Start(L"-display PLAY1 -rgb 0 0 -10"), 60000), 0u);
  EXPECT_TRUE(WaitUntil([] { return DisplayLevels(1) == "0 128 128 102 "; })) << "seen " << DisplayLevels(1);
  const std::string iniBefore = ReadFileBytes(PerUserIni());
  for (const wchar_t* unknown : {L"-display 3 -reset", L"-display display -reset"}) {
    const Process bad = Start(unknown);
    HWND box = WaitForBox(bad.pid, nullptr);
    if (box) PostCommand(box, IDOK);
    EXPECT_EQ(WaitForExit(bad), 2u) << Narrow(unknown) << ": no display, or more than one";
  }
  EXPECT_EQ(ReadFileBytes(PerUserIni()), iniBefore);

  // Without -display a second start sets every display, and the list shows All displays.
  EXPECT_EQ(WaitForExit(Start(L"-brightness -10"), 60000), 0u);
  EXPECT_TRUE(WaitUntil([] { return StoredLevels() == "102 102 102 102 " && DisplayLevels(1) == "102 102 102 102 " &&
                                    DisplayLevels(2) == "102 102 102 102 "; }))
      << "stored " << StoredLevels() << ", display 1 " << DisplayLevels(1) << ", display 2 " << DisplayLevels(2);
  EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_DISPLAYS, CB_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(RampIs(102, 102, 102)) << RampSeen();

  // All displays sets both; then the next start with Restore gives each its own again.
  ChooseDisplay(dialog, 1);
  ChooseDisplay(dialog, 0);
  EXPECT_EQ(SliderLevels(dialog), "102 102 102 102 ");
  MoveSlider(dialog, IDC_BRIGHTNESS, 100);
  EXPECT_TRUE(WaitUntil([] { return StoredLevels() == "100 100 100 100 " && DisplayLevels(1) == "100 100 100 100 " &&
                                    DisplayLevels(2) == "100 100 100 100 "; }))
      << "stored " << StoredLevels() << ", display 1 " << DisplayLevels(1) << ", display 2 " << DisplayLevels(2);
  ChooseDisplay(dialog, 2);
  MoveSlider(dialog, IDC_BRIGHTNESS, 30);
  ClickButton(dialog, IDC_RESTORE);
  EXPECT_TRUE(WaitUntil([] { return IniValue(L"Start", L"setrgb") == L"1" && DisplayLevels(2) == "30 30 30 30 "; }));
  PostCommand(dialog, IDC_EXIT);
  ASSERT_EQ(WaitForExit(first), 1075u);
  ResetScreenRamp();

  Process second = Start();
  dialog = WaitForDialog(second);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(WaitUntil([] { return RampIs(30, 30, 30); })) << "display 2 gets its stored levels; " << RampSeen();
  EXPECT_EQ(SliderLevels(dialog), "100 100 100 100 ") << "the sliders start at All displays";
  ChooseDisplay(dialog, 2);
  EXPECT_EQ(SliderLevels(dialog), "30 30 30 30 ");
}

}  // namespace
