// What a screen reader says for the four sliders: each one's name (its label, with "R:"
// read as "Red") and its value as the percentage the dialog shows, not the raw 0..256.
#pragma once

#include <string>
#include "text_ids.h"

// Where the names and values go: the platform's accessibility annotations.
class SliderAnnotationPort {
 public:
  virtual bool ScreenReaderActive() = 0;
  // Makes the annotation service ready on first use; false when the system has none.
  virtual bool Ready() = 0;
  // `slider` 0..3: brightness, red, green, blue.
  virtual void SetName(int slider, const std::u16string& name) = 0;
  virtual void SetValue(int slider, const std::u16string& value) = 0;

 protected:
  ~SliderAnnotationPort() = default;
};

// The texts of the names: brightness, red, green and blue.
constexpr int kSliderNameTextIds[4] = {kTextBrightness, kTextRed, kTextGreen, kTextBlue};

// " -25 %" as the label shows it, without the leading space: "-25 %".
std::u16string AccessibleValue(int level);

class SliderAccessibility {
 public:
  // Annotates the sliders at `levels` (brightness, red, green, blue) while a screen reader
  // runs; nothing is loaded or set otherwise. Names are set again when `textsChanged`.
  void Update(SliderAnnotationPort& port, const int (&levels)[4], std::u16string (*textOf)(int id), bool textsChanged);

 private:
  bool namesSet_ = false;
  std::u16string values_[4];  // as last set: an unchanged value is not set again
};
