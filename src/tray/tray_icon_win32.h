// The program's icon in the notification area, kept there by a watchdog thread.
#pragma once

#include <windows.h>

#include "common/window_ids.h"

class TrayIcon {
 public:
  // Constant-initialised: the global needs no start-up code and touches nothing.
  constexpr TrayIcon() = default;
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  // Ends the watchdog, waits for it, then removes the icon.
  virtual ~TrayIcon();

  void SetWindow(HWND owner);
  // Adds (or updates) the icon and, when asked, starts the watchdog. Returns 1.
  int Create(UINT iconId, const wchar_t* tip, bool startWatchdog);
  // Hides the window and plays the shrinking-rectangle effect towards the tray.
  void ZoomToTray(HWND window, bool animate);
  // Adds the icon again at once (the taskbar announced itself).
  void Readd();

  // Loads a fresh icon and modifies the shell's icon, or adds it when the shell has none.
  void AddOrUpdate();
  // True when the shell holds the icon; changes nothing the shell shows.
  BOOL IsPresent();
  // A new tip, kept for when the icon is added again; the shell's icon shows it at once.
  void SetTip(const wchar_t* tip);
  // A warning balloon from the icon, titled `title`; false when the shell holds no icon yet.
  bool ShowBalloon(const wchar_t* title, const wchar_t* text);
  // One shell call with the first-version record; destroys `icon` afterwards.
  BOOL Notify(DWORD message, UINT flags, UINT id, HICON icon, const wchar_t* tip);

 private:
  class IconPort;
  class WatchdogPort;
  struct WatchdogRun;
  static DWORD WINAPI TrayWatchdog(LPVOID run);

  DWORD watchdogThreadId = 0;
  HANDLE watchdogThread = nullptr;
  wchar_t tipText[1024] = {};
  HICON currentIcon = nullptr;
  UINT iconId = 0;
  HWND ownerWindow = nullptr;
  // The running watchdog's own events; each watchdog gets new ones.
  WatchdogRun* watchdogRun = nullptr;
};

extern TrayIcon trayIcon;
