// Levels per display in the dialog and on the command line: the display list, the HDR note,
// and which displays the sliders, hotkeys and re-applies set.
#pragma once

#include <windows.h>

#include <string>

#include "app/command_line.h"
#include "app/level_handover_win32.h"
#include "gamma/color_levels.h"

// Dialog start, once the start's levels are read into `sliderLevels` (the dialog's own, kept
// for later moves of the sliders). With a single display that has levels of its own, those
// replace the ones read.
void StartDisplayChoice(HWND dialog, ColorLevels* sliderLevels, bool restore);
// Fills the display list and the HDR note in the current language, shown as they apply.
void ApplyDisplayTexts();
// The sliders' levels go to the chosen display, or to every display with "All displays";
// each display gets its ramp. True when "All displays" is chosen: the caller stores the
// levels as the start's.
bool ApplyToChosenDisplays(const ColorLevels& levels);
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
// A hand-over from a second start: 1 when applied here to the display it names, 0 when it is
// for the sliders (no display named, or the chosen one), -1 when no attached display has the id.
int HandOverToDisplay(const LevelHandOver& request);

// Command line: matches "-display" against the attached displays; an unknown one makes the
// command line malformed. Then applies the levels, without the dialog.
void ResolveDisplayOption(CommandLine& commandLine);
// Both queue the levels in the settings file and return false when a display refused them
// (or, for one display, when no attached display has the id).
bool ApplyLevelsToOneDisplay(const LevelRequest& levels);
bool ApplyLevelsToEveryDisplay(const ColorLevels& levels);
