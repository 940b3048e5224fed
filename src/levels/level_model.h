// The levels the user set, in one place: the "All displays" levels, each display's own, and
// which of them the sliders set. The sliders, the ramps and the settings file only follow it.
// Levels change only through the user's moves below; the start, a refresh of the display
// list and a late read of the settings file take what the file holds and write nothing.
#pragma once

#include <string>
#include <vector>

#include "gamma/color_levels.h"
#include "gamma/display_set.h"
#include "gamma/gamma_controller.h"

// The settings file as the levels use it: sections of r, g, b and H.
class LevelFilePort {
 public:
  virtual ~LevelFilePort() = default;
  // False when the key is absent (or the file could not be read).
  virtual bool Read(const std::u16string& section, const char16_t* key, int* value) = 0;
  virtual void Write(const std::u16string& section, const char16_t* key, int value) = 0;
};

// The "All displays" levels: [Start] r, g, b, H (read in any case), each clamped to 0..256.
ColorLevels ReadAllLevels(LevelFilePort& file);

// Something shown on top of each display's own levels (night mode's evening look). The levels
// stay the user's; only the ramps carry the layer.
class RampLayer {
 public:
  virtual ~RampLayer() = default;
  // `display`'s ramp under the layer, from the levels it shows.
  virtual GammaRamp Compose(const DisplayInfo& display, const ColorLevels& levels) const = 0;
};

class LevelModel final : public DisplayRamps {
 public:
  // The section that holds a display's own levels.
  static std::u16string Section(const std::u16string& id);

  // Reads the "All displays" levels and every attached display's own ones, whatever `restore`
  // says. `restore` decides only what the displays show now: the stored levels, or neutral
  // until the user sets them.
  void Start(DisplayListPort& source, LevelFilePort& file, bool restore);
  // Asks for the displays again (they changed); a display never seen in this run has its own
  // levels read. A chosen display that goes away stays chosen. True when the list changed.
  bool Refresh(DisplayListPort& source, LevelFilePort& file);
  // The file could be read at last, after a start that could not read it: the levels it holds
  // are taken for everything the user has not set in this run, and with `restore` shown.
  void TakeLateFile(LevelFilePort& file, bool restore);

  const std::vector<DisplayInfo>& Displays() const { return displays_; }
  // The display list's entries after "All displays": the attached displays, then the chosen
  // one while it is away. Worth showing with two or more entries.
  std::vector<DisplayInfo> ListEntries() const;
  bool ListVisible() const { return ListEntries().size() >= 2; }
  // 0 "All displays", i the i-th entry of ListEntries() plus one.
  int ChoiceIndex() const;
  void Choose(int index);
  bool AllChosen() const { return chosen_.id.empty(); }
  const std::u16string& ChosenId() const { return chosen_.id; }
  // The chosen display is not attached now: a hotkey aimed at it has nothing to change.
  bool ChosenAway() const { return !AllChosen() && Attached(chosen_.id) == nullptr; }
  const DisplayInfo& Chosen() const { return chosen_; }
  // The display in HDR the dialog should say a word about: the chosen one, or the only one.
  bool HdrNoteVisible() const;

  // What the sliders show: the chosen display's levels, or with "All displays" the only
  // display's own ones when there is one display that has them, else the All levels.
  ColorLevels SliderLevels() const;
  // The sliders moved (a drag, a key, a hotkey): the levels go where SliderLevels came from.
  void MoveSliders(const ColorLevels& levels, LevelFilePort& file);
  // Every display: the All levels, and the own levels of the displays attached now. In these
  // two a negative brightness keeps the one stored (a command line's -rgb).
  void SetAll(ColorLevels levels, LevelFilePort& file);
  // One attached display, by id in any case; false when none has it.
  bool SetDisplay(const std::u16string& id, ColorLevels levels, LevelFilePort& file);

  // As stored: the All levels, and a display's own (the All levels where it has none).
  const ColorLevels& AllLevels() const { return all_; }
  ColorLevels LevelsOf(const std::u16string& id) const;
  // Whether the display with `id` (any attached display when empty) can take a ramp: it is
  // attached and not in HDR.
  bool TakesRamps(const std::u16string& id) const;

  // DisplayRamps: what each display shows now; a display in HDR nothing; a display attached
  // since the last refresh what "All displays" shows.
  bool LevelsFor(const std::u16string& deviceName, ColorLevels& levels) const override;
  // The ramps carry the layer, when there is one; a display not yet listed gets none of it.
  bool RampFor(const std::u16string& deviceName, GammaRamp& ramp) const override;
  void SetLayer(const RampLayer* layer) { layer_ = layer; }

 private:
  struct Known {
    std::u16string key;  // lower-cased id
    std::u16string id;   // as the system spells it, for the section's name
    bool hasOwn = false;
    ColorLevels own;
    bool held = false;  // attached at a start without restore: neutral until the user sets it
    bool set = false;   // the user set it in this run, on its own or with "All displays"
  };
  Known& Remember(const std::u16string& id);
  const Known* Find(const std::u16string& id) const;
  const DisplayInfo* Attached(const std::u16string& id) const;
  void ReadOwn(LevelFilePort& file, Known& known, const std::u16string& id);
  void WriteOwn(LevelFilePort& file, const std::u16string& id, ColorLevels levels);
  ColorLevels AllShown() const { return allHeld_ ? ColorLevels{} : all_; }
  ColorLevels Shown(const std::u16string& id) const;
  // The display the sliders set with "All displays" chosen: the only one, when it has its own.
  const DisplayInfo* OnlyDisplayWithOwn() const;

  std::vector<DisplayInfo> displays_;
  ColorLevels all_;
  bool allHeld_ = false;      // a start without restore: "All displays" shows neutral until set
  std::vector<Known> known_;  // every display seen in this run: a handful, so a plain list
  DisplayInfo chosen_;        // id empty for "All displays"
  const RampLayer* layer_ = nullptr;
};
