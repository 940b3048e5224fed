// What a start of Glowmere tells the program or script that started it. A script that sets
// levels from the command line learns from the code whether they took effect.
#pragma once

enum ExitCode : unsigned {
  kExitLevelsSet = 0,           // on the displays and stored
  kExitUninstalled = 0,         // the removal script has been started
  kExitBadOption = 2,           // a mistyped option or an unknown display: nothing changed
  kExitInstanceDidNotTake = 3,  // an instance runs but did not take the levels
  kExitRampRefused = 4,         // a display refused the ramp; the levels are stored
  kExitNotStored = 5,           // on the displays, but the settings file could not be written
  kExitNoTexts = 6,             // the language archive could not be loaded
  kExitNothingTookEffect = 7,   // no display took the levels and the file could not be written
  kExitHdrOnly = 8,             // the displays named are in HDR: nothing to apply; stored
  kExitCommand = 1075,          // Exit in the window
  kExitSecondStart = 45054,     // a second start: the running instance shows its window
};

// What a command line's levels did, as its exit code: whether the displays they are for took
// them (`hdrOnly`: those are in HDR, nothing to apply) and whether the file stored them.
constexpr ExitCode LevelsExitCode(bool applied, bool hdrOnly, bool stored) {
  if (!stored) return applied && !hdrOnly ? kExitNotStored : kExitNothingTookEffect;
  if (hdrOnly) return kExitHdrOnly;
  return applied ? kExitLevelsSet : kExitRampRefused;
}
