// What the tray icon's watchdog decides, and in which order the icon and its
// watchdog are started and ended. The shell calls and the thread stay behind the
// two small interfaces below, so the decisions run without either.
#pragma once

#include <cstdint>

constexpr uint32_t kTrayWatchdogPeriodMs = 5000;

// The icon in the notification area, as the watchdog and its owner reach it.
class TrayIconPort {
 public:
  // False once the window that receives the icon's messages is gone.
  virtual bool OwnerExists() = 0;
  virtual bool IsPresent() = 0;
  virtual void AddOrUpdate() = 0;
  virtual void Remove() = 0;

 protected:
  ~TrayIconPort() = default;
};

// Why the watchdog woke up.
enum class WatchdogWake { PeriodElapsed, ReaddRequested, StopRequested };

// The watchdog thread, as its owner controls it.
class WatchdogThreadPort {
 public:
  virtual bool IsRunning() = 0;
  virtual void Start() = 0;
  // Asks the thread to end and waits until it has ended.
  virtual void StopAndWait() = 0;
  // Asks the running thread to add the icon again at once.
  virtual void RequestReadd() = 0;

 protected:
  ~WatchdogThreadPort() = default;
};

// Handles one wake-up; false when the watchdog must end.
bool TrayWatchdogStep(TrayIconPort& icon, WatchdogWake wake);

// The watchdog's loop: waits up to the period for a wake-up, handles it, until stopped.
template <typename WaitForWake>
void RunTrayWatchdog(TrayIconPort& icon, WaitForWake wait) {
  while (TrayWatchdogStep(icon, wait(kTrayWatchdogPeriodMs))) {}
}

// Create: a running watchdog reads the icon's fields, so it is stopped before
// `storeFields` rewrites them. A new one starts when asked, or when one was running.
template <typename StoreFields>
void CreateTrayIcon(TrayIconPort& icon, WatchdogThreadPort& watchdog, bool startWatchdog, StoreFields storeFields) {
  const bool wasRunning = watchdog.IsRunning();
  if (wasRunning) watchdog.StopAndWait();
  storeFields();
  icon.AddOrUpdate();
  if (startWatchdog || wasRunning) watchdog.Start();
}

// The taskbar came back: the watchdog is the only writer once it runs, so it re-adds.
void ReaddTrayIcon(TrayIconPort& icon, WatchdogThreadPort& watchdog);

// End: the watchdog is over before the icon is removed, so it cannot add it back.
void DestroyTrayIcon(TrayIconPort& icon, WatchdogThreadPort& watchdog);
