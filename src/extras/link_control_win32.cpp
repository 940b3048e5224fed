// Placeholder until the link controls arrive.
#include "extras/link_control_win32.h"

void AttachLink(HWND dialog, int controlId, const char* text) { SetDlgItemTextA(dialog, controlId, text); }
void OpenWebPage(int) {}
