// The program's icon in the notification area, kept there by a watchdog thread.
#pragma once

#include <windows.h>

constexpr UINT TrayCallbackMessage = 0x8064;  // WM_APP + 100

class TrayIcon {
 public:
  virtual ~TrayIcon();
  void SetWindow(HWND owner);
  // Adds (or updates) the icon and, when asked, starts the watchdog.
  int Create(UINT iconId, const wchar_t* tip, bool startWatchdog);
  // Hides the window and plays the shrinking-rectangle effect towards the tray.
  void ZoomToTray(HWND window, bool animate);
  // Adds the icon again at once (the taskbar announced itself).
  void Readd();
 private:
  struct State;
  State* state_ = nullptr;
};

extern TrayIcon trayIcon;
