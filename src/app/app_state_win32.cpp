#include "app/app_state_win32.h"

HINSTANCE appInstance = nullptr;
HWND mainDialog = nullptr;
HWND activeDialog = nullptr;
int startHidden = 0;
UINT activateMessage = 0;
std::u16string linkProductName;
