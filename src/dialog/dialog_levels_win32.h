// The levels in the dialog: the dialog's LevelModel, the display list, the HDR note, and the
// sliders that show the model.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "control/level_handover_win32.h"
#include "gamma/color_levels.h"
#include "levels/level_model.h"

// Dialog start: reads the levels (every display's, whatever `restore` says). Nothing is
// shown, applied or written yet: ApplyRamps and ShowLevels do that.
void StartLevels(HWND dialog, bool restore);
// The file could be read at last after a start that could not: takes what it holds and shows
// it; with Restore on there, on the displays too. Writes nothing.
void TakeLateLevels(bool restore);
// Moves the trackbars, the value labels, the accessible values and the HDR note to what
// the model says the sliders show. Every change of the sliders' positions goes through here.
void ShowLevels();
// The levels the sliders show now.
ColorLevels SliderLevels();
// The user moved the sliders (a drag, a key, a hotkey): the model takes the levels (a negative
// brightness keeps the one there), every display gets its ramp, the sliders show them, and the
// change is queued for the settings file. False when a display refused its ramp.
bool MoveSliders(const ColorLevels& levels);
// Puts what the model says on every display, without asking the system for the displays.
int ApplyRamps(bool readBack = false);
// A layer on top of each display's levels in its ramp (night mode's); null for none.
void SetRampLayer(const RampLayer* layer);
// The attached displays' ids and list labels, for the night-mode dialog.
std::vector<std::pair<std::u16string, std::u16string>> DisplayIdsAndLabels();
// Fills the display list and the HDR note in the current language, shown as they apply.
void ApplyDisplayTexts();
// Each display its own levels again, after the displays may have changed; 0 if one failed.
// With `readBack`, the ramps are read back (GammaController::RampIgnored) and the list of
// displays is not asked for again.
int ReapplyEveryDisplay(bool readBack = false);
// The neutral ramp on every display not in HDR; 0 if one refused it.
int ApplyNeutralToEveryDisplay();
// The display list's notification.
void OnDisplayListCommand(int code);
// Reset's first step: the identity ramp on the screen, unless a display runs in HDR.
void ResetScreenRamp();
// The display the sliders and hotkeys set is chosen but not attached; its list label in
// `label`.
bool ChosenDisplayAway(std::u16string* label);

// What a hand-over did; the second start turns it into its exit code.
enum class HandOverResult : LONG_PTR { kNotTaken = 0, kApplied = 1, kRefused = 2, kHdr = 3, kNoDisplay = 4 };
// A hand-over from a second start: its levels for the display it names, or for every display.
HandOverResult TakeHandOver(const LevelHandOver& request);
