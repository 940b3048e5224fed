#include "app/main_dialog_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "app/app_state_win32.h"
#include "app/coalescer.h"
#include "app/display_choice_win32.h"
#include "app/hotkey_text.h"
#include "app/level_text.h"
#include "app/menus_win32.h"
#include "app/platform_helpers_win32.h"
#include "app/product_name.h"
#include "app/window_title.h"
#include "common/text.h"
#include "common/system_folder_win32.h"
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

namespace {

constexpr int kExitCommand = 1075;
constexpr UINT kApplyTimer = 1001;      // red/green/blue settle
constexpr UINT kActivateTimer = 2000;   // a second start asked us to show up
constexpr UINT kReapplyTimer = 3000;    // the system may have reset the ramps
constexpr UINT kSaveTimer = 3001;       // the levels have settled: store them
constexpr UINT kRampCheckTimer = 4000;  // the levels rest: does every display keep its ramp?
constexpr UINT kHotkeyReportTimer = 4001; // the shell was not ready for the hotkey report: try again

// Hotkeys: settings key, default, and the id RegisterHotKey gets. The defaults clash with
// none of Windows' own shortcuts nor the graphics drivers' (Ctrl+Alt+arrows rotate the screen).
enum HotkeyId { kHotkeyBrighter = 1, kHotkeyDarker, kHotkeyNeutral };
struct HotkeySetting {
  HotkeyId id;
  const char16_t* key;
  const char16_t* defaultText;
};
constexpr HotkeySetting kHotkeySettings[] = {{kHotkeyBrighter, u"Brighter", u"Ctrl+Alt+PgUp"},
                                             {kHotkeyDarker, u"Darker", u"Ctrl+Alt+PgDn"},
                                             {kHotkeyNeutral, u"Neutral", u"Ctrl+Alt+Home"}};
constexpr int kHotkeyStep = 8;  // about 3 % per press
bool rampWarningGiven = false;
std::u16string hotkeyReport;  // shown once the shell takes it

ColorLevels levels;
HWND brightnessSlider, redSlider, greenSlider, blueSlider, languageList;
std::u16string windowTitle;
UINT taskbarCreatedMessage = 0;

Coalescer applyCoalescer(kApplyTimer, 50);
// Displays report ready a moment after resume or power-on; one re-apply after the burst.
Coalescer reapplyCoalescer(kReapplyTimer, 300);
// A drag writes the file once it rests, not at every step; a long one every half second.
WriteSchedule saveSchedule(kSaveTimer, 300, 500);

class DialogTimers final : public TimerPort {
 public:
  void Start(unsigned id, unsigned milliseconds) override { SetTimer(mainDialog, id, milliseconds, nullptr); }
  void Stop(unsigned id) override { KillTimer(mainDialog, id); }
};
DialogTimers dialogTimers;

int SliderPos(HWND slider) { return static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0)); }
void SetSliderPos(HWND slider, int pos) { SendMessageW(slider, TBM_SETPOS, TRUE, pos); }

void SetItemText(HWND dialog, int id, int textId) {
  const char16_t* text = StringTable::Text(textId);
  SetDlgItemTextW(dialog, id, text ? W(text) : L"");
}

void ApplyLevels() {
  const int brightness = SliderPos(brightnessSlider);
  const int red = SliderPos(redSlider);
  const int green = SliderPos(greenSlider);
  const int blue = SliderPos(blueSlider);
  const bool allDisplays = ApplyToChosenDisplays({brightness, red, green, blue});
  if (!rampWarningGiven) SetTimer(mainDialog, kRampCheckTimer, 700, nullptr);

  const bool uniform = red == brightness && green == brightness && blue == brightness;
  SetDlgItemTextA(mainDialog, IDC_BRIGHTNESS_VALUE, uniform ? FormatPercent(brightness).c_str() : "RGB");
  SetDlgItemTextA(mainDialog, IDC_RED_VALUE, FormatPercent(red).c_str());
  SetDlgItemTextA(mainDialog, IDC_GREEN_VALUE, FormatPercent(green).c_str());
  SetDlgItemTextA(mainDialog, IDC_BLUE_VALUE, FormatPercent(blue).c_str());

  if (allDisplays) {
    settingsFile.SetPending(u"Start", u"r", red);
    settingsFile.SetPending(u"Start", u"g", green);
    settingsFile.SetPending(u"Start", u"b", blue);
    settingsFile.SetPending(u"Start", u"H", brightness);
  }
  if (saveSchedule.Changed(dialogTimers, GetTickCount())) FlushPendingSettings();
}

