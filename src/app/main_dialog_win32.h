// The main dialog: sliders, check boxes, language list, menu bar; the program's hub.
#pragma once

#include <windows.h>

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Writes the levels not yet stored to the settings file now (they are otherwise stored
// once a drag has settled). Safe to call at any time after the dialog has started.
void FlushPendingSettings();
// Caption text: common text 19 (or the product name and "1.01"), " Portable" in portable mode.
const wchar_t* WindowTitle();

// A second start hands its command-line levels to the running dialog: first it asks each
// dialog with InstanceQueryMessage(), which only Glowmere's answers with that same number,
// then sends it WM_COPYDATA tagged kLevelHandOverTag carrying a LevelHandOver.
constexpr ULONG_PTR kLevelHandOverTag = 0x474C4D4C;
struct LevelHandOver {
  INT32 brightness;  // -1: leave the brightness slider as it is
  INT32 red, green, blue;
  WCHAR display[260];  // the id of the one display they are for; empty: as the sliders
};
UINT InstanceQueryMessage();

// Gives the system-wide hotkeys back; called once the message loop has ended.
void UnregisterHotkeys();
