// The four levels in the settings file ([Start] r, g, b and H): stored by the dialog and by
// a command-line start, read back when "restore at program start" is set.
#pragma once

#include "gamma/color_levels.h"
#include "settings/settings_file.h"

// Keeps the levels for the file's next write: all four go in one replacement of the file.
// A negative brightness leaves the stored one as it is.
void StoreLevels(SettingsFile& settings, const ColorLevels& levels);
// The stored levels, each neutral where absent and clamped to 0..256.
ColorLevels ReadStoredLevels(SettingsFile& settings);
// The stored brightness alone (a command line that sets the channels keeps it).
int ReadStoredBrightness(SettingsFile& settings);
