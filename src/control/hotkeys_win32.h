// The system-wide hotkeys: Brighter, Darker and Neutral, read from the settings file's
// [Hotkeys] section and reported once in a tray balloon when they cannot be had.
#pragma once

#include <windows.h>

#include <string>

// Registers the hotkeys for `window`, queueing the defaults for absent keys so the user
// finds them in the file. Those that cannot be registered are reported together, once.
void RegisterHotkeys(HWND window);
// Night mode's hotkey (pause until the next change, or resume): registered while night mode is
// on, given back when it is switched off.
void RegisterNightHotkey(HWND window, bool on);
bool IsNightHotkey(WPARAM id);
// Gives the hotkeys back; called once the message loop has ended.
void UnregisterHotkeys(HWND window);
// The brightness after hotkey `id` (WM_HOTKEY's wParam) was pressed at `level`.
int BrightnessAfterHotkey(WPARAM id, int level);
// The report timer fired: the shell may hold the icon by now.
void RetryHotkeyReport(HWND window);
// A hotkey was pressed while the display it is for (`label`, as the list names it) is away:
// says so in a balloon. False when the shell did not take it.
bool ReportHotkeyForAwayDisplay(const std::u16string& label);
