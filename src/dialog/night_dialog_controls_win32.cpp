#include "dialog/night_dialog_controls_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "common/win32_text.h"
#include "dialog/night_dialog_text.h"
#include "i18n/string_table.h"
#include "res/resource_ids.h"
#include "text_ids.h"

namespace {

// The displays group in dialog units, as the template measures: the first check box below the
// group's title, one per row, a margin under the last, and the gap from the group to the buttons.
constexpr int kFirstCheckTop = 11, kRowHeight = 12, kCheckHeight = 10, kCheckIndent = 8;
constexpr int kGroupBottom = 4, kGapToButtons = 4;

int DownPixels(HWND dialog, int units) {
  RECT rect = {0, 0, 0, units};
  MapDialogRect(dialog, &rect);
  return rect.bottom;
}

int AcrossPixels(HWND dialog, int units) {
  RECT rect = {0, 0, units, 0};
  MapDialogRect(dialog, &rect);
  return rect.right;
}

RECT ChildRect(HWND dialog, HWND child) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void MoveDown(HWND dialog, int id, int pixels) {
  HWND child = GetDlgItem(dialog, id);
  const RECT rect = ChildRect(dialog, child);
  SetWindowPos(child, nullptr, rect.left, rect.top + pixels, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

std::u16string NightText(int id) {
  const char16_t* text = StringTable::Text(id);
  return text ? text : u"";
}

std::u16string UserClock(int minute) {
  SYSTEMTIME time = {};
  time.wYear = 2000;
  time.wMonth = 1;
  time.wDay = 1;
  time.wHour = static_cast<WORD>(minute / 60);
  time.wMinute = static_cast<WORD>(minute % 60);
  wchar_t text[64];
  if (GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, text, 64) == 0) {
    return FormatClock(minute);
  }
  return U16(text);
}

char16_t UserDecimalSeparator() {
  wchar_t separator[8] = {};
  // The count includes the terminating zero.
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 2) return U(separator)[0];
  return u'.';
}

void SetUpTimePicker(HWND picker, int minute) {
  wchar_t format[80];
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTTIME, format, 80) > 0) {
    SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(format));
  }
  SYSTEMTIME time = {};
  GetLocalTime(&time);  // a date the picker accepts; only the time is shown and read
  time.wHour = static_cast<WORD>(minute / 60);
  time.wMinute = static_cast<WORD>(minute % 60);
  time.wSecond = 0;
  time.wMilliseconds = 0;
  SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

int PickedMinute(HWND picker) {
  SYSTEMTIME time = {};
  if (SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID) return -1;
  return time.wHour * 60 + time.wMinute;
}

void AddDisplayChecks(HWND dialog, const std::vector<NightDisplayChoice>& displays) {
  if (displays.size() < 2) return;
  const int count =
      static_cast<int>(std::min<size_t>(displays.size(), IDC_NIGHT_DISPLAY_LAST - IDC_NIGHT_DISPLAY_FIRST + 1));
  HWND group = GetDlgItem(dialog, IDC_NIGHT_DISPLAYS);
  const RECT groupRect = ChildRect(dialog, group);
  const int indent = AcrossPixels(dialog, kCheckIndent);
  const WPARAM font = static_cast<WPARAM>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  HWND previous = group;
  for (int i = 0; i < count; ++i) {
    HWND check = CreateWindowExW(0, L"BUTTON", W(DisplayCheckLabel(displays[static_cast<size_t>(i)].label, NightText)),
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, groupRect.left + indent,
                                 groupRect.top + DownPixels(dialog, kFirstCheckTop + i * kRowHeight),
                                 groupRect.right - groupRect.left - 2 * indent, DownPixels(dialog, kCheckHeight),
                                 dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_NIGHT_DISPLAY_FIRST + i)),
                                 GetModuleHandleW(nullptr), nullptr);
    if (check == nullptr) break;
    SendMessageW(check, WM_SETFONT, font, FALSE);
    SendMessageW(check, BM_SETCHECK, displays[static_cast<size_t>(i)].on ? BST_CHECKED : BST_UNCHECKED, 0);
    // Tab follows the windows' order: each box after the group or the box above it, before OK.
    SetWindowPos(check, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = check;
  }
  const int groupHeight = DownPixels(dialog, kFirstCheckTop + count * kRowHeight + kGroupBottom);
  SetWindowPos(group, nullptr, 0, 0, groupRect.right - groupRect.left, groupHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  // OK and Cancel stood where the group now is; the dialog grows by as much and stays centred.
  const int shift =
      groupRect.top + groupHeight + DownPixels(dialog, kGapToButtons) - ChildRect(dialog, GetDlgItem(dialog, IDOK)).top;
  MoveDown(dialog, IDOK, shift);
  MoveDown(dialog, IDCANCEL, shift);
  RECT window = {};
  GetWindowRect(dialog, &window);
  SetWindowPos(dialog, nullptr, window.left, window.top - shift / 2, window.right - window.left,
               window.bottom - window.top + shift, SWP_NOZORDER | SWP_NOACTIVATE);
}

void DrawNightStrip(const DRAWITEMSTRUCT& item, const NightSettings& settings, int64_t nowUtc,
                    const TimeZonePort& zone) {
  const RECT& area = item.rcItem;
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  const LocalDate today = LocalDateAt(nowUtc, zone);
  HDC dc = item.hDC;
  const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
  const std::vector<StripColour> colours = StripColours(settings, today, zone, width);
  for (size_t x = 0; x < colours.size(); ++x) {
    SetDCBrushColor(dc, RGB(colours[x].red, colours[x].green, colours[x].blue));
    PatBlt(dc, area.left + static_cast<int>(x), area.top, 1, height, PATCOPY);
  }
  const StripMarks marks = StripMarksFor(today, nowUtc, zone, width);
  const int tick = std::max(2, height / 4);
  SetDCBrushColor(dc, RGB(96, 96, 96));
  for (int x : marks.hours) {
    PatBlt(dc, area.left + x, area.top, 1, tick, PATCOPY);
    PatBlt(dc, area.left + x, area.bottom - tick, 1, tick, PATCOPY);
  }
  if (marks.now >= 0) {
    SetDCBrushColor(dc, RGB(16, 16, 16));
    PatBlt(dc, area.left + marks.now, area.top, 1, height, PATCOPY);
  }
  SelectObject(dc, oldBrush);
}

void ShowRefusal(HWND edit, int textId, bool boxWithoutBalloon) {
  const std::u16string title = NightText(kTextNightMode), message = NightText(textId);
  EDITBALLOONTIP tip = {sizeof(tip), W(title), W(message), TTI_WARNING};
  if (SendMessageW(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip))) return;
  if (boxWithoutBalloon) MessageBoxW(GetParent(edit), W(message), W(title), MB_OK | MB_ICONWARNING);
}