// A value written straight to the file (language, check box) that found it busy waits
// in the settings file; this tries it again later.
void RetryBusyWrites() {
  if (settingsFile.HasPending() && settingsFile.LastWrite() == ini::WriteResult::kBusy && !saveSchedule.Scheduled()) {
    saveSchedule.Written(dialogTimers, true);
  }
}

// Puts the ramps the sliders show back on the displays, and nothing else. A display that
// refuses (some do right after the event) gets a few more tries by the timer.
void ReapplyRamps() {
  if (!ReapplyEveryDisplay()) {
    reapplyCoalescer.Retry(dialogTimers);
  }
}

void ResetLevels() {
  levels = ColorLevels{};
  SetSliderPos(brightnessSlider, levels.brightness);
  SetSliderPos(redSlider, levels.red);
  SetSliderPos(greenSlider, levels.green);
  SetSliderPos(blueSlider, levels.blue);
  ApplyLevels();
}

// Levels from outside the dialog (a second start, a hotkey): the sliders move and the
// levels are applied and stored as a drag would. A negative brightness leaves that slider.
void SetLevels(int brightness, int red, int green, int blue) {
  if (brightness >= 0) {
    levels.brightness = brightness;
    SetSliderPos(brightnessSlider, brightness);
  }
  SetSliderPos(redSlider, red);
  SetSliderPos(greenSlider, green);
  SetSliderPos(blueSlider, blue);
  ApplyLevels();
}

std::u16string Text(int id) {
  const char16_t* text = StringTable::Text(id);
  return text ? text : u"";
}

// Some Windows set-ups keep the ramp far from neutral unchanged while reporting success
// (the GdiIcmGammaRange limit). Offer to lift the limit; only the user's click starts it.
void OfferGammaRangeFix() {
  const std::u16string question = Text(112) + u"\n\n" + Text(113);
  if (MessageBoxW(mainDialog, W(question), W(ProductName()), MB_YESNO | MB_ICONWARNING) != IDYES) return;
  const std::wstring reg = SystemPath(L"reg.exe");
  if (reg.empty()) return;
  std::wstring parameters =
      L"add \"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ICM\" /v GdiIcmGammaRange /t REG_DWORD /d 256 /f";
  // A 32-bit reg.exe on 64-bit Windows would write the 32-bit view, which GDI does not read.
  if (IsWow64()) parameters += L" /reg:64";
  SHELLEXECUTEINFOW run = {};
  run.cbSize = sizeof run;
  run.hwnd = mainDialog;
  run.lpVerb = L"runas";
  run.lpFile = reg.c_str();
  run.lpParameters = parameters.c_str();
  run.nShow = SW_HIDE;
  if (ShellExecuteExW(&run)) MessageBoxW(mainDialog, W(Text(114)), W(ProductName()), MB_OK | MB_ICONINFORMATION);
}

bool ShowBalloon(const std::u16string& text) {
  NOTIFYICONDATAW balloon = {};
  balloon.cbSize = NOTIFYICONDATAW_V2_SIZE;
  balloon.hWnd = mainDialog;
  balloon.uID = IDI_APP;
  balloon.uFlags = NIF_INFO;
  lstrcpynW(balloon.szInfo, W(text), ARRAYSIZE(balloon.szInfo));
  lstrcpynW(balloon.szInfoTitle, W(ProductName()), ARRAYSIZE(balloon.szInfoTitle));
  balloon.uTimeout = 30000;
  balloon.dwInfoFlags = NIIF_WARNING;
  return Shell_NotifyIconW(NIM_MODIFY, &balloon) != FALSE;
}

