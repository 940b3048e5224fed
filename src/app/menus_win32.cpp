// Placeholder until the menu bar arrives.
#include "app/menus_win32.h"

void BuildMenuBar(HWND) {}
