// Process-wide state of the shell, shared by the dialog and its helpers.
#pragma once

#include <windows.h>

#include <string>

extern HINSTANCE appInstance;  // the program's own module: dialog 101, icons 117 and 154
extern HWND mainDialog;        // the main dialog
extern HWND activeDialog;      // gets keyboard messages through IsDialogMessageW
extern bool startHidden;       // started with "-bg"
extern UINT activateMessage;   // registered under the product name
extern std::u16string linkProductName;

#include "res/resource_ids.h"  // dialog, control and command ids
