// Platform functions that older systems lack, looked up by name at run time.
#pragma once

#include <windows.h>

int EnableDpiAwareness();
int IsWow64();
int SetWow64FsRedirection(BOOL enable);
// Starts the System menu's page for `command` (40029..40032), with WOW64 file-system
// redirection switched off only around the start.
void OpenSystemPageCommand(int command);
