// Placeholder until the autostart entry arrives.
#include "settings/autostart_win32.h"

int AddAutostart(HMODULE, const wchar_t*) { return 0; }
int RemoveAutostart(const wchar_t*) { return 0; }
int IsAutostartSet(const wchar_t*) { return 0; }