// Registers the hotkeys the settings file names, writing the defaults for absent keys so the
// user finds them there. Those that cannot be registered are reported together, once.
void RegisterHotkeys(HWND dialog) {
  std::u16string failed;
  bool defaultsAdded = false;
  for (const HotkeySetting& setting : kHotkeySettings) {
    char16_t value[256] = u"\x7F";  // stays when the key is absent
    settingsFile.ReadString(u"Hotkeys", setting.key, value, 256);
    std::u16string keyText = value;
    if (keyText == u"\x7F") {
      keyText = setting.defaultText;
      settingsFile.SetPendingText(u"Hotkeys", setting.key, setting.defaultText);
      defaultsAdded = true;
    }
    Hotkey hotkey;
    const bool valid = ParseHotkey(keyText, &hotkey);
    if (valid && hotkey.key == 0) continue;  // turned off
    if (!valid || !RegisterHotKey(dialog, setting.id, hotkey.modifiers, hotkey.key)) {
      failed += (failed.empty() ? u"" : u", ") + keyText;
    }
  }
  // Stored with the start's levels, in the same replacement of the file.
  if (defaultsAdded && saveSchedule.Changed(dialogTimers, GetTickCount())) FlushPendingSettings();
  if (failed.empty()) return;
  hotkeyReport = text::FillIn(StringTable::Text(111), {failed, settingsFile.Path()});
  // At logon the shell may not hold the icon yet; the watchdog adds it, the report follows.
  if (!ShowBalloon(hotkeyReport)) SetTimer(dialog, kHotkeyReportTimer, 5000, nullptr);
}

void OnHotkey(WPARAM id) {
  int level = SliderPos(brightnessSlider);
  if (id == kHotkeyBrighter) level = level + kHotkeyStep > kLevelMax ? kLevelMax : level + kHotkeyStep;
  if (id == kHotkeyDarker) level = level - kHotkeyStep < kLevelMin ? kLevelMin : level - kHotkeyStep;
  if (id == kHotkeyNeutral) level = kLevelNeutral;
  SetLevels(level, level, level, level);
}

BOOL OnLevelHandOver(HWND dialog, const COPYDATASTRUCT* data) {
  LevelHandOver request;
  if (data == nullptr || data->dwData != kLevelHandOverTag || data->cbData != sizeof request) return FALSE;
  CopyMemory(&request, data->lpData, sizeof request);
  auto inRange = [](INT32 v) { return v >= kLevelMin && v <= kLevelMax; };
  if (!inRange(request.red) || !inRange(request.green) || !inRange(request.blue) ||
      !(request.brightness == -1 || inRange(request.brightness))) {
    return FALSE;
  }
  const int handled = HandOverToDisplay(request);
  if (handled < 0) return FALSE;
  if (handled == 0) SetLevels(request.brightness, request.red, request.green, request.blue);
  SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
  return TRUE;
}

