// The night-mode dialog, shown inside this test program with its template, the language archive
// and the common controls Glowmere.exe carries: ShowNightDialog's modal loop runs on the test's
// thread while a second thread finds the dialog by its caption and works its controls.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/win32_text.h"
#include "dialog/night_dialog_win32.h"
#include "harness.h"
#include "i18n/language_archive.h"
#include "i18n/string_table.h"
#include "res/resource_ids.h"
#include "text_ids.h"

namespace {

using e2e::ItemText;

class FixedZone final : public TimeZonePort {
 public:
  int OffsetMinutesAt(int64_t) const override { return 60; }
};
const FixedZone kZone;
const int64_t kNow = DaysFromCivil({2026, 12, 8}) * kSecondsPerDay + 14 * 3600;  // 15:00 local

class RecordingPreview final : public NightPreviewPort {
 public:
  void Preview(const NightLook& look) override {
    events.push_back("preview " + std::to_string(static_cast<int>(look.kelvin)) + " K " +
                     std::to_string(static_cast<int>(look.brightness)) + " %");
  }
  void EndPreview() override { events.push_back("end"); }
  std::vector<std::string> events;
};

struct Driver {
  std::function<void(HWND)> steps;
};

// Finds the dialog, runs the steps, and cancels a dialog the steps left open so the test ends.
DWORD WINAPI Drive(void* param) {
  const Driver& driver = *static_cast<Driver*>(param);
  HWND dialog = nullptr;
  e2e::WaitUntil([&] {
    return (dialog = FindWindowW(L"#32770", W(StringTable::Text(kTextNightMode)))) != nullptr &&
           IsWindowVisible(dialog);
  });
  if (dialog == nullptr) return 1;
  driver.steps(dialog);
  if (!e2e::WaitUntil([&] { return !IsWindow(dialog); }, 5000)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  return 0;
}

bool RunDialog(NightChoices* choices, NightPreviewPort& preview, const std::function<void(HWND)>& steps) {
  Driver driver{steps};
  HANDLE thread = CreateThread(nullptr, 0, Drive, &driver, 0, nullptr);
  const bool ok = ShowNightDialog(nullptr, choices, preview, kNow, kZone);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return ok;
}

std::string Text(HWND dialog, int id) { return e2e::Narrow(ItemText(dialog, id)); }

std::string Clock(int hour, int minute) {
  SYSTEMTIME time = {2000, 1, 0, 1, static_cast<WORD>(hour), static_cast<WORD>(minute), 0, 0};
  wchar_t text[64] = {};
  GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, text, 64);
  return e2e::Narrow(text);
}

struct BoxSearch {
  HWND dialog, box;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<BoxSearch*>(param);
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (window != search->dialog && IsWindowVisible(window) && std::wstring(name) == L"#32770") search->box = window;
  return search->box == nullptr;
}

// A message box of the dialog's thread, if one is up.
HWND BoxBeside(HWND dialog) {
  BoxSearch search = {dialog, nullptr};
  EnumThreadWindows(GetWindowThreadProcessId(dialog, nullptr), FindBox, reinterpret_cast<LPARAM>(&search));
  return search.box;
}

HWND FocusOf(HWND dialog) {
  GUITHREADINFO info = {sizeof info};
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
  return info.hwndFocus;
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

NightChoices TwoDisplays() {
  NightChoices choices;
  choices.displays = {{u"1 - Display1", true}, {u"2 - Display2", false}};
  return choices;
}

class NightDialogInProcess : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(LanguageArchive::Load()); }
};

