// The dialog's web link and the maker's other pages.
#pragma once

#include <windows.h>

#include <string_view>

#include "extras/web_addresses.h"

// Makes the dialog's static control a link showing `text` that opens the page for
// `language`; may be called again to change both.
void AttachLink(HWND dialog, int controlId, const char* text, int language);
// 3: the donation page; any other value: the homepage. `productName` is the name the pages use.
void OpenWebPage(WebPage page, int language, std::u16string_view productName);
// Makes the dialog's link font anew from the dialog's font, after a change of DPI.
void RescaleLinks(HWND dialog);