void BringToFront() {
  const UINT flags = SWP_NOSIZE | SWP_NOMOVE;
  SetWindowPos(mainDialog, HWND_TOPMOST, 0, 0, 0, 0, flags);
  SetWindowPos(mainDialog, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
  SetWindowPos(mainDialog, HWND_TOP, 0, 0, 0, 0, flags);
  SetForegroundWindow(mainDialog);
}

void HideToTray() {
  if (IsWindowVisible(mainDialog)) trayIcon.ZoomToTray(mainDialog, true);
}

void ApplyTexts() {
  AttachLink(mainDialog, IDC_LINK, SiteAddress(currentLanguage));
  BuildMenuBar(mainDialog);
  SetItemText(mainDialog, IDC_AUTOSTART, 40);
  SetItemText(mainDialog, IDC_RESTORE, 41);
  SetItemText(mainDialog, IDC_BRIGHTNESS_LABEL, 42);
  SetItemText(mainDialog, IDC_RESET, 43);
  SetItemText(mainDialog, IDC_EXIT, 44);
  ApplyDisplayTexts();
}

void SetDialogIcons(HWND dialog) {
  auto load = [](int cx, int cy) {
    return static_cast<HICON>(LoadImageW(appInstance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, cx, cy, 0));
  };
  HICON small = load(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
  HICON large = load(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
  SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
}

// Asks the system for the notifications after which it may have reset the ramps;
// both functions are missing on older systems.
void RegisterRampResetNotifications(HWND dialog) {
  static const GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
  using RegisterPowerFn = HANDLE(WINAPI*)(HANDLE, LPCGUID, DWORD);
  if (HMODULE user32 = GetModuleHandleW(L"user32")) {
    auto registerPower = reinterpret_cast<RegisterPowerFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "RegisterPowerSettingNotification")));
    if (registerPower != nullptr) registerPower(dialog, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
  }
  using RegisterSessionFn = BOOL(WINAPI*)(HWND, DWORD);
  if (HMODULE wtsapi = LoadSystemLibrary(L"wtsapi32.dll")) {
    auto registerSession = reinterpret_cast<RegisterSessionFn>(
        reinterpret_cast<void*>(GetProcAddress(wtsapi, "WTSRegisterSessionNotification")));
    if (registerSession != nullptr) registerSession(dialog, 0 /* NOTIFY_FOR_THIS_SESSION */);
  }
}

bool IsConsoleDisplayOn(LPARAM lParam) {
  static const GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
  const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
  if (setting == nullptr || setting->PowerSetting != kConsoleDisplayState || setting->DataLength < sizeof(DWORD)) {
    return false;
  }
  DWORD state = 0;
  CopyMemory(&state, setting->Data, sizeof state);
  return state == 1;
}

BOOL OnInitDialog(HWND dialog) {
  mainDialog = dialog;
  if (!startHidden) ShowWindow(dialog, SW_SHOW);
  // The dialog is on screen from here; without this every text, icon and the menu bar set
  // below would repaint it piece by piece, which made the start about a fifth slower.
  const bool paintOnce = !startHidden;
  if (paintOnce) SendMessageW(dialog, WM_SETREDRAW, FALSE, 0);
  settingsFile.Init(ProductName());
  RestoreLanguageChoice();
  trayIcon.SetWindow(dialog);
  trayIcon.Create(IDI_APP, W(ProductName()), true);
  SetWindowTextW(dialog, WindowTitle());
  SetDialogIcons(dialog);

  brightnessSlider = GetDlgItem(dialog, IDC_BRIGHTNESS);
  redSlider = GetDlgItem(dialog, IDC_RED);
  greenSlider = GetDlgItem(dialog, IDC_GREEN);
  blueSlider = GetDlgItem(dialog, IDC_BLUE);
  for (HWND slider : {brightnessSlider, redSlider, greenSlider, blueSlider}) {
    SendMessageW(slider, TBM_SETRANGEMIN, FALSE, kLevelMin);
    SendMessageW(slider, TBM_SETRANGEMAX, FALSE, kLevelMax);
  }

  levels = ColorLevels{};
  const int restore = settingsFile.ReadInt(u"Start", u"setrgb", 0, -1, -1);
  if (restore != 0) {
    levels.red = settingsFile.ReadInt(u"Start", u"r", kLevelNeutral, kLevelMin, kLevelMax);
    levels.green = settingsFile.ReadInt(u"Start", u"g", kLevelNeutral, kLevelMin, kLevelMax);
    levels.blue = settingsFile.ReadInt(u"Start", u"b", kLevelNeutral, kLevelMin, kLevelMax);
    levels.brightness = settingsFile.ReadInt(u"Start", u"h", kLevelNeutral, kLevelMin, kLevelMax);
  }
  StartDisplayChoice(dialog, &levels, restore != 0);
  SetSliderPos(brightnessSlider, levels.brightness);
  SetSliderPos(redSlider, levels.red);
  SetSliderPos(greenSlider, levels.green);
  SetSliderPos(blueSlider, levels.blue);

  if (IsAutostartSet(W(ProductName()))) SendDlgItemMessageW(dialog, IDC_AUTOSTART, BM_SETCHECK, 1, 0);
  // Any non-zero value restores; 2 would show the box as indeterminate.
  SendDlgItemMessageW(dialog, IDC_RESTORE, BM_SETCHECK, restore != 0 ? BST_CHECKED : BST_UNCHECKED, 0);

  languageList = GetDlgItem(dialog, IDC_LANGUAGES);
  ApplyTexts();
  // Visible again before the value labels are filled: a filled label means the start is done.
  if (paintOnce) {
    SendMessageW(dialog, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(dialog, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
  ApplyLevels();
  RegisterRampResetNotifications(dialog);
  RegisterHotkeys(dialog);
  return TRUE;
}

void OnSlider(HWND slider) {
  if (slider == brightnessSlider) {
    const int pos = SliderPos(brightnessSlider);
    if (UpdateIfChanged(levels.brightness, pos)) {
      SetSliderPos(redSlider, pos);
      SetSliderPos(greenSlider, pos);
      SetSliderPos(blueSlider, pos);
      ApplyLevels();
    }
  } else if (slider == redSlider || slider == greenSlider || slider == blueSlider) {
    applyCoalescer.Trigger(dialogTimers);
  }
}

void OnCommand(HWND dialog, WPARAM wParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (static_cast<unsigned>(id) >= CMD_LANGUAGE_FIRST && id < CMD_LANGUAGE_FIRST + sectionCount) {
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
      ResetLevels();
      break;
    case IDC_EXIT:
      FlushPendingSettings();
      EndDialog(dialog, 0);
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
      OpenWebPage(0);
      break;
    case CMD_DONATE:
      OpenWebPage(3);
      break;
    case CMD_UNINSTALL:
      FlushPendingSettings();  // the removal deletes the file; nothing may write it afterwards
      UninstallProgram();
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

INT_PTR OnTrayCallback(LPARAM lParam) {
  switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONDOWN:
      if (!IsWindowVisible(mainDialog)) {
        BringToFront();
        ShowWindow(mainDialog, SW_SHOW);
      } else {
        ShowWindow(mainDialog, SW_HIDE);
      }
      return FALSE;
    case WM_RBUTTONDOWN:
      SetActiveWindow(mainDialog);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void FlushPendingSettings() {
  if (!settingsFile.HasPending()) return;
  saveSchedule.Written(dialogTimers, settingsFile.WritePending() == ini::WriteResult::kBusy);
}

UINT InstanceQueryMessage() {
  static const UINT message = RegisterWindowMessageW(L"Glowmere instance");
  return message;
}

void UnregisterHotkeys() {
  for (const HotkeySetting& setting : kHotkeySettings) UnregisterHotKey(mainDialog, setting.id);
}

const wchar_t* WindowTitle() {
  windowTitle = ComposeWindowTitle(StringTable::CommonText(19), portableMode == 1);
  return W(windowTitle);
}

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == activateMessage && activateMessage != 0) {
    FlushPendingSettings();  // the second start may be an installer or a copy replacing us
    SetTimer(mainDialog, kActivateTimer, 500, nullptr);
    return FALSE;
  }
  if (message == InstanceQueryMessage() && message != 0) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, static_cast<LONG_PTR>(message));
    return TRUE;
  }
  if (taskbarCreatedMessage == 0) taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
  if (message == taskbarCreatedMessage) {
    trayIcon.Readd();
    reapplyCoalescer.Trigger(dialogTimers);  // Explorer restarts after a driver reset, too
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
      HideToTray();
      return TRUE;
    case WM_TIMER:
      if (wParam == kApplyTimer) {
        if (applyCoalescer.Expire(dialogTimers)) ApplyLevels();
        return TRUE;
      }
      if (wParam == kActivateTimer) {
        KillTimer(mainDialog, kActivateTimer);
        BringToFront();
        ShowWindow(mainDialog, SW_SHOW);
        return TRUE;
      }
      if (wParam == kRampCheckTimer) {
        if (GetCapture() != nullptr) return TRUE;  // still dragging: look when it ends
        KillTimer(mainDialog, kRampCheckTimer);
        ReapplyEveryDisplay(true);
        if (gammaController.RampIgnored() && !rampWarningGiven) {
          rampWarningGiven = true;
          OfferGammaRangeFix();
        }
        return TRUE;
      }
      if (wParam == kHotkeyReportTimer) {
        if (ShowBalloon(hotkeyReport)) KillTimer(mainDialog, kHotkeyReportTimer);
        return TRUE;
      }
      if (wParam == kReapplyTimer) {
        if (reapplyCoalescer.Expire(dialogTimers)) ReapplyRamps();
        return TRUE;
      }
      if (wParam == kSaveTimer) {
        if (saveSchedule.Expire(dialogTimers)) FlushPendingSettings();
        return TRUE;
      }
      return FALSE;
    case WM_HOTKEY:
      OnHotkey(wParam);
      return TRUE;
    case WM_COPYDATA:
      return OnLevelHandOver(dialog, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_DISPLAYCHANGE:
      reapplyCoalescer.Trigger(dialogTimers);
      return FALSE;
    case WM_QUERYENDSESSION:
      FlushPendingSettings();
      return FALSE;  // no objection: the default answer lets the session end
    case WM_ENDSESSION:
      if (wParam) FlushPendingSettings();
      return FALSE;
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMSUSPEND) FlushPendingSettings();
      if (IsResumeEvent(static_cast<unsigned>(wParam)) ||
          (wParam == PBT_POWERSETTINGCHANGE && IsConsoleDisplayOn(lParam))) {
        reapplyCoalescer.Trigger(dialogTimers);
      }
      return FALSE;
    case WM_WTSSESSION_CHANGE:
      if (IsSessionReturnEvent(static_cast<unsigned>(wParam))) reapplyCoalescer.Trigger(dialogTimers);
      return FALSE;
    default:
      break;
  }
  if (message == TrayCallbackMessage) return OnTrayCallback(lParam);
  return FALSE;
}
