// Night mode in the running program: the [Night] settings, the one timer, the evening's layer
// on top of each display's levels, pausing, and what the tray tip and the dialog say of it.
// Off, it costs one read of the settings file at the start and nothing else.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "control/command_line.h"
#include "levels/level_model.h"
#include "night/night_look.h"
#include "night/night_settings.h"

// What night mode needs of the dialog: to put the ramps up again, and to carry the layer.
struct NightHost {
  HWND dialog = nullptr;
  bool (*applyRamps)() = nullptr;  // false when a display refused its ramp
  void (*setLayer)(const RampLayer* layer) = nullptr;
};

// Reads [Night]; when it is on, the layer is in place before the start's first apply, so a
// start at night shows night from its first ramp.
void StartNightMode(const NightHost& host);
// After the first frame: the hotkey, the tray tip, the balloon for unreadable values.
void FinishNightModeStart();
// The night timer fired, or something changed the clock (resume, the time or the time zone
// set, a display change): puts up what is due now and arms the timer again.
void UpdateNightMode();
// The displays changed: a display that refused the night's ramps may take them now.
void ForgetNightFloors();
// Another window came to the front: a full-screen program may have come or gone.
void OnForegroundChanged();

bool NightModeOn();
bool NightModePaused();
// The user's moves: the menu, the hotkey, the command line. Each is stored.
void PauseNightMode(int minutes);  // 0: until the next change
void ResumeNightMode();
void ToggleNightPause();
void SetNightModeOn(bool on);
// A second start's -night; true when done.
bool TakeNightRequest(const NightRequest& request);

// The dialog's view: the settings and which displays take part (by id); the OK stores them.
NightSettings CurrentNightSettings();
bool NightOnDisplay(const std::u16string& id);
void ApplyNightSettings(const NightSettings& settings, const std::vector<std::pair<std::u16string, bool>>& displays);
// The look the night sliders show while the dialog is open; an ended preview puts back what is due.
void PreviewNightLook(const NightLook& look);
void EndNightPreview();

// The tray tip's second line and the line under the sliders; empty while night mode is off.
std::u16string NightStatusText();
// -night without a running instance: stored for the next start; false when it could not be.
bool StoreNightRequestAlone(const NightRequest& request);
