// The clock, the time zone and the screen as night mode sees them on Windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "night/time_zone.h"

// The time zone and daylight saving Windows applies to each moment.
class WindowsTimeZone final : public TimeZonePort {
 public:
  int OffsetMinutesAt(int64_t utcSeconds) const override;
};

// UTC milliseconds since 1970.
int64_t NowMs();
// A UTC moment as the user's clock shows it ("21:00", "9:00 PM").
std::u16string LocalTimeText(int64_t utcSeconds);
// Whether a program other than the shell and `own` fills the display `deviceName` ("\\.\DISPLAY1").
bool FullScreenOn(const std::u16string& deviceName, HWND own);
