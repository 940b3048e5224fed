// Process entry: single instance, texts, command line, the dialog and the message loop.
#include <windows.h>

#include <commctrl.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "app/app_state_win32.h"
#include "app/start_trace.h"
#include "control/command_line.h"
#include "control/command_line_levels_win32.h"
#include "dialog/dialog_levels_win32.h"
#include "common/exit_codes.h"
#include "control/hotkeys_win32.h"
#include "control/level_handover_win32.h"
#include "control/night_mode_win32.h"
#include "app/main_dialog_win32.h"
#include "common/dpi_win32.h"
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

constexpr DWORD kHandOverTimeoutMs = 5000;
// A start that finds another start holding the mutex without a window (a command line
// setting levels at logon, an instance still starting) waits this long for either to settle.
constexpr DWORD kInstanceWaitMs = 10000;
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
int SetLevelsWithoutInstance(const LevelRequest& request) {
  settingsFile.Init(ProductName());
  const AloneResult result = ApplyLevelsAlone(request);
  if (result.noDisplay) return kExitBadOption;  // it left between the check and now
  // The process ends next: a file another program holds for a moment gets a bounded wait.
  const bool stored = settingsFile.WritePendingBeforeEnd() == ini::WriteResult::kOk;
  return LevelsExitCode(result.applied, result.hdrOnly, stored);
}

int ExitCodeOfHandOver(HandOverResult result) {
  switch (result) {
    case HandOverResult::kApplied:
      return kExitLevelsSet;
    case HandOverResult::kRefused:
      return kExitRampRefused;
    case HandOverResult::kHdr:
      return kExitHdrOnly;
    case HandOverResult::kNoDisplay:
      return kExitBadOption;
    default:
      return kExitInstanceDidNotTake;
  }
}

// True once this start holds the mutex alone; false when a running instance answers (or
// none does in time while another start holds the mutex). Not yet a dialog's thread: it may
// sleep between looks.
bool BecomeTheInstance() {
  const DWORD start = GetTickCount();
  for (;;) {
    if (FindRunningInstance() != nullptr) return false;
    CloseHandle(instanceMutex);
    instanceMutex = CreateMutexW(nullptr, FALSE, W(ProductName()));
    const DWORD error = GetLastError();
    if (instanceMutex != nullptr && error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED) return true;
    if (GetTickCount() - start >= kInstanceWaitMs) return false;
    Sleep(100);
  }
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
    const std::u16string message =
        !commandLine.attachedNumbers.empty()
            ? text::FillIn(StringTable::Text(kTextDisplayNotAttached),
                           {commandLine.badOption, commandLine.attachedNumbers})
            : text::FillIn(StringTable::Text(commandLine.unknownDisplay ? kTextUnknownDisplay : kTextBadOption),
                           {commandLine.badOption});
    MessageBoxW(nullptr, W(message), W(ProductName()), MB_OK | MB_ICONWARNING);
    return kExitBadOption;
  }
  const bool levelsGiven = commandLine.kind == CommandLine::Kind::Levels;
  const bool nightGiven = commandLine.kind == CommandLine::Kind::Night;

  instanceMutex = CreateMutexW(nullptr, FALSE, W(ProductName()));
  const DWORD mutexError = GetLastError();
  if (mutexError == ERROR_ALREADY_EXISTS || mutexError == ERROR_ACCESS_DENIED) {
    if (levelsGiven) {
      // An instance that does not answer (still starting, busy or hung) is left alone:
      // levels set behind its back would be overwritten by its next write.
      return ExitCodeOfHandOver(static_cast<HandOverResult>(HandOverLevels(commandLine.levels, kHandOverTimeoutMs)));
    }
    if (nightGiven) {
      return HandOverNight(commandLine.night, kHandOverTimeoutMs) == 1 ? kExitLevelsSet : kExitInstanceDidNotTake;
    }
    // Hand over to the running instance and end here: a second instance must not
    // touch the displays, the settings or the tray behind the first one's back.
    if (!BecomeTheInstance()) {
      HWND found = nullptr;
      EnumWindows(NotifyInstanceProc, reinterpret_cast<LPARAM>(&found));
      return kExitSecondStart;
    }
  }

  if (levelsGiven) return SetLevelsWithoutInstance(commandLine.levels);
  if (nightGiven) {
    // Stored for the next start; nothing runs night mode until then.
    settingsFile.Init(ProductName());
    return StoreNightRequestAlone(commandLine.night) ? kExitLevelsSet : kExitNotStored;
  }

  linkProductName = ProductName();
  StartTrace("entry");
  if (!LanguageArchive::Load()) return kExitNoTexts;
  StartTrace("archive");
  DetectLanguage();
  if (commandLine.background) startHidden = true;
  EnableProcessDpiAwareness();
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
