// The System menu's pages, started from the system folder.
#pragma once

#include <windows.h>

// Starts the System menu's page for `command` (CMD_SCREENSAVER .. CMD_BATTERY_SETTINGS), with
// WOW64 file-system redirection switched off only around the start.
void OpenSystemPageCommand(int command);
