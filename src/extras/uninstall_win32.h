// Self-removal: autostart entry, removal script, uninstall page, then the program ends.
#pragma once

void UninstallProgram();
