// The dialog's web link and the maker's other pages.
#pragma once

#include <windows.h>

// Makes the dialog's static control a link showing `text`; may be called again to change the text.
void AttachLink(HWND dialog, int controlId, const char* text);
// Makes the dialog's link font anew from the dialog's font, after a change of DPI.
void RescaleLinks(HWND dialog);
// 3: the donation page; any other value: the homepage.
void OpenWebPage(int kind);
