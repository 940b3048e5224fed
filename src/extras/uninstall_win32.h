// Self-removal: autostart entry, removal script, uninstall page, then the program ends.
#pragma once

#include <windows.h>

// Asks first; on Yes removes the autostart entry, starts the removal script (or says
// which files stay when it cannot), opens the uninstall page and posts the quit message
// (exit code 0). `language` 0 asks in German, any other in English.
void UninstallProgram(HWND owner, int language);
// Writes the removal script into the temporary folder and starts it hidden; false when
// it could not, for instance when a path cannot be put into the script exactly.
bool WriteRemovalScript();
