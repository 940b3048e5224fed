#include "dialog/night_dialog_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "common/win32_text.h"
#include "dialog/night_dialog_controls_win32.h"
#include "dialog/night_dialog_text.h"
#include "res/resource_ids.h"
#include "text_ids.h"

namespace {

// What the open dialog works with; its address rides in DWLP_USER.
struct NightDialog {
  NightChoices* choices;
  NightPreviewPort* preview;
  int64_t nowUtc;
  const TimeZonePort* zone;
  char16_t separator = u'.';
  bool previewing = false;  // the screen shows the sliders' look: what is due goes back on closing
  NightLook previewed;
};

constexpr struct {
  int control, text;
} kLabels[] = {
    {IDC_NIGHT_ON, kTextNightOn},
    {IDC_NIGHT_CLOCK, kTextNightByClock},
    {IDC_NIGHT_TO, kTextNightClockTo},
    {IDC_NIGHT_SUN, kTextNightBySun},
    {IDC_NIGHT_LONGITUDE_LABEL, kTextNightLongitude},
    {IDC_NIGHT_KELVIN_LABEL, kTextNightTemperature},
    {IDC_NIGHT_BRIGHTNESS_LABEL, kTextNightBrightness},
    {IDC_NIGHT_CHANGE_LABEL, kTextNightChangeOver},
    {IDC_NIGHT_MINUTES, kTextNightMinutes},
    {IDC_NIGHT_FULL_SCREEN, kTextNightFullScreen},
    {IDC_NIGHT_DISPLAYS, kTextNightDisplays},
    {IDOK, kTextOk},
    {IDCANCEL, kTextCancel},
};

constexpr int kMaxTransition = 120;

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
void SetCheck(HWND dialog, int id, bool on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }
int Position(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageW(dialog, id, TBM_GETPOS, 0, 0)); }

void SetSlider(HWND dialog, int id, int min, int max, int position) {
  position = std::clamp(position, min, max);
  SendDlgItemMessageW(dialog, id, TBM_SETRANGEMIN, FALSE, min);
  SendDlgItemMessageW(dialog, id, TBM_SETRANGEMAX, FALSE, max);
  // Wine's slider places its thumb anew only when the position changes: 0, its first position,
  // would stay drawn where the old range had it.
  SendDlgItemMessageW(dialog, id, TBM_SETPOS, FALSE, position == min ? max : min);
  SendDlgItemMessageW(dialog, id, TBM_SETPOS, TRUE, position);
}

std::u16string ItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  std::u16string text(static_cast<size_t>(GetWindowTextLengthW(item)) + 1, u'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(item, reinterpret_cast<wchar_t*>(&text[0]), static_cast<int>(text.size()))));
  return text;
}

// The look the two sliders set: the temperature in steps of 100 K, the brightness in percent.
NightLook SliderLook(HWND dialog) {
  return {static_cast<double>(Position(dialog, IDC_NIGHT_KELVIN) * kNightKelvinStep),
          static_cast<double>(Position(dialog, IDC_NIGHT_BRIGHTNESS))};
}

enum class Typed { Empty, Valid, Refused };

Typed ReadDegrees(HWND dialog, int id, char16_t separator, double* degrees) {
  const std::u16string text = ItemText(dialog, id);
  if (text.find_first_not_of(u' ') == std::u16string::npos) return Typed::Empty;
  const double limit = id == IDC_NIGHT_LATITUDE ? 90 : 180;
  return ParseDegrees(text, separator, limit, degrees) ? Typed::Valid : Typed::Refused;
}

// The settings as the controls show them, for the schedule line and the strip; a value that cannot
// be read stands as the dialog found it, and the location counts only with both degrees readable.
NightSettings ShownSettings(HWND dialog, const NightDialog& state) {
  NightSettings settings = state.choices->settings;
  NightSchedule& schedule = settings.schedule;
  schedule.on = Checked(dialog, IDC_NIGHT_ON);
  schedule.sun = Checked(dialog, IDC_NIGHT_SUN);
  const int start = PickedMinute(GetDlgItem(dialog, IDC_NIGHT_START));
  const int end = PickedMinute(GetDlgItem(dialog, IDC_NIGHT_END));
  if (start >= 0) schedule.startMinute = start;
  if (end >= 0) schedule.endMinute = end;
  double latitude = 0, longitude = 0;
  schedule.haveLocation = ReadDegrees(dialog, IDC_NIGHT_LATITUDE, state.separator, &latitude) == Typed::Valid &&
                          ReadDegrees(dialog, IDC_NIGHT_LONGITUDE, state.separator, &longitude) == Typed::Valid;
  if (schedule.haveLocation) {
    schedule.latitude = latitude;
    schedule.longitude = longitude;
  }
  ParseTransitionMinutes(ItemText(dialog, IDC_NIGHT_CHANGE), &schedule.transitionMinutes);
  const NightLook look = SliderLook(dialog);
  settings.temperature = static_cast<int>(look.kelvin);
  settings.brightness = static_cast<int>(look.brightness);
  settings.pauseFullScreen = Checked(dialog, IDC_NIGHT_FULL_SCREEN);
  return settings;
}

