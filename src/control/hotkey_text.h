// System-wide hotkeys in the readable form the settings file keeps, such as "Ctrl+Alt+PgUp".
#pragma once

#include <cstdint>
#include <string_view>

// The modifier bits and virtual-key codes RegisterHotKey takes.
constexpr uint32_t kModAlt = 0x1, kModCtrl = 0x2, kModShift = 0x4, kModWin = 0x8;

struct Hotkey {
  uint32_t modifiers = 0;
  uint32_t key = 0;  // 0: no hotkey
};

// Modifiers Ctrl, Alt, Shift, Win and one key (a letter, a digit, F1-F24, PgUp, PgDn, Home,
// End, Up, Down, Left, Right, Plus, Minus), joined by "+", in any letter case. An empty
// text is a valid "off". False for anything else, and for a key without Ctrl, Alt or Win
// (only F13-F24 may stand alone or with Shift alone).
bool ParseHotkey(std::u16string_view text, Hotkey* hotkey);
