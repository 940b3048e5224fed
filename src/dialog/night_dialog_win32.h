// The night-mode dialog: on or off, the schedule (clock or sun), the night look with a live
// preview, the change's length, full-screen programs, the displays that take part, today's
// schedule in words and a 24-hour strip of the colour temperature.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "night/night_look.h"
#include "night/night_settings.h"
#include "night/time_zone.h"

struct NightDisplayChoice {
  std::u16string label;  // as the main dialog's display list names it
  bool on = true;        // "Night mode on this display"
};

// What the dialog edits; on OK it holds what the user set.
struct NightChoices {
  NightSettings settings;
  std::vector<NightDisplayChoice> displays;  // each attached display; shown with two or more
};

// The screen while the dialog is open: Preview shows `look` as full night on every display
// that takes part; EndPreview puts back what is due now.
class NightPreviewPort {
 public:
  virtual void Preview(const NightLook& look) = 0;
  virtual void EndPreview() = 0;

 protected:
  ~NightPreviewPort() = default;
};

// Modal over `owner`. True when the user pressed OK. `nowUtc` and `zone` give today's schedule
// line and the strip's "now".
bool ShowNightDialog(HWND owner, NightChoices* choices, NightPreviewPort& preview, int64_t nowUtc,
                     const TimeZonePort& zone);
