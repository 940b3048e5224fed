#include "app/main_dialog_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "app/app_state_win32.h"
#include "app/dialog_window_win32.h"
#include "app/night_mode_command_win32.h"
#include "app/start_trace.h"
#include "common/coalescer.h"
#include "common/window_timers_win32.h"
#include "dialog/dialog_levels_win32.h"
#include "gamma/display_events_win32.h"
#include "control/hotkeys_win32.h"
#include "control/level_handover_win32.h"
#include "control/night_mode_win32.h"
#include "common/exit_codes.h"
#include "dialog/menus_win32.h"
#include "extras/system_pages_win32.h"
#include "gamma/ramp_limit_offer_win32.h"
#include "settings/settings_writer_win32.h"
#include "common/window_ids.h"
#include "dialog/dialog_dpi_win32.h"
#include "dialog/slider_accessibility_win32.h"
#include "dialog/window_title.h"
#include "common/product_name.h"
#include "common/win32_text.h"
#include "extras/link_control_win32.h"
#include "extras/site_address.h"
#include "extras/uninstall_win32.h"
#include "gamma/color_levels.h"
#include "gamma/gamma_controller_win32.h"
#include "i18n/language_choice.h"
#include "i18n/string_table.h"
#include "i18n/translation_win32.h"
#include "settings/autostart_win32.h"
#include "settings/settings_file.h"
#include "tray/tray_icon_win32.h"
#include "text_ids.h"

namespace {

bool awayReported = false;  // the balloon for a hotkey aimed at a display that left
bool dialogReady = false;   // the start has run to the end: a second start may hand over levels
HWND brightnessSlider, redSlider, greenSlider, blueSlider, languageList;
std::u16string windowTitle;
UINT taskbarCreatedMessage = 0;

Coalescer applyCoalescer(kApplyTimer, 50);
// Displays report ready a moment after resume or power-on; one re-apply after the burst.
Coalescer reapplyCoalescer(kReapplyTimer, 300);

WindowTimers DialogTimers() { return WindowTimers(mainDialog); }

int SliderPos(HWND slider) { return static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0)); }

void SetItemText(HWND dialog, int id, int textId) {
  const char16_t* text = StringTable::Text(textId);
  SetDlgItemTextW(dialog, id, text ? W(text) : L"");
}

// The sliders' positions are the user's move: the model takes them and the sliders show it.
void ApplyLevels() {
  MoveSliders({SliderPos(brightnessSlider), SliderPos(redSlider), SliderPos(greenSlider), SliderPos(blueSlider)});
  ArmRampCheck(mainDialog);
}

// Puts the ramps the sliders show back on the displays, and nothing else. A display that
// refuses (some do right after the event) gets a few more tries by the timer.
void ReapplyRamps() {
  ForgetNightFloors();
  if (!ReapplyEveryDisplay()) {
    WindowTimers timers = DialogTimers();
    reapplyCoalescer.Retry(timers);
  }
  UpdateNightMode();  // resume and unlock may come after the change was due
}

bool ApplyRampsNow() { return ApplyRamps() != 0; }

void SetLevels(int level) {
  MoveSliders({level, level, level, level});
  ArmRampCheck(mainDialog);
}

// The texts in the current language; the menu items' icons too, except at the start, where
// they follow the first frame.
void ApplyTexts(bool menuIcons = true) {
  AttachLink(mainDialog, IDC_LINK, SiteAddress(currentLanguage), currentLanguage);
  BuildMenuBar(mainDialog);
  if (menuIcons) AddMenuIcons(mainDialog);
  SetItemText(mainDialog, IDC_AUTOSTART, kTextStartWithWindows);
  SetItemText(mainDialog, IDC_RESTORE, kTextRestoreAtStart);
  SetItemText(mainDialog, IDC_BRIGHTNESS_LABEL, kTextBrightness);
  SetItemText(mainDialog, IDC_RESET, kTextReset);
  SetItemText(mainDialog, IDC_EXIT, kTextExit);
  ApplyDisplayTexts();
  UpdateSliderAccessibility(mainDialog, true);
}

