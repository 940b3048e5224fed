// The menu bar of the main dialog, rebuilt in the current language by ApplyTexts.
#include "dialog/menus_win32.h"

#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "dialog/menu_labels.h"
#include "common/win32_text.h"
#include "i18n/string_table.h"
#include "text_ids.h"

namespace {

// Bitmaps made for the bar now on the dialog; deleted when a new bar replaces it,
// so switching languages over and over leaks no GDI objects.
std::vector<HBITMAP>& CurrentItemBitmaps() {
  static std::vector<HBITMAP> bitmaps;
  return bitmaps;
}

// Copied at once: a missing text's placeholder lives in a buffer the next lookup reuses.
std::u16string TextOf(int id) {
  const char16_t* s = StringTable::Text(id);
  return s ? std::u16string(s) : std::u16string();
}

void AppendItem(HMENU menu, UINT id, const std::u16string& label) { AppendMenuW(menu, MF_STRING, id, W(label)); }

void AppendSeparator(HMENU menu) { AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); }

void AppendPopup(HMENU bar, HMENU popup, const wchar_t* label) {
  AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), label);
}

// The item keeps the bitmap in its check-mark column; the icon is not needed afterwards.
void SetItemIcon(HMENU bar, UINT id, HICON icon, std::vector<HBITMAP>& made) {
  HBITMAP bitmap = IconToMenuBitmap(icon);
  if (icon) DestroyIcon(icon);
  if (!bitmap) return;
  made.push_back(bitmap);
  SetMenuItemBitmaps(bar, id, MF_BYCOMMAND, bitmap, nullptr);
}

HMENU BuildProgramMenu() {
  HMENU menu = CreatePopupMenu();
  AppendItem(menu, CMD_HOMEPAGE, TextOf(kTextHomepage));
  AppendSeparator(menu);
  AppendItem(menu, CMD_NIGHT_MODE, TextOf(kTextNightMenu));
  AppendItem(menu, CMD_NIGHT_PAUSE, TextOf(kTextNightPauseHour));
  AppendItem(menu, CMD_NIGHT_RESUME, TextOf(kTextNightResume));
  AppendSeparator(menu);
  AppendItem(menu, CMD_DONATE, TextOf(kTextDonate));
  AppendItem(menu, CMD_UNINSTALL, TextOf(kTextUninstall));
  AppendSeparator(menu);
  AppendItem(menu, IDC_EXIT, TextOf(kTextExit));
  return menu;
}

HMENU BuildSystemMenu() {
  HMENU menu = CreatePopupMenu();
  AppendSeparator(menu);
  AppendItem(menu, CMD_SCREENSAVER, TextOf(kTextScreensaver));
  AppendItem(menu, CMD_POWER_OPTIONS, TextOf(kTextPowerOptions));
  AppendItem(menu, CMD_MOBILITY_CENTER, TextOf(kTextMobilityCenter));
  AppendSeparator(menu);
  AppendItem(menu, CMD_BATTERY_SETTINGS, TextOf(kTextBatterySettings));
  AppendSeparator(menu);
  return menu;
}

bool DeveloperMarkerPresent() { return GetFileAttributesA(kDeveloperMarkerFile) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

HICON LoadShellIcon(int number, int large) {
  // Already loaded: the program imports from it.
  static HMODULE shell = GetModuleHandleA("shell32");
  if (!shell) return nullptr;
  int cx = GetSystemMetrics(large ? SM_CXICON : SM_CXSMICON);
  int cy = GetSystemMetrics(large ? SM_CYICON : SM_CYSMICON);
  return static_cast<HICON>(LoadImageW(shell, MAKEINTRESOURCEW(LOWORD(number)), IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
}

HBITMAP IconToMenuBitmap(HICON icon) {
  const int cx = GetSystemMetrics(SM_CXSMICON);
  const int cy = GetSystemMetrics(SM_CYSMICON);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = cx;
  info.bmiHeader.biHeight = cy;  // bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP drawn = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = drawn ? SelectObject(memory, drawn) : nullptr;

  // Composed over the menu colour, since menu bitmaps have no transparency.
  HBRUSH background = CreateSolidBrush(GetSysColor(COLOR_MENU));
  if (drawn && icon) DrawIconEx(memory, 0, 0, icon, cx, cy, 0, background, DI_NORMAL);

  if (previous) SelectObject(memory, previous);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  HBITMAP copy = drawn ? static_cast<HBITMAP>(CopyImage(drawn, IMAGE_BITMAP, cx, cy, LR_CREATEDIBSECTION)) : nullptr;
  if (drawn) DeleteObject(drawn);
  DeleteObject(background);
  return copy;
}

HMENU BuildLanguageMenu(HWND dialog) {
  HMENU menu = CreatePopupMenu();
  const bool marker = DeveloperMarkerPresent();
  HWND list = GetDlgItem(dialog, IDC_LANGUAGES);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);

  const std::vector<LanguageLabel> labels = LanguageLabels(languageNames, translatedPercent, languageCount, marker);
  for (size_t i = 0; i < labels.size(); ++i) {
    const LanguageLabel& label = labels[i];
    const int index = static_cast<int>(i);
    if (label.inMenu) {
      const UINT id = CMD_LANGUAGE_FIRST + static_cast<UINT>(index);
      AppendMenuW(menu, MF_STRING | (index == currentLanguage ? MF_CHECKED : MF_UNCHECKED), id, W(label.menuText));
      if (index == currentLanguage) SetMenuDefaultItem(menu, id, FALSE);
    }
    if (label.inList) SendMessageW(list, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(W(label.listText)));
  }

  AppendSeparator(menu);
  AppendMenuW(menu, MF_STRING, CMD_TRANSLATE, L"Translate");
  AppendMenuW(menu, MF_STRING, CMD_LOAD_TRANSLATION, L"Load from File (Unicode)");
  // An index without a list entry clears the selection.
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(currentLanguage), 0);
  return menu;
}

void BuildMenuBar(HWND dialog) {
  HMENU bar = CreateMenu();
  AppendPopup(bar, BuildProgramMenu(), W(TextOf(kTextProgramMenu)));
  AppendPopup(bar, BuildSystemMenu(), W(TextOf(kTextSystemMenu)));

  AppendPopup(bar, BuildLanguageMenu(dialog), L"&LNG");

  HMENU previous = GetMenu(dialog);
  SetMenu(dialog, bar);
  // DestroyMenu takes the submenus along; the bitmaps are ours to delete once nothing shows them.
  if (previous && previous != bar) DestroyMenu(previous);
  for (HBITMAP bitmap : CurrentItemBitmaps()) DeleteObject(bitmap);
  CurrentItemBitmaps().clear();
}

void AddMenuIcons(HWND dialog) {
  HMENU bar = GetMenu(dialog);
  if (bar == nullptr) return;
  std::vector<HBITMAP>& made = CurrentItemBitmaps();
  SetItemIcon(bar, CMD_BATTERY_SETTINGS, LoadShellIcon(151, 0), made);
  SetItemIcon(bar, CMD_UNINSTALL, LoadShellIcon(271, 0), made);
  SetItemIcon(bar, CMD_HOMEPAGE, LoadShellIcon(324, 0), made);
  const int small = GetSystemMetrics(SM_CXSMICON);
  HICON own = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP32), IMAGE_ICON, small, small, LR_DEFAULTCOLOR));
  SetItemIcon(bar, CMD_DONATE, own, made);
  DrawMenuBar(dialog);
}