// Each slider shows its look at once; Cancel puts back what is due and changes nothing.
TEST_F(NightDialogInProcess, SlidersPreviewAndCancelPutsTheLookBack) {
  NightChoices choices = TwoDisplays();
  RecordingPreview preview;
  std::vector<std::string> seen;
  const bool ok = RunDialog(&choices, preview, [&](HWND dialog) {
    EXPECT_EQ(Text(dialog, IDC_NIGHT_KELVIN_VALUE), "3400 K");
    EXPECT_EQ(Text(dialog, IDC_NIGHT_BRIGHTNESS_VALUE), "0 %");
    EXPECT_EQ(Text(dialog, IDC_NIGHT_TODAY), "Tonight: " + Clock(21, 0) + " to " + Clock(7, 0));
    EXPECT_EQ(Text(dialog, IDC_NIGHT_DISPLAY_FIRST + 1), "Night mode on this display: 2 - Display2");
    e2e::MoveSlider(dialog, IDC_NIGHT_KELVIN, 27);
    seen = preview.events;
    e2e::MoveSlider(dialog, IDC_NIGHT_BRIGHTNESS, -30);
    EXPECT_EQ(Text(dialog, IDC_NIGHT_KELVIN_VALUE), "2700 K");
    EXPECT_EQ(Text(dialog, IDC_NIGHT_BRIGHTNESS_VALUE), "-30 %");
    e2e::ClickButton(dialog, IDCANCEL);
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(seen, (std::vector<std::string>{"preview 2700 K 0 %"})) << "shown before Cancel";
  EXPECT_EQ(preview.events, (std::vector<std::string>{"preview 2700 K 0 %", "preview 2700 K -30 %", "end"}));
  const NightChoices untouched = TwoDisplays();
  EXPECT_EQ(choices.settings.temperature, untouched.settings.temperature);
  EXPECT_EQ(choices.settings.brightness, untouched.settings.brightness);
  EXPECT_FALSE(choices.settings.schedule.on);
  EXPECT_FALSE(choices.displays[1].on);
}

TEST_F(NightDialogInProcess, CloseBoxEndsThePreviewToo) {
  NightChoices choices = TwoDisplays();
  RecordingPreview preview;
  const bool ok = RunDialog(&choices, preview, [&](HWND dialog) {
    e2e::MoveSlider(dialog, IDC_NIGHT_BRIGHTNESS, -50);
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(preview.events, (std::vector<std::string>{"preview 3400 K -50 %", "end"}));
  EXPECT_EQ(choices.settings.brightness, 0);
}

// The schedule line and the strip follow the controls; OK hands back what they hold.
TEST_F(NightDialogInProcess, OkTakesTheScheduleTheBoxesAndTheDisplays) {
  NightChoices choices = TwoDisplays();
  RecordingPreview preview;
  const bool ok = RunDialog(&choices, preview, [&](HWND dialog) {
    e2e::ClickButton(dialog, IDC_NIGHT_ON);
    // 03:00 is night, 10:00 day; 3400 K is (1, 0.7690, 0.5241) of white.
    EXPECT_TRUE(e2e::WaitUntil([&] { return StripAt(dialog, 3.5 / 24) == RGB(255, 196, 134); }, 5000));
    EXPECT_EQ(StripAt(dialog, 10.0 / 24), RGB(255, 255, 255));
    SYSTEMTIME start = {};
    SendDlgItemMessageW(dialog, IDC_NIGHT_START, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&start));
    start.wHour = 22;
    start.wMinute = 30;
    SendDlgItemMessageW(dialog, IDC_NIGHT_START, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&start));
    NMDATETIMECHANGE change = {
        {GetDlgItem(dialog, IDC_NIGHT_START), IDC_NIGHT_START, DTN_DATETIMECHANGE}, GDT_VALID, start};
    SendMessageW(dialog, WM_NOTIFY, IDC_NIGHT_START, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(Text(dialog, IDC_NIGHT_TODAY), "Tonight: " + Clock(22, 30) + " to " + Clock(7, 0));
    EXPECT_TRUE(e2e::WaitUntil([&] { return StripAt(dialog, 22.0 / 24) == RGB(255, 255, 255); }, 5000))
        << "22:00 is day now";
    SetDlgItemTextW(dialog, IDC_NIGHT_CHANGE, L"45");
    e2e::ClickButton(dialog, IDC_NIGHT_FULL_SCREEN);
    e2e::ClickButton(dialog, IDC_NIGHT_DISPLAY_FIRST);
    e2e::ClickButton(dialog, IDC_NIGHT_DISPLAY_FIRST + 1);
    e2e::ClickButton(dialog, IDOK);
  });
  EXPECT_TRUE(ok);
  const NightSchedule& schedule = choices.settings.schedule;
  EXPECT_TRUE(schedule.on);
  EXPECT_FALSE(schedule.sun);
  EXPECT_EQ(schedule.startMinute, 22 * 60 + 30);
  EXPECT_EQ(schedule.endMinute, 7 * 60);
  EXPECT_EQ(schedule.transitionMinutes, 45);
  EXPECT_TRUE(choices.settings.pauseFullScreen);
  EXPECT_FALSE(choices.displays[0].on);
  EXPECT_TRUE(choices.displays[1].on);
  EXPECT_TRUE(preview.events.empty()) << "no slider moved: nothing to put back";
}

// A latitude beyond 90 keeps the dialog open with the latitude focused; 52.5 then goes through.
TEST_F(NightDialogInProcess, SunScheduleRefusesALatitudeBeyondThePole) {
  NightChoices choices;
  choices.displays = {{u"1 - Display1", true}};
  RecordingPreview preview;
  const bool ok = RunDialog(&choices, preview, [&](HWND dialog) {
    EXPECT_EQ(GetDlgItem(dialog, IDC_NIGHT_DISPLAY_FIRST), nullptr) << "one display: no check box";
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_NIGHT_DISPLAYS)));
    e2e::ClickButton(dialog, IDC_NIGHT_SUN);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_NIGHT_CLOCK), BST_UNCHECKED) << "one schedule at a time";
    SetDlgItemTextW(dialog, IDC_NIGHT_LATITUDE, L"91");
    SetDlgItemTextW(dialog, IDC_NIGHT_LONGITUDE, L"13.4");
    EXPECT_EQ(Text(dialog, IDC_NIGHT_TODAY), "Enter the latitude and the longitude to see today's sunset and sunrise");
    // Posted: a message box, where the edit has no balloon, would hold a sent click.
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    HWND latitude = GetDlgItem(dialog, IDC_NIGHT_LATITUDE);
    EXPECT_TRUE(e2e::WaitUntil([&] {
      if (HWND box = BoxBeside(dialog)) e2e::PostCommand(box, IDOK);
      return FocusOf(dialog) == latitude && BoxBeside(dialog) == nullptr;
    }));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "refused: still open";
    SetDlgItemTextW(dialog, IDC_NIGHT_LATITUDE, L"52.5");
    EXPECT_EQ(Text(dialog, IDC_NIGHT_TODAY).rfind("Today: sunset ", 0), 0u) << Text(dialog, IDC_NIGHT_TODAY);
    e2e::ClickButton(dialog, IDOK);
  });
  EXPECT_TRUE(ok);
  EXPECT_TRUE(choices.settings.schedule.sun);
  EXPECT_TRUE(choices.settings.schedule.haveLocation);
  EXPECT_DOUBLE_EQ(choices.settings.schedule.latitude, 52.5);
  EXPECT_DOUBLE_EQ(choices.settings.schedule.longitude, 13.4);
}

}  // namespace
