#include "app/settings_writer_win32.h"

#include "app/coalescer.h"
#include "app/dialog_timers_win32.h"
#include "app/timer_ids.h"
#include "settings/settings_file.h"

namespace {

// A drag writes the file once it rests, not at every step; a long one every half second.
WriteSchedule saveSchedule(kSaveTimer, 300, 500);
HWND timerWindow = nullptr;
void (*beforeWriteHook)() = nullptr;

}  // namespace

void InitSettingsWriter(HWND window, void (*beforeWrite)()) {
  timerWindow = window;
  beforeWriteHook = beforeWrite;
}

void SettingsChanged() {
  WindowTimers timers(timerWindow);
  if (saveSchedule.Changed(timers, GetTickCount())) FlushPendingSettings();
}

void FlushPendingSettings() {
  if (!settingsFile.HasPending()) return;
  // The hook may move the sliders, whose change can already have written everything.
  if (beforeWriteHook != nullptr) beforeWriteHook();
  if (!settingsFile.HasPending()) return;
  WindowTimers timers(timerWindow);
  saveSchedule.Written(timers, settingsFile.WritePending() == ini::WriteResult::kBusy);
}

void OnSaveTimer() {
  WindowTimers timers(timerWindow);
  if (saveSchedule.Expire(timers)) FlushPendingSettings();
}

void RetryBusyWrites() {
  if (settingsFile.HasPending() && settingsFile.LastWrite() == ini::WriteResult::kBusy && !saveSchedule.Scheduled()) {
    WindowTimers timers(timerWindow);
    saveSchedule.Written(timers, true);
  }
}