void ShowSliderLabels(HWND dialog) {
  const NightLook look = SliderLook(dialog);
  SetDlgItemTextW(dialog, IDC_NIGHT_KELVIN_VALUE, W(KelvinLabel(static_cast<int>(look.kelvin), NightText)));
  SetDlgItemTextW(dialog, IDC_NIGHT_BRIGHTNESS_VALUE, W(BrightnessLabel(static_cast<int>(look.brightness), NightText)));
}

// The schedule line and the strip follow every change of the controls.
void ShowSchedule(HWND dialog, const NightDialog& state) {
  const NightSettings settings = ShownSettings(dialog, state);
  SetDlgItemTextW(dialog, IDC_NIGHT_TODAY,
                  W(ScheduleLine(settings.schedule, state.nowUtc, *state.zone, NightText, UserClock)));
  // Greyed while night mode is off: the schedule is kept, but nothing follows it.
  EnableWindow(GetDlgItem(dialog, IDC_NIGHT_TODAY), settings.schedule.on);
  InvalidateRect(GetDlgItem(dialog, IDC_NIGHT_STRIP), nullptr, FALSE);
}

// Every move of a slider shows its look on the screen at once; an unchanged look is not sent again.
void OnSlider(HWND dialog, NightDialog& state) {
  ShowSliderLabels(dialog);
  const NightLook look = SliderLook(dialog);
  if (!state.previewing || look.kelvin != state.previewed.kelvin || look.brightness != state.previewed.brightness) {
    state.preview->Preview(look);
    state.previewing = true;
    state.previewed = look;
  }
  InvalidateRect(GetDlgItem(dialog, IDC_NIGHT_STRIP), nullptr, FALSE);
}

// A value that cannot be taken is pointed out when the user leaves its edit; OK refuses it.
void PointOutUnreadable(HWND dialog, const NightDialog& state, int id) {
  double degrees = 0;
  int minutes = 0;
  if (id == IDC_NIGHT_CHANGE) {
    const std::u16string text = ItemText(dialog, id);
    if (!text.empty() && !ParseTransitionMinutes(text, &minutes)) {
      ShowRefusal(GetDlgItem(dialog, id), kTextNightBadMinutes, false);
    }
  } else if (ReadDegrees(dialog, id, state.separator, &degrees) == Typed::Refused) {
    ShowRefusal(GetDlgItem(dialog, id), id == IDC_NIGHT_LATITUDE ? kTextNightBadLatitude : kTextNightBadLongitude,
                false);
  }
}

// Keeps the dialog open with the refused value's edit focused and its text selected.
bool Refuse(HWND dialog, int id, int textId) {
  HWND edit = GetDlgItem(dialog, id);
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  ShowRefusal(edit, textId, true);
  return false;
}

// On OK: what the controls hold goes into the choices, unless a value is refused (the first in
// reading order). A location needs both degrees, and the sun schedule needs a location.
bool TakeChoices(HWND dialog, NightDialog& state) {
  double degrees = 0;
  int minutes = 0;
  const Typed latitude = ReadDegrees(dialog, IDC_NIGHT_LATITUDE, state.separator, &degrees);
  const Typed longitude = ReadDegrees(dialog, IDC_NIGHT_LONGITUDE, state.separator, &degrees);
  const bool located = Checked(dialog, IDC_NIGHT_SUN) || latitude != Typed::Empty || longitude != Typed::Empty;
  if (latitude == Typed::Refused || (located && latitude == Typed::Empty)) {
    return Refuse(dialog, IDC_NIGHT_LATITUDE, kTextNightBadLatitude);
  }
  if (longitude == Typed::Refused || (located && longitude == Typed::Empty)) {
    return Refuse(dialog, IDC_NIGHT_LONGITUDE, kTextNightBadLongitude);
  }
  if (!ParseTransitionMinutes(ItemText(dialog, IDC_NIGHT_CHANGE), &minutes)) {
    return Refuse(dialog, IDC_NIGHT_CHANGE, kTextNightBadMinutes);
  }
  state.choices->settings = ShownSettings(dialog, state);
  for (size_t i = 0; i < state.choices->displays.size(); ++i) {
    const int id = IDC_NIGHT_DISPLAY_FIRST + static_cast<int>(i);
    if (id <= IDC_NIGHT_DISPLAY_LAST && GetDlgItem(dialog, id) != nullptr) {
      state.choices->displays[i].on = Checked(dialog, id);
    }
  }
  return true;
}

void Close(HWND dialog, NightDialog& state, bool ok) {
  if (state.previewing) state.preview->EndPreview();
  EndDialog(dialog, ok ? IDOK : IDCANCEL);
}

