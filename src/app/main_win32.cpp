// Process entry: single instance, texts, command line, the dialog and the message loop.
#include <windows.h>

#include <commctrl.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "app/app_state_win32.h"
#include "app/command_line.h"
#include "app/display_choice_win32.h"
#include "app/hotkeys_win32.h"
#include "app/level_handover_win32.h"
#include "app/level_store.h"
#include "app/main_dialog_win32.h"
#include "app/platform_helpers_win32.h"
#include "common/product_name.h"
#include "common/system_folder_win32.h"
#include "common/text.h"
#include "common/win32_text.h"
#include "gamma/gamma_controller_win32.h"
#include "i18n/language_archive.h"
#include "i18n/language_choice.h"
#include "i18n/string_table.h"
#include "settings/settings_file.h"
#include "text_ids.h"

namespace {

// Exit codes. A script that sets levels learns whether they took effect.
constexpr int kExitSecondStart = 45054;
constexpr int kExitLevelsSet = 0;
constexpr int kExitBadOption = 2;
constexpr int kExitInstanceDidNotTake = 3;  // an instance runs but did not take the levels
constexpr int kExitNotApplied = 4;          // a display refused the ramp
constexpr int kExitNotStored = 5;           // the settings file could not be written
constexpr int kExitNoTexts = 6;             // the language archive could not be loaded
constexpr DWORD kHandOverTimeoutMs = 5000;
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

// No instance to hand over to: set the displays and store the levels for the next start.
int ApplyLevelsAlone(const LevelRequest& request) {
  settingsFile.Init(ProductName());
  // Levels for one display go to it alone; otherwise every display takes them, as the sliders'.
  const bool applied = !request.displayId.empty()
                           ? ApplyLevelsToOneDisplay(request)
                           : ApplyLevelsToEveryDisplay(ColorLevels{request.brightness == LevelRequest::kKeepBrightness
                                                                       ? ReadStoredBrightness(settingsFile)
                                                                       : request.brightness,
                                                                   request.red, request.green, request.blue});
  // One replacement of the file, as the dialog stores a drag; a kept brightness stays as stored.
  if (request.displayId.empty()) {
    StoreLevels(settingsFile, ColorLevels{request.brightness, request.red, request.green, request.blue});
  }
  // The process ends next: a file another program holds for a moment gets a bounded wait.
  const ini::WriteResult stored = settingsFile.WritePendingBeforeEnd();
  if (!applied) return kExitNotApplied;
  return stored == ini::WriteResult::kOk ? kExitLevelsSet : kExitNotStored;
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
    const int textId = commandLine.unknownDisplay ? kTextUnknownDisplay : kTextBadOption;
    const std::u16string message = text::FillIn(StringTable::Text(textId), {commandLine.badOption});
    MessageBoxW(nullptr, W(message), W(ProductName()), MB_OK | MB_ICONWARNING);
    return kExitBadOption;
  }
  const bool levelsGiven = commandLine.kind == CommandLine::Kind::Levels;

  instanceMutex = CreateMutexW(nullptr, FALSE, W(ProductName()));
  const DWORD mutexError = GetLastError();
  if (mutexError == ERROR_ALREADY_EXISTS || mutexError == ERROR_ACCESS_DENIED) {
    if (levelsGiven) {
      // An instance that does not answer (still starting, busy or hung) is left alone:
      // levels set behind its back would be overwritten by its next write.
      return HandOverLevels(commandLine.levels, kHandOverTimeoutMs) ? kExitLevelsSet : kExitInstanceDidNotTake;
    }
    // Hand over to the running instance and end here: a second instance must not
    // touch the displays, the settings or the tray behind the first one's back.
    HWND found = nullptr;
    EnumWindows(NotifyInstanceProc, reinterpret_cast<LPARAM>(&found));
    return kExitSecondStart;
  }

  if (levelsGiven) return ApplyLevelsAlone(commandLine.levels);

  linkProductName = ProductName();
  if (!LanguageArchive::Load()) return kExitNoTexts;
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
  UnregisterHotkeys(mainDialog);
  return static_cast<int>(message.wParam);
}
