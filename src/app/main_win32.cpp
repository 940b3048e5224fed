// Process entry: single instance, texts, command line, the dialog and the message loop.
#include <windows.h>

#include <commctrl.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "app/app_state_win32.h"
#include "app/command_line.h"
#include "app/display_choice_win32.h"
#include "app/main_dialog_win32.h"
#include "app/platform_helpers_win32.h"
#include "app/product_name.h"
#include "common/text.h"
#include "common/system_folder_win32.h"
#include "common/win32_text.h"
#include "gamma/gamma_controller_win32.h"
#include "i18n/language_archive.h"
#include "i18n/language_choice.h"
#include "i18n/string_table.h"
#include "settings/settings_file.h"

namespace {

constexpr int kExitSecondStart = 45054;
constexpr int kExitLevelsSet = 0;
constexpr int kExitBadOption = 2;
HANDLE instanceMutex = nullptr;

BOOL CALLBACK NotifyInstanceProc(HWND window, LPARAM out) {
  DWORD_PTR reply = 0;
  if (!SendMessageTimeoutW(window, activateMessage, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, 10000, &reply)) {
    return TRUE;
  }
  if (reply == activateMessage) {
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
  }
  return TRUE;
}

CommandLine ReadCommandLine() {
  std::vector<std::u16string> args;
  for (int i = 1; __wargv != nullptr && i < __argc; ++i) args.push_back(U16(__wargv[i]));
  CommandLine commandLine = ParseCommandLine(args);
  ResolveDisplayOption(commandLine);
  return commandLine;
}

// The running dialog: the one that answers the query with the query's own number.
BOOL CALLBACK FindInstanceProc(HWND window, LPARAM out) {
  wchar_t className[8] = {};
  if (GetClassNameW(window, className, 8) == 0 || lstrcmpW(className, L"#32770") != 0) return TRUE;
  DWORD_PTR reply = 0;
  const UINT query = InstanceQueryMessage();
  if (SendMessageTimeoutW(window, query, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, 10000, &reply) && reply == query) {
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
  }
  return TRUE;
}

// Hands the levels to the running instance's dialog without showing it; false when none answered.
bool HandOverLevels(const LevelRequest& levels) {
  HWND dialog = nullptr;
  if (InstanceQueryMessage() == 0) return false;
  EnumWindows(FindInstanceProc, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == nullptr) return false;
  LevelHandOver data = {levels.brightness, levels.red, levels.green, levels.blue, {}};
  lstrcpynW(data.display, W(levels.displayId), ARRAYSIZE(data.display));
  COPYDATASTRUCT copy = {kLevelHandOverTag, sizeof data, &data};
  DWORD_PTR reply = 0;
  return SendMessageTimeoutW(dialog, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), SMTO_BLOCK | SMTO_ABORTIFHUNG,
                             10000, &reply) && reply == TRUE;
}

// No instance to hand over to: set the displays and store the levels for the next start.
void ApplyLevelsAlone(const LevelRequest& levels) {
  settingsFile.Init(ProductName());
  if (!levels.displayId.empty()) return ApplyLevelsToOneDisplay(levels);
  int brightness = levels.brightness;
  if (brightness == LevelRequest::kKeepBrightness) brightness = settingsFile.ReadInt(u"Start", u"h", 128, 0, 256);
  ApplyLevelsToEveryDisplay({brightness, levels.red, levels.green, levels.blue});
  // One replacement of the file, as the dialog stores a drag.
  settingsFile.SetPending(u"Start", u"r", levels.red);
  settingsFile.SetPending(u"Start", u"g", levels.green);
  settingsFile.SetPending(u"Start", u"b", levels.blue);
  settingsFile.SetPending(u"Start", u"H", brightness);
  settingsFile.WritePending();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  RestrictLibrarySearchToSystemFolder();
  activateMessage = RegisterWindowMessageW(W(ProductName()));
  const CommandLine commandLine = ReadCommandLine();
  if (commandLine.kind == CommandLine::Kind::Malformed) {
    // Nothing changes; a mistyped shortcut or script must be noticed.
    if (!LanguageArchive::Load()) return kExitBadOption;  // the archive's own error box was shown
    DetectLanguage();
    const int textId = commandLine.unknownDisplay ? 124 : 110;
    const std::u16string message = text::FillIn(StringTable::Text(textId), {commandLine.badOption});
    MessageBoxW(nullptr, W(message), W(ProductName()), MB_OK | MB_ICONWARNING);
    return kExitBadOption;
  }
  const bool levelsGiven = commandLine.kind == CommandLine::Kind::Levels;

  instanceMutex = CreateMutexW(nullptr, FALSE, W(ProductName()));
  const DWORD mutexError = GetLastError();
  if (mutexError == ERROR_ALREADY_EXISTS || mutexError == ERROR_ACCESS_DENIED) {
    if (levelsGiven) {
      // No dialog answered (an instance still starting, or hung): set and store them here.
      if (!HandOverLevels(commandLine.levels)) ApplyLevelsAlone(commandLine.levels);
      return kExitLevelsSet;
    }
    // Hand over to the running instance and end here: a second instance must not
    // touch the displays, the settings or the tray behind the first one's back.
    HWND found = nullptr;
    EnumWindows(NotifyInstanceProc, reinterpret_cast<LPARAM>(&found));
    return kExitSecondStart;
  }

  if (levelsGiven) {
    ApplyLevelsAlone(commandLine.levels);
    return kExitLevelsSet;
  }

  linkProductName = ProductName();
  if (!LanguageArchive::Load()) return 0;
  DetectLanguage();
  if (commandLine.background) startHidden = 1;
  EnableDpiAwareness();
  appInstance = instance;
  // Trackbars for the sliders, the list view for the hide-to-tray rectangle.
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);

  mainDialog = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDialogProc, 0);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0)) {
    if (activeDialog != nullptr && IsDialogMessageW(activeDialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  UnregisterHotkeys();
  return static_cast<int>(message.wParam);
}
