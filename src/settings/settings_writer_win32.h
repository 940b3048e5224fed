// When the settings file is written: a change is stored once it settles (a drag costs one
// write), a busy file is tried again later, and some moments store everything at once.
#pragma once

#include <windows.h>

// The timers run on `window` (the main dialog). After a start that could not read the file,
// it is looked at again on the retry timer, with or without values to write, and
// `onLateFile` runs once it can be read, before anything is written to it.
void InitSettingsWriter(HWND window, void (*onLateFile)());
// The start is done: a file it could not read is looked at again from now on.
void StartLookingForALateFile();
// Values were queued in the settings file: store them once they rest.
void SettingsChanged();
// Writes the values not yet stored now. Safe to call at any time after the dialog has started.
void FlushPendingSettings();
// The save timer fired.
void OnSaveTimer();
// A value written straight to the file (language, check box) that found it busy waits in
// the settings file; this schedules another try.
void RetryBusyWrites();
