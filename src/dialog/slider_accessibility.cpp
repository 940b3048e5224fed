#include "dialog/slider_accessibility.h"

#include "dialog/level_text.h"

std::u16string AccessibleValue(int level) {
  const std::string shown = FormatPercent(level);
  const size_t start = shown.find_first_not_of(' ');
  return start == std::string::npos ? std::u16string() : std::u16string(shown.begin() + start, shown.end());
}

void SliderAccessibility::Update(SliderAnnotationPort& port, const int (&levels)[4], std::u16string (*textOf)(int id),
                                 bool textsChanged) {
  if (!port.ScreenReaderActive() || !port.Ready()) return;
  if (textsChanged || !namesSet_) {
    for (int slider = 0; slider < 4; ++slider) port.SetName(slider, textOf(kSliderNameTextIds[slider]));
    namesSet_ = true;
  }
  for (int slider = 0; slider < 4; ++slider) {
    const std::u16string value = AccessibleValue(levels[slider]);
    if (value == values_[slider]) continue;
    port.SetValue(slider, value);
    values_[slider] = value;
  }
}