BOOL OnInitDialog(HWND dialog, NightDialog* state) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
  state->separator = UserDecimalSeparator();
  SetWindowTextW(dialog, W(NightText(kTextNightMode)));
  for (const auto& label : kLabels) SetDlgItemTextW(dialog, label.control, W(NightText(label.text)));

  const NightSettings& settings = state->choices->settings;
  const NightSchedule& schedule = settings.schedule;
  SetCheck(dialog, IDC_NIGHT_ON, schedule.on);
  SetCheck(dialog, schedule.sun ? IDC_NIGHT_SUN : IDC_NIGHT_CLOCK, true);
  SetUpTimePicker(GetDlgItem(dialog, IDC_NIGHT_START), std::clamp(schedule.startMinute, 0, kMinutesPerDay - 1));
  SetUpTimePicker(GetDlgItem(dialog, IDC_NIGHT_END), std::clamp(schedule.endMinute, 0, kMinutesPerDay - 1));
  if (schedule.haveLocation) {
    SetDlgItemTextW(dialog, IDC_NIGHT_LATITUDE, W(DegreesText(schedule.latitude, state->separator)));
    SetDlgItemTextW(dialog, IDC_NIGHT_LONGITUDE, W(DegreesText(schedule.longitude, state->separator)));
  }
  SetSlider(dialog, IDC_NIGHT_KELVIN, kNightKelvinMin / kNightKelvinStep, kNightKelvinMax / kNightKelvinStep,
            (settings.temperature + kNightKelvinStep / 2) / kNightKelvinStep);
  SetSlider(dialog, IDC_NIGHT_BRIGHTNESS, static_cast<int>(kNightBrightnessMin), 0, settings.brightness);
  SendDlgItemMessageW(dialog, IDC_NIGHT_CHANGE_SPIN, UDM_SETRANGE32, 0, kMaxTransition);
  SendDlgItemMessageW(dialog, IDC_NIGHT_CHANGE_SPIN, UDM_SETPOS32, 0,
                      std::clamp(schedule.transitionMinutes, 0, kMaxTransition));
  SetCheck(dialog, IDC_NIGHT_FULL_SCREEN, settings.pauseFullScreen);
  AddDisplayChecks(dialog, state->choices->displays);
  ShowSliderLabels(dialog);
  ShowSchedule(dialog, *state);
  return TRUE;
}

BOOL OnCommand(HWND dialog, NightDialog& state, int id, int code) {
  switch (id) {
    case IDOK:
      if (TakeChoices(dialog, state)) Close(dialog, state, true);
      return TRUE;
    case IDCANCEL:  // also the close box and Esc
      Close(dialog, state, false);
      return TRUE;
    case IDC_NIGHT_CLOCK:
    case IDC_NIGHT_SUN:
      if (code != BN_CLICKED) return TRUE;
      // Cleared here too: with the pickers and edits between the two in one group, Wine leaves the
      // other button checked.
      SetCheck(dialog, id == IDC_NIGHT_CLOCK ? IDC_NIGHT_SUN : IDC_NIGHT_CLOCK, false);
      ShowSchedule(dialog, state);
      return TRUE;
    case IDC_NIGHT_ON:
      if (code == BN_CLICKED) ShowSchedule(dialog, state);
      return TRUE;
    case IDC_NIGHT_LATITUDE:
    case IDC_NIGHT_LONGITUDE:
    case IDC_NIGHT_CHANGE:
      if (code == EN_CHANGE) ShowSchedule(dialog, state);
      if (code == EN_KILLFOCUS) PointOutUnreadable(dialog, state, id);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK NightDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return OnInitDialog(dialog, reinterpret_cast<NightDialog*>(lParam));
  auto* state = reinterpret_cast<NightDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (state == nullptr) return FALSE;  // messages before WM_INITDIALOG
  switch (message) {
    case WM_COMMAND:
      return OnCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam));
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_NIGHT_KELVIN) ||
          reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_NIGHT_BRIGHTNESS)) {
        OnSlider(dialog, *state);
      }
      return TRUE;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code == DTN_DATETIMECHANGE) ShowSchedule(dialog, *state);
      return FALSE;
    case WM_DRAWITEM:
      if (wParam != IDC_NIGHT_STRIP) return FALSE;
      DrawNightStrip(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), ShownSettings(dialog, *state), state->nowUtc,
                     *state->zone);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

bool ShowNightDialog(HWND owner, NightChoices* choices, NightPreviewPort& preview, int64_t nowUtc,
                     const TimeZonePort& zone) {
  // The template's time pickers, sliders and up-down control need their classes before it is made.
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_DATE_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&classes);
  NightDialog state{choices, &preview, nowUtc, &zone, u'.', false, NightLook{}};
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_NIGHT), owner, NightDialogProc,
                         reinterpret_cast<LPARAM>(&state)) == IDOK;
}
