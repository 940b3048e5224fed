// The floor for start-up time: a program that only creates and shows Glowmere's dialog template.
#include <windows.h>

#include <commctrl.h>

#include "resource_ids.h"

static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) {
    ShowWindow(dialog, SW_SHOW);
    SetDlgItemTextW(dialog, IDC_BRIGHTNESS_VALUE, L" 0 %");
    return TRUE;
  }
  if (message == WM_CLOSE) PostQuitMessage(0);
  return FALSE;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, Proc, 0);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
