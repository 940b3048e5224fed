// Self-removal: autostart entry, removal script, uninstall page, then the program ends.
#pragma once

// Asks first; on Yes removes the autostart entry, starts the removal script,
// opens the uninstall page and posts the quit message (exit code 0).
void UninstallProgram();
// Writes the removal script into the temporary folder and starts it hidden.
// Writes nothing when a path cannot be put into the script exactly.
void WriteRemovalScript();