// A start that could not read the settings file shows neutral levels; once the file can be
// read, the levels it holds are taken, and shown on the displays if it restores them.
void TakeLevelsOfALateFile() {
  const bool restore = settingsFile.ReadInt(u"Start", u"setrgb", 0, -1, -1) != 0;
  SendDlgItemMessageW(mainDialog, IDC_RESTORE, BM_SETCHECK, restore ? BST_CHECKED : BST_UNCHECKED, 0);
  TakeLateLevels(restore);
}

// What the first frame shows: the levels on the displays and the sliders, the texts and the
// menus. The rest follows it in OnFinishStart, a few milliseconds later.
BOOL OnInitDialog(HWND dialog) {
  mainDialog = dialog;
  StartTrace("dialog created");
  InitSettingsWriter(dialog, TakeLevelsOfALateFile);
  if (!startHidden) ShowWindow(dialog, SW_SHOW);
  // The dialog is on screen from here; without this every text, icon and the menu bar set
  // below would repaint it piece by piece, which made the start about a fifth slower.
  const bool paintOnce = !startHidden;
  if (paintOnce) SendMessageW(dialog, WM_SETREDRAW, FALSE, 0);
  settingsFile.Init(ProductName());
  StartTrace("settings file found");
  settingsFile.BeginStartValues();
  RestoreLanguageChoice();
  StartTrace("language");
  SetWindowTextW(dialog, WindowTitle());
  StartTrace("settings file, language and caption");

  brightnessSlider = GetDlgItem(dialog, IDC_BRIGHTNESS);
  redSlider = GetDlgItem(dialog, IDC_RED);
  greenSlider = GetDlgItem(dialog, IDC_GREEN);
  blueSlider = GetDlgItem(dialog, IDC_BLUE);
  for (HWND slider : {brightnessSlider, redSlider, greenSlider, blueSlider}) {
    SendMessageW(slider, TBM_SETRANGEMIN, FALSE, kLevelMin);
    SendMessageW(slider, TBM_SETRANGEMAX, FALSE, kLevelMax);
  }
  const int restore = settingsFile.ReadInt(u"Start", u"setrgb", 0, -1, -1);
  StartLevels(dialog, restore != 0);
  StartTrace("displays and levels");
  // Any non-zero value restores; 2 would show the box as indeterminate.
  SendDlgItemMessageW(dialog, IDC_RESTORE, BM_SETCHECK, restore != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
  if (IsAutostartSet(W(ProductName()))) SendDlgItemMessageW(dialog, IDC_AUTOSTART, BM_SETCHECK, 1, 0);

  languageList = GetDlgItem(dialog, IDC_LANGUAGES);
  ApplyTexts(false);
  StartTrace("texts, link and menus");
  if (paintOnce) {
    SendMessageW(dialog, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(dialog, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
  // The start moves nothing: the displays get what the model holds, and nothing is stored.
  // Night mode's layer is in place first, so a start at night never shows the day's ramp.
  // The sliders show it last: a filled value label means the dialog is up.
  StartNightMode({dialog, ApplyRampsNow, SetRampLayer});
  ApplyRamps();
  ShowLevels();
  StartTrace("ramps and sliders");
  PostMessageW(dialog, kFinishStartMessage, 0, 0);
  return TRUE;
}

// Posted messages come before input: nothing the user does runs between the first frame
// and this.
void OnFinishStart(HWND dialog) {
  ApplyDialogDpi(dialog);
  AddMenuIcons(dialog);
  trayIcon.SetWindow(dialog);
  trayIcon.Create(IDI_APP, W(ProductName()), true);
  FinishNightModeStart();
  StartTrace("icons, tray icon and night mode");
  ArmRampCheck(mainDialog);
  RegisterRampResetNotifications(dialog);
  RegisterHotkeys(dialog);
  settingsFile.EndStartValues();
  StartLookingForALateFile();
  dialogReady = true;
  StartTrace("hotkeys and the rest");
}

void OnSlider(HWND slider) {
  if (slider == brightnessSlider) {
    const int pos = SliderPos(brightnessSlider);
    if (pos != SliderLevels().brightness) SetLevels(pos);
  } else if (slider == redSlider || slider == greenSlider || slider == blueSlider) {
    WindowTimers timers = DialogTimers();
    applyCoalescer.Trigger(timers);
  }
}

void OnCommand(HWND dialog, WPARAM wParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (static_cast<unsigned>(id) >= CMD_LANGUAGE_FIRST && id < CMD_LANGUAGE_FIRST + languageCount) {
    SelectLanguage(id - CMD_LANGUAGE_FIRST);
    ApplyTexts();
    SendMessageW(languageList, CB_SETCURSEL, currentLanguage, 0);
    return;
  }
  switch (id) {
    case IDOK:
    case IDCANCEL:
      break;  // the keyboard never closes or hides the dialog
    case IDC_RESET:
      ResetScreenRamp();
      SetLevels(kLevelNeutral);
      break;
    case IDC_EXIT:
      EndDialog(dialog, 0);
      settingsFile.WritePendingBeforeEnd();
      PostQuitMessage(kExitCommand);
      break;
    case IDC_DISPLAYS:
      OnDisplayListCommand(code);
      break;
    case IDC_LANGUAGES:
      if (code == CBN_SELENDOK) {
        SelectLanguage(static_cast<int>(SendMessageW(languageList, CB_GETCURSEL, 0, 0)));
        ApplyTexts();
      }
      break;
    case CMD_TRANSLATE:
      ExportTranslationTemplate();
      break;
    case CMD_LOAD_TRANSLATION:
      ChooseTranslationFile();
      ApplyTexts();
      break;
    case IDC_AUTOSTART:
      if (SendDlgItemMessageW(dialog, IDC_AUTOSTART, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        AddAutostart(GetModuleHandleW(nullptr), W(ProductName()));
      } else {
        RemoveAutostart(W(ProductName()));
      }
      // The box shows what the registry holds, also when the change was refused.
      SendDlgItemMessageW(dialog, IDC_AUTOSTART, BM_SETCHECK,
                          IsAutostartSet(W(ProductName())) ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case IDC_RESTORE:
      settingsFile.WriteInt(u"Start", u"setrgb",
                            static_cast<int>(SendDlgItemMessageW(dialog, IDC_RESTORE, BM_GETCHECK, 0, 0)));
      break;
    case CMD_HOMEPAGE:
      OpenWebPage(WebPage::kHomepage, currentLanguage, linkProductName);
      break;
    case CMD_DONATE:
      OpenWebPage(WebPage::kDonation, currentLanguage, linkProductName);
      break;
    case CMD_NIGHT_MODE:
      OpenNightModeDialog(dialog);
      break;
    case CMD_NIGHT_PAUSE:
      PauseNightMode(60);
      break;
    case CMD_NIGHT_RESUME:
      ResumeNightMode();
      break;
    case CMD_UNINSTALL:
      FlushPendingSettings();  // the removal deletes the file; nothing may write it afterwards
      UninstallProgram(mainDialog, currentLanguage);
      break;
    case CMD_SCREENSAVER:
    case CMD_POWER_OPTIONS:
    case CMD_BATTERY_SETTINGS:
    case CMD_MOBILITY_CENTER:
      OpenSystemPageCommand(id);
      break;
    default:
      break;
  }
}

void OnHotkey(WPARAM id) {
  if (IsNightHotkey(id)) return ToggleNightPause();
  // The chosen display left: the hotkey is for it, so it changes nothing, and says so once.
  std::u16string away;
  if (ChosenDisplayAway(&away)) {
    if (!awayReported) awayReported = ReportHotkeyForAwayDisplay(away);
    return;
  }
  awayReported = false;
  SetLevels(BrightnessAfterHotkey(id, SliderLevels().brightness));
}

BOOL OnHandOver(HWND dialog, const COPYDATASTRUCT* data) {
  LevelHandOver levels;
  NightRequest night;
  if (!dialogReady) return FALSE;
  if (ReadLevelHandOver(data, &levels)) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, static_cast<LONG_PTR>(TakeHandOver(levels)));
  } else if (ReadNightHandOver(data, &night)) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TakeNightRequest(night) ? 1 : 0);
  } else {
    return FALSE;
  }
  return TRUE;
}

BOOL OnTimer(WPARAM id) {
  WindowTimers timers = DialogTimers();
  switch (id) {
    case kApplyTimer:
      if (applyCoalescer.Expire(timers)) ApplyLevels();
      return TRUE;
    case kActivateTimer:
      KillTimer(mainDialog, kActivateTimer);
      BringToFront(mainDialog);
      ShowWindow(mainDialog, SW_SHOW);
      return TRUE;
    case kRampCheckTimer:
      CheckRampsKept(mainDialog);
      return TRUE;
    case kNightTimer:
      UpdateNightMode();
      return TRUE;
    case kHotkeyReportTimer:
      RetryHotkeyReport(mainDialog);
      return TRUE;
    case kReapplyTimer:
      if (reapplyCoalescer.Expire(timers)) ReapplyRamps();
      return TRUE;
    case kSaveTimer:
      OnSaveTimer();
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

const wchar_t* WindowTitle() {
  windowTitle = ComposeWindowTitle(StringTable::CommonText(kCommonTextCaption), portableMode);
  return W(windowTitle);
}

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == activateMessage && activateMessage != 0) {
    FlushPendingSettings();  // the second start may be an installer or a copy replacing us
    SetTimer(mainDialog, kActivateTimer, 500, nullptr);
    return FALSE;
  }
  if (message == InstanceQueryMessage() && message != 0) {
    // Answered only once the sliders exist: a hand-over during the start would read none.
    if (!dialogReady) return FALSE;
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, static_cast<LONG_PTR>(message));
    return TRUE;
  }
  if (taskbarCreatedMessage == 0) taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
  if (message == taskbarCreatedMessage) {
    trayIcon.Readd();
    WindowTimers timers = DialogTimers();
    reapplyCoalescer.Trigger(timers);  // the taskbar restarts after a graphics driver reset, too
    return FALSE;
  }

  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog);
    case WM_HSCROLL:
    case WM_VSCROLL:
      OnSlider(reinterpret_cast<HWND>(lParam));
      return FALSE;
    case WM_COMMAND:
      OnCommand(dialog, wParam);
      RetryBusyWrites();
      return TRUE;
    case WM_ACTIVATE:
      activeDialog = LOWORD(wParam) != WA_INACTIVE ? mainDialog : nullptr;
      return FALSE;
    case WM_CLOSE:
      FlushPendingSettings();
      HideToTray(dialog);
      return TRUE;
    case WM_TIMER:
      return OnTimer(wParam);
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETSCREENREADER) UpdateSliderAccessibility(dialog, true);
      return FALSE;
    case WM_DPICHANGED:
      return OnDialogDpiChanged(dialog);
    case kDialogDpiApplied:
      return OnDialogDpiApplied(dialog);
    case kFinishStartMessage:
      OnFinishStart(dialog);
      return TRUE;
    case kForegroundChangedMessage:
      OnForegroundChanged();
      return TRUE;
    case WM_TIMECHANGE:  // the clock or the time zone was set
      UpdateNightMode();
      return FALSE;
    case WM_INITMENUPOPUP:
      EnableMenuItem(reinterpret_cast<HMENU>(wParam), CMD_NIGHT_PAUSE,
                     NightModeOn() && !NightModePaused() ? MF_ENABLED : MF_GRAYED);
      EnableMenuItem(reinterpret_cast<HMENU>(wParam), CMD_NIGHT_RESUME, NightModePaused() ? MF_ENABLED : MF_GRAYED);
      return FALSE;
    case WM_HOTKEY:
      OnHotkey(wParam);
      return TRUE;
    case WM_COPYDATA:
      return OnHandOver(dialog, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_QUERYENDSESSION:
      FlushPendingSettings();
      return FALSE;  // no objection: the default answer lets the session end
    case WM_ENDSESSION:
      if (wParam) settingsFile.WritePendingBeforeEnd();
      return FALSE;
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMSUSPEND) FlushPendingSettings();
      break;
    case kRegFinishedMessage:
      ReportGammaRangeFix(dialog, wParam);
      return TRUE;
    default:
      break;
  }
  if (message == TrayCallbackMessage) return OnTrayCallback(dialog, lParam);
  if (IsRampResetEvent(message, wParam, lParam)) {
    WindowTimers timers = DialogTimers();
    reapplyCoalescer.Trigger(timers);
  }
  return FALSE;
}
