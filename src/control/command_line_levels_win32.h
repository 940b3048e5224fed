// Levels from the command line without a dialog: which display "-display" names, and the
// levels set by a start that finds no running instance.
#pragma once

#include "control/command_line.h"

// Command line: matches "-display" against the attached displays; an unknown one makes the
// command line malformed.
void ResolveDisplayOption(CommandLine& commandLine);
// What a command line's levels did without a running instance.
struct AloneResult {
  bool applied = false;    // every display the levels are for took its ramp
  bool hdrOnly = false;    // the levels are for displays in HDR only: nothing to apply
  bool noDisplay = false;  // the display named is no longer attached: nothing was done
};
// Sets the levels as a move of the sliders would, with the stored levels for every other
// display, and queues them for the settings file.
AloneResult ApplyLevelsAlone(const LevelRequest& request);
