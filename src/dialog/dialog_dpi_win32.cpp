#include "dialog/dialog_dpi_win32.h"

#include "res/resource_ids.h"
#include "common/dpi_scale.h"
#include "common/dpi_win32.h"
#include "extras/link_control_win32.h"

namespace {

// The icons this dialog loaded, destroyed once nothing shows them any more (the
// template's own are shared and stay).
HICON smallIcon, largeIcon;

void Replace(HICON* held, HICON icon) {
  if (*held != nullptr && *held != icon) DestroyIcon(*held);
  *held = icon;
}

}  // namespace

void ApplyDialogDpi(HWND dialog) {
  const int dpi = DpiForWindow(dialog);
  const HICON small = LoadIconAtSize(GetModuleHandleW(nullptr), IDI_APP, SmallIconSizeForDpi(dpi));
  const HICON large = LoadIconAtSize(GetModuleHandleW(nullptr), IDI_APP, LargeIconSizeForDpi(dpi));
  SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
  // An icon control takes the size of its icon: it grows with the DPI as the layout does.
  SendDlgItemMessageW(dialog, IDC_ICON_SLIDERS, STM_SETICON, reinterpret_cast<WPARAM>(large), 0);
  SendDlgItemMessageW(dialog, IDC_ICON_BOTTOM, STM_SETICON, reinterpret_cast<WPARAM>(large), 0);
  Replace(&smallIcon, small);
  Replace(&largeIcon, large);
}

INT_PTR OnDialogDpiChanged(HWND dialog) {
  PostMessageW(dialog, kDialogDpiApplied, 0, 0);
  return FALSE;
}

INT_PTR OnDialogDpiApplied(HWND dialog) {
  ApplyDialogDpi(dialog);
  RescaleLinks(dialog);
  return TRUE;
}
