// Placeholder until the uninstall arrives.
#include "extras/uninstall_win32.h"

void UninstallProgram() {}
