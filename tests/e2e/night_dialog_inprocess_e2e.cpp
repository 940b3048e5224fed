// The night-mode dialog, shown inside this test program with its template, the language archive
// and the common controls Glowmere.exe carries: ShowNightDialog's modal loop runs on the test's
// thread while a second thread finds the dialog by its caption and works its controls.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../unit/fake_time_zone.h"
#include "common/win32_text.h"
#include "dialog/night_dialog_win32.h"
#include "harness.h"
#include "i18n/language_archive.h"
#include "i18n/string_table.h"
#include "res/resource_ids.h"
#include "text_ids.h"

namespace {

using namespace e2e;

const FixedZone kZone(60);
const int64_t kNow = Utc(2026, 12, 8, 14, 0);  // 15:00 local

struct RecordingPreview final : NightPreviewPort {
  void Preview(const NightLook& look) override {
    events.push_back("preview " + std::to_string(static_cast<int>(look.kelvin)) + " K " +
                     std::to_string(static_cast<int>(look.brightness)) + " %");
  }
  void EndPreview() override { events.push_back("end"); }
  std::vector<std::string> events;
};

// Finds the dialog, runs the steps, and cancels a dialog the steps left open so the test ends.
DWORD WINAPI Drive(void* param) {
  const auto& steps = *static_cast<const std::function<void(HWND)>*>(param);
  const wchar_t* caption = W(StringTable::Text(kTextNightMode));
  HWND dialog = nullptr;
  if (!WaitUntil([&] { return IsWindowVisible(dialog = FindWindowW(L"#32770", caption)); })) return 1;
  steps(dialog);
  if (!WaitUntil([&] { return !IsWindow(dialog); }, 5000)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  return 0;
}

std::string Text(HWND dialog, int id) { return Narrow(ItemText(dialog, id)); }

std::string Clock(WORD hour, WORD minute) {
  const SYSTEMTIME time = {2000, 1, 0, 1, hour, minute, 0, 0};
  wchar_t text[64] = {};
  GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, text, 64);
  return Narrow(text);
}

// A message box of this program beside the dialog, if one is up.
HWND BoxBeside(HWND dialog) {
  for (HWND window : TopLevelWindows(GetCurrentProcessId(), L"#32770"))
    if (window != dialog && IsWindowVisible(window)) return window;
  return nullptr;
}

// The strip's colour in the middle row at a fraction of its width.
COLORREF StripAt(HWND dialog, double fraction) {
  HWND strip = GetDlgItem(dialog, IDC_NIGHT_STRIP);
  RECT area;
  GetClientRect(strip, &area);
  HDC dc = GetDC(strip);
  const COLORREF colour = GetPixel(dc, static_cast<int>(area.right * fraction), area.bottom / 2);
  ReleaseDC(strip, dc);
  return colour;
}

class NightDialogInProcess : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(LanguageArchive::Load()); }
  // The dialog over `choices` while `steps` work it from a second thread; true on OK.
  bool Run(std::function<void(HWND)> steps) {
    HANDLE thread = CreateThread(nullptr, 0, Drive, &steps, 0, nullptr);
    const bool ok = ShowNightDialog(nullptr, &choices, preview, kNow, kZone);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return ok;
  }
  NightChoices choices{{}, {{u"1 - Display1", true}, {u"2 - Display2", false}}};
  RecordingPreview preview;
};

// Each slider shows its look at once; Cancel puts back what is due and changes nothing.
TEST_F(NightDialogInProcess, SlidersPreviewAndCancelPutsTheLookBack) {
  std::vector<std::string> seen;
  EXPECT_FALSE(Run([&](HWND dialog) {
    EXPECT_EQ(Text(dialog, IDC_NIGHT_KELVIN_VALUE), "3400 K");
    EXPECT_EQ(Text(dialog, IDC_NIGHT_TODAY), "Tonight: " + Clock(21, 0) + " to " + Clock(7, 0));
    EXPECT_EQ(Text(dialog, IDC_NIGHT_DISPLAY_FIRST + 1), "Night mode on this display: 2 - Display2");
    MoveSlider(dialog, IDC_NIGHT_KELVIN, 27);
    seen = preview.events;
    MoveSlider(dialog, IDC_NIGHT_BRIGHTNESS, -30);
    EXPECT_EQ(Text(dialog, IDC_NIGHT_KELVIN_VALUE) + ", " + Text(dialog, IDC_NIGHT_BRIGHTNESS_VALUE), "2700 K, -30 %");
    ClickButton(dialog, IDCANCEL);
  }));
  EXPECT_EQ(seen, (std::vector<std::string>{"preview 2700 K 0 %"})) << "shown before Cancel";
  EXPECT_EQ(preview.events, (std::vector<std::string>{"preview 2700 K 0 %", "preview 2700 K -30 %", "end"}));
  EXPECT_TRUE(choices.settings.temperature == 3400 && choices.settings.brightness == 0) << "nothing taken";
}

