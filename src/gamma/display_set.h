// The displays attached to the desktop as the user knows them: number, monitor name, HDR.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct DisplayInfo {
  std::u16string deviceName;   // "\\.\DISPLAY2": what the ramps are loaded through
  int number = 0;              // 2 for "\\.\DISPLAY2"; 0 when the name carries none
  std::u16string monitorName;  // "DELL U2720Q"; empty when the system knows none
  // Survives reboots and the renumbering of DISPLAYn: the monitor's device interface path.
  std::u16string id;
  bool hdr = false;
};

// Lists the displays attached to the desktop. Slow (several system calls per display), so
// the list is kept and asked again only when the displays change.
class DisplayListPort {
 public:
  virtual ~DisplayListPort() = default;
  virtual std::vector<DisplayInfo> Enumerate() = 0;
};

// The number in "\\.\DISPLAYn"; 0 when there is none.
int DisplayNumber(std::u16string_view deviceName);

// What the system reports of a display's colour mode. The newer report names the active mode;
// the older one only says "advanced colour on", which Auto Color Management (wide colour
// enforced) also turns on without HDR.
struct AdvancedColorReport {
  bool haveModeReport = false;     // DISPLAYCONFIG_GET_ADVANCED_COLOR_INFO_2
  int activeColorMode = 0;         // 0 SDR, 1 wide colour, 2 HDR
  bool haveEnabledReport = false;  // DISPLAYCONFIG_GET_ADVANCED_COLOR_INFO
  bool advancedColorEnabled = false;
  bool wideColorEnforced = false;
};
constexpr int kColorModeHdr = 2;
bool IsHdr(const AdvancedColorReport& report);

// The display list's entry: "2 - DELL U2720Q", or `unnamedPattern` ("Display %s") with the
// number; `hdrMark` appended after " - " for a display in HDR.
std::u16string DisplayLabel(const DisplayInfo& display, const char16_t* unnamedPattern, const char16_t* hdrMark);

// The display a "-display" value means: a value of digits alone is its number as in
// "\\.\DISPLAYn" and nothing else; any other value a part of the monitor's name without regard
// to case. -1 when none, or when the part fits several monitors.
int FindDisplay(const std::vector<DisplayInfo>& displays, std::u16string_view query);
// The attached displays' numbers for a message: "1, 2, 3".
std::u16string DisplayNumbers(const std::vector<DisplayInfo>& displays);
