#include "app/main_dialog_win32.h"

#include <commctrl.h>

#include <string>

#include "app/app_state_win32.h"
#include "app/coalescer.h"
#include "app/level_text.h"
#include "app/menus_win32.h"
#include "app/platform_helpers_win32.h"
#include "app/product_name.h"
#include "app/window_title.h"
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

ColorLevels levels;
HWND brightnessSlider, redSlider, greenSlider, blueSlider, languageList;
std::u16string windowTitle;
UINT taskbarCreatedMessage = 0;

Coalescer applyCoalescer(kApplyTimer, 50);
// Displays report ready a moment after resume or power-on; one re-apply after the burst.
Coalescer reapplyCoalescer(kReapplyTimer, 300);

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
  gammaController.ApplyToAllDisplays(red, green, blue);

  const bool uniform = red == brightness && green == brightness && blue == brightness;
  SetDlgItemTextA(mainDialog, IDC_BRIGHTNESS_VALUE, uniform ? FormatPercent(brightness).c_str() : "RGB");
  SetDlgItemTextA(mainDialog, IDC_RED_VALUE, FormatPercent(red).c_str());
  SetDlgItemTextA(mainDialog, IDC_GREEN_VALUE, FormatPercent(green).c_str());
  SetDlgItemTextA(mainDialog, IDC_BLUE_VALUE, FormatPercent(blue).c_str());

  settingsFile.WriteInt(u"Start", u"r", red);
  settingsFile.WriteInt(u"Start", u"g", green);
  settingsFile.WriteInt(u"Start", u"b", blue);
  settingsFile.WriteInt(u"Start", u"H", brightness);
}

// Puts the ramps the sliders show back on the displays, and nothing else.
void ReapplyRamps() {
  gammaController.ApplyToAllDisplays(SliderPos(redSlider), SliderPos(greenSlider), SliderPos(blueSlider));
}

void ResetLevels() {
  levels = ColorLevels{};
  SetSliderPos(brightnessSlider, levels.brightness);
  SetSliderPos(redSlider, levels.red);
  SetSliderPos(greenSlider, levels.green);
  SetSliderPos(blueSlider, levels.blue);
  ApplyLevels();
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
      gammaController.ApplyUniformRamp(nullptr, kLevelNeutral);
      ResetLevels();
      break;
    case IDC_EXIT:
      EndDialog(dialog, 0);
      PostQuitMessage(kExitCommand);
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

const wchar_t* WindowTitle() {
  windowTitle = ComposeWindowTitle(StringTable::CommonText(19), portableMode == 1);
  return W(windowTitle);
}

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == activateMessage && activateMessage != 0) {
    SetTimer(mainDialog, kActivateTimer, 500, nullptr);
    return FALSE;
  }
  if (taskbarCreatedMessage == 0) taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
  if (message == taskbarCreatedMessage) {
    trayIcon.Readd();
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
      if (wParam == kReapplyTimer) {
        if (reapplyCoalescer.Expire(dialogTimers)) ReapplyRamps();
        return TRUE;
      }
      return FALSE;
    case WM_DISPLAYCHANGE:
      reapplyCoalescer.Trigger(dialogTimers);
      return FALSE;
    case WM_POWERBROADCAST:
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