// The schedule line and the strip follow the controls; OK hands back what they hold.
TEST_F(NightDialogInProcess, OkTakesTheScheduleTheBoxesAndTheDisplays) {
  EXPECT_TRUE(Run([&](HWND dialog) {
    ClickButton(dialog, IDC_NIGHT_ON);
    // 3400 K is (1, 0.7690, 0.5241) of white.
    EXPECT_TRUE(WaitUntil([&] { return StripAt(dialog, 3.5 / 24) == RGB(255, 196, 134); }, 5000)) << "03:30";
    SYSTEMTIME start = {2026, 12, 2, 8, 22, 30, 0, 0};
    SendDlgItemMessageW(dialog, IDC_NIGHT_START, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&start));
    NMDATETIMECHANGE change = {
        {GetDlgItem(dialog, IDC_NIGHT_START), IDC_NIGHT_START, DTN_DATETIMECHANGE}, GDT_VALID, start};
    SendMessageW(dialog, WM_NOTIFY, IDC_NIGHT_START, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(Text(dialog, IDC_NIGHT_TODAY), "Tonight: " + Clock(22, 30) + " to " + Clock(7, 0));
    EXPECT_TRUE(WaitUntil([&] { return StripAt(dialog, 22.0 / 24) == RGB(255, 255, 255); }, 5000))
        << "22:00 is day now";
    SetDlgItemTextW(dialog, IDC_NIGHT_CHANGE, L"45");
    ClickButton(dialog, IDC_NIGHT_FULL_SCREEN);
    ClickButton(dialog, IDC_NIGHT_DISPLAY_FIRST);
    ClickButton(dialog, IDC_NIGHT_DISPLAY_FIRST + 1);
    ClickButton(dialog, IDOK);
  }));
  const NightSchedule& schedule = choices.settings.schedule;
  EXPECT_TRUE(schedule.on && choices.settings.pauseFullScreen);
  EXPECT_EQ(schedule.startMinute, 22 * 60 + 30);
  EXPECT_EQ(schedule.endMinute, 7 * 60);
  EXPECT_EQ(schedule.transitionMinutes, 45);
  EXPECT_TRUE(!choices.displays[0].on && choices.displays[1].on);
  EXPECT_TRUE(preview.events.empty()) << "no slider moved: nothing to put back";
}

// One display: no check box. A latitude beyond 90 keeps the dialog open with the latitude
// focused; 52.5 then goes through.
TEST_F(NightDialogInProcess, SunScheduleRefusesALatitudeBeyondThePole) {
  choices.displays.pop_back();
  EXPECT_TRUE(Run([&](HWND dialog) {
    EXPECT_EQ(GetDlgItem(dialog, IDC_NIGHT_DISPLAY_FIRST), nullptr);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_NIGHT_DISPLAYS)));
    ClickButton(dialog, IDC_NIGHT_SUN);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_NIGHT_CLOCK), BST_UNCHECKED) << "one schedule at a time";
    SetDlgItemTextW(dialog, IDC_NIGHT_LATITUDE, L"91");
    SetDlgItemTextW(dialog, IDC_NIGHT_LONGITUDE, L"13.4");
    EXPECT_EQ(Text(dialog, IDC_NIGHT_TODAY), "Enter the latitude and the longitude to see today's sunset and sunrise");
    // Posted: a message box, where the edit has no balloon, would hold a sent click.
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] {
      if (HWND box = BoxBeside(dialog)) PostCommand(box, IDOK);
      GUITHREADINFO focus = {sizeof focus};
      GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &focus);
      return focus.hwndFocus == GetDlgItem(dialog, IDC_NIGHT_LATITUDE) && BoxBeside(dialog) == nullptr;
    })) << "refused: still open, the latitude focused";
    SetDlgItemTextW(dialog, IDC_NIGHT_LATITUDE, L"52.5");
    EXPECT_EQ(Text(dialog, IDC_NIGHT_TODAY).rfind("Today: sunset ", 0), 0u) << Text(dialog, IDC_NIGHT_TODAY);
    ClickButton(dialog, IDOK);
  }));
  const NightSchedule& schedule = choices.settings.schedule;
  EXPECT_TRUE(schedule.sun && schedule.haveLocation);
  EXPECT_DOUBLE_EQ(schedule.latitude, 52.5);
  EXPECT_DOUBLE_EQ(schedule.longitude, 13.4);
}

}  // namespace
