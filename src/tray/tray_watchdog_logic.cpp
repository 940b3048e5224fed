#include "tray/tray_watchdog_logic.h"

bool TrayWatchdogStep(TrayIconPort& icon, WatchdogWake wake) {
  if (wake == WatchdogWake::StopRequested) return false;
  // An icon for a destroyed window would stay behind as a ghost until hovered.
  if (!icon.OwnerExists()) return true;
  if (wake == WatchdogWake::ReaddRequested || !icon.IsPresent()) icon.AddOrUpdate();
  return true;
}

void ReaddTrayIcon(TrayIconPort& icon, WatchdogThreadPort& watchdog) {
  if (watchdog.IsRunning()) {
    watchdog.RequestReadd();
  } else {
    icon.AddOrUpdate();
  }
}

void DestroyTrayIcon(TrayIconPort& icon, WatchdogThreadPort& watchdog) {
  if (watchdog.IsRunning()) watchdog.StopAndWait();
  icon.Remove();
}
