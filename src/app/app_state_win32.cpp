#include "app/app_state_win32.h"

HINSTANCE appInstance = nullptr;
HWND mainDialog = nullptr;
HWND activeDialog = nullptr;
bool startHidden = false;
UINT activateMessage = 0;
std::u16string linkProductName;
