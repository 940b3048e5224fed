// A start that could not read the settings file (held by another program, a network folder
// not there yet at logon) shows neutral levels. Once the file can be read, the levels it
// holds are taken after all, if Restore is on there and the user has not moved them yet.
#pragma once

#include "gamma/color_levels.h"
#include "settings/settings_file.h"

// Asked before each write of the file: true once, with the levels to show now.
bool LevelsOfALateFile(SettingsFile& settings, ColorLevels* levels);
