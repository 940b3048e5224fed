#include "gamma/display_set.h"

#include "common/text.h"

namespace {

constexpr std::u16string_view kDevicePrefix = u"\\\\.\\DISPLAY";

}  // namespace

int DisplayNumber(std::u16string_view deviceName) {
  if (deviceName.size() <= kDevicePrefix.size() ||
      text::Lowered(deviceName.substr(0, kDevicePrefix.size())) != text::Lowered(kDevicePrefix)) {
    return 0;
  }
  int number = 0;
  for (size_t i = kDevicePrefix.size(); i < deviceName.size(); ++i) {
    const char16_t c = deviceName[i];
    if (c < u'0' || c > u'9' || number > 99999) return 0;
    number = number * 10 + (c - u'0');
  }
  return number;
}

bool IsHdr(const AdvancedColorReport& report) {
  if (report.haveModeReport) return report.activeColorMode == kColorModeHdr;
  return report.haveEnabledReport && report.advancedColorEnabled && !report.wideColorEnforced;
}

std::u16string DisplayLabel(const DisplayInfo& display, const char16_t* unnamedPattern, const char16_t* hdrMark) {
  std::u16string label = display.monitorName.empty() ? text::FillIn(unnamedPattern, {text::FromInt(display.number)})
                                                     : text::FromInt(display.number) + u" - " + display.monitorName;
  if (display.hdr) label += u" - " + std::u16string(hdrMark ? hdrMark : u"HDR");
  return label;
}

int FindDisplay(const std::vector<DisplayInfo>& displays, std::u16string_view query) {
  if (query.empty()) return -1;
  bool digits = true;
  for (char16_t c : query) digits = digits && c >= u'0' && c <= u'9';
  if (digits) {
    int number = 0;
    for (char16_t c : query) number = number > 99999 ? number : number * 10 + (c - u'0');
    for (size_t i = 0; i < displays.size(); ++i) {
      if (displays[i].number == number) return static_cast<int>(i);
    }
    return -1;  // "5" is display 5, never a monitor with a 5 in its name
  }
  const std::u16string part = text::Lowered(query);
  int found = -1;
  for (size_t i = 0; i < displays.size(); ++i) {
    if (text::Lowered(displays[i].monitorName).find(part) == std::u16string::npos) continue;
    if (found >= 0) return -1;  // "DELL" with two Dells: which one is a guess
    found = static_cast<int>(i);
  }
  return found;
}

std::u16string DisplayNumbers(const std::vector<DisplayInfo>& displays) {
  std::u16string numbers;
  for (const DisplayInfo& display : displays) {
    const int number = display.number != 0 ? display.number : DisplayNumber(display.deviceName);
    numbers += (numbers.empty() ? u"" : u", ") + text::FromInt(number);
  }
  return numbers;
}
