// The night-mode dialog's controls that take more than a message each: the user's clock and decimal
// separator, the time pickers, the display check boxes laid out at run time, the 24-hour strip
// and the tip that says why a typed value was refused.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dialog/night_dialog_win32.h"

// A text of the current language; "" when the archive has none.
std::u16string NightText(int id);
// A local minute of the day as the user's time format writes it, without seconds.
std::u16string UserClock(int minute);
// The user's decimal separator; '.' where the locale names none of one character.
char16_t UserDecimalSeparator();

// Shows `minute` in the user's short time format (no seconds).
void SetUpTimePicker(HWND picker, int minute);
// The minute of the day the picker shows; -1 when it shows none.
int PickedMinute(HWND picker);

// With two or more displays: one check box per display (up to the ids there are) inside the
// displays group, which is shown, and OK and Cancel moved down below it, the dialog grown to hold
// them. With one display nothing changes.
void AddDisplayChecks(HWND dialog, const std::vector<NightDisplayChoice>& displays);

// The strip: a column per pixel in the colour of that moment's look, hour marks every 6 hours and
// a line at `nowUtc`.
void DrawNightStrip(const DRAWITEMSTRUCT& item, const NightSettings& settings, int64_t nowUtc,
                    const TimeZonePort& zone);

// Says why the text of `edit` is refused in a balloon on it; where the edit has no balloons, a
// message box does when `boxWithoutBalloon`.
void ShowRefusal(HWND edit, int textId, bool boxWithoutBalloon);
