// Process-wide state of the shell, shared by the dialog and its helpers.
#pragma once

#include <windows.h>

#include <string>

extern HINSTANCE appInstance;     // the program's own module: dialog 101, icons 117 and 154
extern HWND mainDialog;           // the main dialog
extern HWND activeDialog;         // gets keyboard messages through IsDialogMessageW
extern int startHidden;           // 1 when started with "-bg"
extern UINT activateMessage;      // registered under the product name
extern std::u16string linkProductName;

// Dialog and control ids of resource 101.
enum : int {
  IDD_MAIN = 101,
  IDM_PLACEHOLDER = 113,
  IDI_APP = 117,
  IDI_APP32 = 154,
  IDC_REMOVE = 121,
  IDC_RESET = 122,
  IDC_EXIT = 1030,
  IDC_LANGUAGES = 1031,
  IDC_LINK = 1032,
  IDC_GREEN_LABEL = 1036,
  IDC_BLUE_LABEL = 1037,
  IDC_BRIGHTNESS = 1038,
  IDC_RED = 1039,
  IDC_GREEN = 1040,
  IDC_BLUE = 1041,
  IDC_AUTOSTART = 1042,
  IDC_RESTORE = 1043,
  IDC_RED_VALUE = 1044,
  IDC_BRIGHTNESS_VALUE = 1045,
  IDC_GREEN_VALUE = 1046,
  IDC_BLUE_VALUE = 1047,
  IDC_BRIGHTNESS_LABEL = 1048,
};

// Menu command ids (shared with the controls' command space).
enum : int {
  CMD_HOMEPAGE = 40025,
  CMD_DONATE = 40027,
  CMD_SCREENSAVER = 40029,
  CMD_POWER_OPTIONS = 40030,
  CMD_BATTERY_SETTINGS = 40031,
  CMD_MOBILITY_CENTER = 40032,
  CMD_UNINSTALL = 40041,
  CMD_LANGUAGE_FIRST = 21234,
  CMD_TRANSLATE = 21334,
  CMD_LOAD_TRANSLATION = 21335,
};
