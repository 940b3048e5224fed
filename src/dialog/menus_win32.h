// The dialog's menu bar and the language list beside it.
#pragma once

#include <windows.h>

// Builds the menu bar in the current language and puts it on the dialog,
// refilling the language list (IDC_LANGUAGES) on the way. The bar it replaces is destroyed
// with its submenus and the item bitmaps made for it.
void BuildMenuBar(HWND dialog);
// The icons of the menu bar's items (shell icons loaded from disk): after the first frame at
// the start, right after BuildMenuBar otherwise.
void AddMenuIcons(HWND dialog);

// The language popup ("&LNG"); refills and selects the dialog's language list.
HMENU BuildLanguageMenu(HWND dialog);

// A new small-icon-sized bitmap of the icon over the menu colour (the icon is kept);
// a null icon gives an all-zero bitmap.
HBITMAP IconToMenuBitmap(HICON icon);

// Icon `number` of the shell library at the small (large == 0) or large size, or null.
HICON LoadShellIcon(int number, int large);
