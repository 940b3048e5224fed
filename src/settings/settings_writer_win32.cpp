#include "settings/settings_writer_win32.h"

#include "common/coalescer.h"
#include "common/window_timers_win32.h"
#include "common/window_ids.h"
#include "settings/settings_file.h"

namespace {

// A drag writes the file once it rests, not at every step; a long one every half second.
WriteSchedule saveSchedule(kSaveTimer, 300, 500);
HWND timerWindow = nullptr;
void (*lateFileHook)() = nullptr;
bool lookingForLateFile = false;

// True while the file the start could not read still cannot be read.
bool StillBlind() {
  if (!lookingForLateFile) return false;
  if (!settingsFile.FirstReadAfterBlindStart()) return true;
  lookingForLateFile = false;
  if (lateFileHook != nullptr) lateFileHook();
  return false;
}

}  // namespace

void InitSettingsWriter(HWND window, void (*onLateFile)()) {
  timerWindow = window;
  lateFileHook = onLateFile;
}

void StartLookingForALateFile() {
  lookingForLateFile = !settingsFile.ReadableAtStart();
  if (!lookingForLateFile || saveSchedule.Scheduled()) return;
  WindowTimers timers(timerWindow);
  saveSchedule.Written(timers, true);
}

void SettingsChanged() {
  WindowTimers timers(timerWindow);
  if (saveSchedule.Changed(timers, GetTickCount())) FlushPendingSettings();
}

void FlushPendingSettings() {
  const bool blind = StillBlind();
  WindowTimers timers(timerWindow);
  if (!settingsFile.HasPending()) {
    if (blind) saveSchedule.Written(timers, true);  // nothing to write, but keep looking
    return;
  }
  saveSchedule.Written(timers, settingsFile.WritePending() == ini::WriteResult::kBusy || StillBlind());
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
