#include "app/dialog_dpi_win32.h"

#include "app/app_state_win32.h"
#include "common/dpi_scale.h"
#include "common/dpi_win32.h"
#include "extras/link_control_win32.h"

namespace {

// The icons this dialog loaded, destroyed when replaced (the template's own are shared).
HICON dialogIcons[4];

void Replace(HICON* held, HICON icon) {
  if (*held != nullptr && *held != icon) DestroyIcon(*held);
  *held = icon;
}

}  // namespace

void ApplyDialogDpi(HWND dialog) {
  const int dpi = DpiForWindow(dialog);
  const int small = SmallIconSizeForDpi(dpi);
  const int large = LargeIconSizeForDpi(dpi);
  HICON icons[4] = {LoadIconAtSize(appInstance, IDI_APP, small), LoadIconAtSize(appInstance, IDI_APP, large),
                    LoadIconAtSize(appInstance, IDI_APP, large), LoadIconAtSize(appInstance, IDI_APP, large)};
  SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons[0]));
  SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons[1]));
  // An icon control takes the size of its icon: it grows with the DPI as the layout does.
  SendDlgItemMessageW(dialog, IDC_ICON_SLIDERS, STM_SETICON, reinterpret_cast<WPARAM>(icons[2]), 0);
  SendDlgItemMessageW(dialog, IDC_ICON_BOTTOM, STM_SETICON, reinterpret_cast<WPARAM>(icons[3]), 0);
  for (int i = 0; i < 4; ++i) Replace(&dialogIcons[i], icons[i]);
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
