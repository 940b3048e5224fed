// The displays attached to the desktop as the user knows them (number, monitor name, HDR),
// the levels each one keeps, and which of them the dialog's sliders set.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "gamma/color_levels.h"
#include "gamma/gamma_controller.h"

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
class DisplayInfoSource {
 public:
  virtual ~DisplayInfoSource() = default;
  virtual std::vector<DisplayInfo> Enumerate() = 0;
};

// The number in "\\.\DISPLAYn"; 0 when there is none.
int DisplayNumber(std::u16string_view deviceName);

// What the system reports of a display's colour mode. The newer report names the active mode;
// the older one only says "advanced colour on", which Auto Color Management (wide colour
// enforced) also turns on without HDR.
struct AdvancedColorReport {
  bool haveModeReport = false;  // DISPLAYCONFIG_GET_ADVANCED_COLOR_INFO_2
  int activeColorMode = 0;      // 0 SDR, 1 wide colour, 2 HDR
  bool haveEnabledReport = false;  // DISPLAYCONFIG_GET_ADVANCED_COLOR_INFO
  bool advancedColorEnabled = false;
  bool wideColorEnforced = false;
};
constexpr int kColorModeHdr = 2;
bool IsHdr(const AdvancedColorReport& report);

// The display list's entry: "2 - DELL U2720Q", or `unnamedPattern` ("Display %s") with the
// number; `hdrMark` appended after " - " for a display in HDR.
std::u16string DisplayLabel(const DisplayInfo& display, const char16_t* unnamedPattern, const char16_t* hdrMark);

// The display a "-display" value means: its number as in "\\.\DISPLAYn", or a part of the
// monitor's name without regard to case. -1 when none, or when the part fits several monitors.
int FindDisplay(const std::vector<DisplayInfo>& displays, std::u16string_view query);

// The settings file as the display levels use it: sections of r, g, b and H.
class LevelStore {
 public:
  virtual ~LevelStore() = default;
  // False when the key is absent.
  virtual bool Read(const std::u16string& section, const char16_t* key, int* value) = 0;
  virtual void Write(const std::u16string& section, const char16_t* key, int value) = 0;
};

class DisplaySet final : public DisplayRamps {
 public:
  // The section that holds a display's own levels.
  static std::u16string Section(const std::u16string& id);

  // Starts with the "All displays" levels; own levels are read only when `readOwn` (the
  // user asked for the levels to be restored).
  void Start(DisplayInfoSource& source, LevelStore& store, const ColorLevels& all, bool readOwn);
  // Asks for the displays again (they changed). A display never seen in this run has its
  // stored levels read; a display that went away keeps its levels for its return. A chosen
  // display that went away gives the choice back to "All displays". True when the list changed.
  bool Refresh(DisplayInfoSource& source, LevelStore& store);

  const std::vector<DisplayInfo>& Displays() const { return displays_; }
  // The list is worth showing only with two or more displays.
  bool ListVisible() const { return displays_.size() >= 2; }

  // 0 "All displays", i the i-th display of Displays() plus one.
  int ChoiceIndex() const;
  void Choose(int index);
  bool AllChosen() const { return chosen_.empty(); }
  const std::u16string& ChosenId() const { return chosen_; }
  // The display in HDR the dialog should say a word about: the chosen one, or the only one.
  bool HdrNoteVisible() const;

  // What the sliders show for the current choice. With one display and no list, that
  // display's own levels if it has any.
  ColorLevels SliderLevels() const;
  // The sliders moved: the chosen display takes their levels, or with "All displays" every
  // attached display does (their own levels become these), and displays never set later.
  // Without `ownToo` the displays keep their own levels (the start's apply, which moved nothing).
  void SetFromSliders(const ColorLevels& levels, LevelStore& store, bool ownToo = true);
  // Sets one display by id (a command line naming it); false when no attached display has it.
  bool SetDisplay(const std::u16string& id, const ColorLevels& levels, LevelStore& store);
  // "All displays" levels, the sliders' when nothing else is chosen.
  const ColorLevels& AllLevels() const { return all_; }
  ColorLevels LevelsOf(const std::u16string& id) const;

  // DisplayRamps: each display its own levels; a display in HDR none; a display not yet in
  // the list (attached since the last refresh) the "All displays" levels.
  bool LevelsFor(const std::u16string& deviceName, ColorLevels& levels) const override;

 private:
  void ReadOwn(LevelStore& store, const DisplayInfo& display);
  void WriteOwn(LevelStore& store, const std::u16string& id, const ColorLevels& levels);
  const DisplayInfo* ById(const std::u16string& id) const;

  std::vector<DisplayInfo> displays_;
  ColorLevels all_;
  bool readOwn_ = true;
  // Every display seen in this run, by lower-cased id: a handful, so a plain list.
  struct Known {
    std::u16string key;
    bool hasOwn = false;
    ColorLevels own;
  };
  Known& Remember(const std::u16string& id);  // adds it when new
  const Known* Find(const std::u16string& id) const;
  std::vector<Known> known_;
  std::u16string chosen_;                      // id; empty for "All displays"
};
