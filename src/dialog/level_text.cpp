#include "dialog/level_text.h"

std::string FormatPercent(int32_t level) {
  const int32_t percent = (level - 128) * 100 / 256;
  std::string digits = std::to_string(percent < 0 ? -percent : percent);
  return std::string(" ") + (percent < 0 ? "-" : "") + digits + " %";
}

void ShowLevelsOn(SliderViewPort& view, const ColorLevels& levels) {
  const int shown[4] = {levels.brightness, levels.red, levels.green, levels.blue};
  const bool uniform =
      levels.red == levels.brightness && levels.green == levels.brightness && levels.blue == levels.brightness;
  for (int slider = 0; slider < 4; ++slider) {
    view.SetPosition(slider, shown[slider]);
    view.SetLabel(slider, slider == 0 && !uniform ? "RGB" : FormatPercent(shown[slider]));
  }
  view.SetAccessibleValues(shown);
}
