// How the dialog shows levels: the value labels beside the sliders, and the one function
// that moves the sliders, their labels and what a screen reader hears together.
#pragma once

#include <cstdint>
#include <string>

#include "gamma/color_levels.h"

// " %d %%" of (level - 128) * 100 / 256, truncated toward zero: " -50 %" .. " 50 %".
std::string FormatPercent(int32_t level);

// The four sliders as the dialog shows them; 0..3 are brightness, red, green and blue.
class SliderViewPort {
 public:
  virtual void SetPosition(int slider, int level) = 0;
  virtual void SetLabel(int slider, const std::string& text) = 0;
  // What a screen reader hears, for all four at once.
  virtual void SetAccessibleValues(const int (&levels)[4]) = 0;

 protected:
  ~SliderViewPort() = default;
};

// Every change of the sliders' positions goes through here, so the labels and the accessible
// values never keep an older display's levels. The brightness label reads "RGB" while the
// channels differ from it.
void ShowLevelsOn(SliderViewPort& view, const ColorLevels& levels);
