#include "app/dialog_window_win32.h"

#include "common/window_ids.h"
#include "dialog/dialog_levels_win32.h"
#include "gamma/gamma_controller_win32.h"
#include "gamma/ramp_limit_offer_win32.h"
#include "tray/tray_icon_win32.h"

namespace {

bool rampWarningGiven = false;

}  // namespace

void BringToFront(HWND dialog) {
  const UINT flags = SWP_NOSIZE | SWP_NOMOVE;
  SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, flags);
  SetWindowPos(dialog, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
  SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, flags);
  SetForegroundWindow(dialog);
}

void HideToTray(HWND dialog) {
  if (IsWindowVisible(dialog)) trayIcon.ZoomToTray(dialog, true);
}

INT_PTR OnTrayCallback(HWND dialog, LPARAM lParam) {
  switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONDOWN:
      if (!IsWindowVisible(dialog)) {
        BringToFront(dialog);
        ShowWindow(dialog, SW_SHOW);
      } else {
        ShowWindow(dialog, SW_HIDE);
      }
      return FALSE;
    case WM_RBUTTONDOWN:
      SetActiveWindow(dialog);
      return TRUE;
    default:
      return FALSE;
  }
}

void ArmRampCheck(HWND dialog) {
  if (!rampWarningGiven) SetTimer(dialog, kRampCheckTimer, 700, nullptr);
}

void CheckRampsKept(HWND dialog) {
  if (GetCapture() != nullptr) return;  // still dragging: look when it ends
  KillTimer(dialog, kRampCheckTimer);
  if (rampWarningGiven) return;
  const bool taken = ReapplyEveryDisplay(true) != 0;
  bool limited = gammaController.RampIgnored();
  if (!taken && !limited) {
    limited = ApplyNeutralToEveryDisplay() != 0;
    ReapplyEveryDisplay(true);
  }
  if (!limited) return;
  rampWarningGiven = true;
  OfferGammaRangeFix(dialog);
}
