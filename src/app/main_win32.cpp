// Process entry: single instance, texts, command line, the dialog and the message loop.
#include <windows.h>

#include <commctrl.h>
#include <stdlib.h>

#include "app/app_state_win32.h"
#include "app/main_dialog_win32.h"
#include "app/platform_helpers_win32.h"
#include "app/product_name.h"
#include "common/system_folder_win32.h"
#include "common/win32_text.h"
#include "i18n/language_archive.h"
#include "i18n/language_choice.h"

namespace {

constexpr int kExitSecondStart = 45054;
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

bool FirstArgumentIsBackground() {
  return __argc >= 2 && __wargv != nullptr && __wargv[1] != nullptr && lstrcmpiW(__wargv[1], L"-bg") == 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  RestrictLibrarySearchToSystemFolder();
  activateMessage = RegisterWindowMessageW(W(ProductName()));

  instanceMutex = CreateMutexW(nullptr, FALSE, W(ProductName()));
  const DWORD mutexError = GetLastError();
  if (mutexError == ERROR_ALREADY_EXISTS || mutexError == ERROR_ACCESS_DENIED) {
    // Hand over to the running instance and end here: a second instance must not
    // touch the displays, the settings or the tray behind the first one's back.
    HWND found = nullptr;
    EnumWindows(NotifyInstanceProc, reinterpret_cast<LPARAM>(&found));
    return kExitSecondStart;
  }

  linkProductName = ProductName();
  if (!LanguageArchive::Load()) return 0;
  DetectLanguage();
  if (FirstArgumentIsBackground()) startHidden = 1;
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
  return static_cast<int>(message.wParam);
}
