#include "app/display_choice_win32.h"

#include <commctrl.h>

#include <climits>

#include "app/app_state_win32.h"
#include "app/level_text.h"
#include "app/settings_writer_win32.h"
#include "common/text.h"
#include "common/win32_text.h"
#include "gamma/display_info_win32.h"
#include "gamma/display_set.h"
#include "gamma/gamma_controller_win32.h"
#include "i18n/string_table.h"
#include "settings/settings_file.h"
#include "text_ids.h"

namespace {

// The displays' sections in the settings file, written with the start's levels.
class SettingsLevelStore final : public LevelStore {
 public:
  bool Read(const std::u16string& section, const char16_t* key, int* value) override {
    const int read = settingsFile.ReadInt(section.c_str(), key, INT_MIN, -1, -1);
    if (read == INT_MIN) return false;
    *value = read;
    return true;
  }
  void Write(const std::u16string& section, const char16_t* key, int value) override {
    settingsFile.SetPending(section.c_str(), key, value);
  }
};

SettingsLevelStore levelStore;
DisplaySet displaySet;
HWND dialogWindow = nullptr;
ColorLevels* dialogLevels = nullptr;
bool started = false;  // the start's apply has run

const char16_t* Text(int id) {
  const char16_t* text = StringTable::Text(id);
  return text ? text : u"";
}

// Moves the sliders to the chosen display's levels and shows them, without applying; the
// HDR note follows the choice.
void ShowChosenLevels() {
  const ColorLevels levels = displaySet.SliderLevels();
  *dialogLevels = levels;
  const struct { int slider, label, level; } rows[] = {{IDC_BRIGHTNESS, IDC_BRIGHTNESS_VALUE, levels.brightness},
                                                       {IDC_RED, IDC_RED_VALUE, levels.red},
                                                       {IDC_GREEN, IDC_GREEN_VALUE, levels.green},
                                                       {IDC_BLUE, IDC_BLUE_VALUE, levels.blue}};
  for (const auto& row : rows) {
    SendDlgItemMessageW(dialogWindow, row.slider, TBM_SETPOS, TRUE, row.level);
    SetDlgItemTextA(dialogWindow, row.label, FormatPercent(row.level).c_str());
  }
  const bool uniform = levels.red == levels.brightness && levels.green == levels.brightness &&
                       levels.blue == levels.brightness;
  if (!uniform) SetDlgItemTextA(dialogWindow, IDC_BRIGHTNESS_VALUE, "RGB");
  ShowWindow(GetDlgItem(dialogWindow, IDC_HDR_NOTE), displaySet.HdrNoteVisible() ? SW_SHOWNA : SW_HIDE);
}

}  // namespace

void StartDisplayChoice(HWND dialog, ColorLevels* sliderLevels, bool restore) {
  dialogWindow = dialog;
  dialogLevels = sliderLevels;
  displaySet.Start(systemDisplays, levelStore, *sliderLevels, restore);
  *sliderLevels = displaySet.SliderLevels();
}

void ApplyDisplayTexts() {
  HWND list = GetDlgItem(dialogWindow, IDC_DISPLAYS);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(Text(kTextAllDisplays))));
  for (const DisplayInfo& display : displaySet.Displays()) {
    const std::u16string label = DisplayLabel(display, Text(kTextUnnamedDisplay), Text(kTextHdrMark));
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(label)));
  }
  SendMessageW(list, CB_SETCURSEL, displaySet.ChoiceIndex(), 0);
  ShowWindow(list, displaySet.ListVisible() ? SW_SHOWNA : SW_HIDE);
  SetDlgItemTextW(dialogWindow, IDC_HDR_NOTE, W(Text(kTextHdrNote)));
  ShowWindow(GetDlgItem(dialogWindow, IDC_HDR_NOTE), displaySet.HdrNoteVisible() ? SW_SHOWNA : SW_HIDE);
}

bool ApplyToChosenDisplays(const ColorLevels& levels) {
  // The start's apply moved no slider: every display keeps the levels it came with.
  displaySet.SetFromSliders(levels, levelStore, started);
  started = true;
  gammaController.ApplyToDisplays(displaySet);
  return displaySet.AllChosen();
}

int ReapplyEveryDisplay(bool readBack) {
  // Only after events, never per step of a drag: asking the system for the displays is slow.
  if (!readBack && displaySet.Refresh(systemDisplays, levelStore)) {
    ApplyDisplayTexts();
    ShowChosenLevels();
  }
  return gammaController.ApplyToDisplays(displaySet, readBack);
}

namespace {

// Every display the neutral ramp, but a display in HDR none.
class NeutralRamps final : public DisplayRamps {
 public:
  explicit NeutralRamps(const DisplaySet& set) : set_(set) {}
  bool LevelsFor(const std::u16string& deviceName, ColorLevels& levels) const override {
    if (!set_.LevelsFor(deviceName, levels)) return false;
    levels = ColorLevels{};
    return true;
  }

 private:
  const DisplaySet& set_;
};

}  // namespace

int ApplyNeutralToEveryDisplay() { return gammaController.ApplyToDisplays(NeutralRamps(displaySet)); }

void OnDisplayListCommand(int code) {
  if (code != CBN_SELENDOK) return;
  const LRESULT chosen = SendDlgItemMessageW(dialogWindow, IDC_DISPLAYS, CB_GETCURSEL, 0, 0);
  displaySet.Choose(chosen == CB_ERR ? 0 : static_cast<int>(chosen));
  ShowChosenLevels();
}

void ResetScreenRamp() {
  for (const DisplayInfo& display : displaySet.Displays()) {
    if (display.hdr) return;
  }
  gammaController.ApplyUniformRamp(nullptr, kLevelNeutral);
}

int HandOverToDisplay(const LevelHandOver& request) {
  // The record comes from another process: its text may lack the final null.
  const std::u16string id(U(request.display), wcsnlen(request.display, ARRAYSIZE(request.display)));
  if (id.empty() && !displaySet.AllChosen()) {
    // Levels without a display are for every display: the list says so, and the sliders
    // take them as they would with "All displays".
    displaySet.Choose(0);
    SendDlgItemMessageW(dialogWindow, IDC_DISPLAYS, CB_SETCURSEL, 0, 0);
    ShowChosenLevels();
  }
  // With one display, that display and "All displays" are the same: the sliders show it.
  if (id.empty() || !displaySet.ListVisible() || text::Lowered(id) == text::Lowered(displaySet.ChosenId())) return 0;
  ColorLevels levels = displaySet.LevelsOf(id);
  if (request.brightness >= 0) levels.brightness = request.brightness;
  levels.red = request.red;
  levels.green = request.green;
  levels.blue = request.blue;
  if (!displaySet.SetDisplay(id, levels, levelStore)) return -1;
  gammaController.ApplyToDisplays(displaySet);
  SettingsChanged();  // stored as a slider move would be
  return 1;
}

void ResolveDisplayOption(CommandLine& commandLine) {
  if (commandLine.kind != CommandLine::Kind::Levels || commandLine.display.empty()) return;
  const std::vector<DisplayInfo> displays = systemDisplays.Enumerate();
  const int found = FindDisplay(displays, commandLine.display);
  if (found < 0) {
    commandLine.kind = CommandLine::Kind::Malformed;
    commandLine.unknownDisplay = true;
    commandLine.badOption = commandLine.display;
    return;
  }
  // The only display is every display: the levels go where they always went.
  if (displays.size() < 2) return;
  commandLine.levels.displayId = displays[found].id.empty() ? displays[found].deviceName : displays[found].id;
}

namespace {

// Only the display a command line names.
class OneDisplay final : public DisplayRamps {
 public:
  OneDisplay(const DisplaySet& set, const std::u16string& id) : set_(set), id_(text::Lowered(id)) {}
  bool LevelsFor(const std::u16string& deviceName, ColorLevels& levels) const override {
    for (const DisplayInfo& display : set_.Displays()) {
      if (display.deviceName == deviceName && text::Lowered(display.id) == id_) {
        return set_.LevelsFor(deviceName, levels);
      }
    }
    return false;
  }

 private:
  const DisplaySet& set_;
  std::u16string id_;
};

}  // namespace

bool ApplyLevelsToOneDisplay(const LevelRequest& request) {
  ColorLevels all;
  all.brightness = settingsFile.ReadInt(u"Start", u"h", kLevelNeutral, kLevelMin, kLevelMax);
  DisplaySet set;
  set.Start(systemDisplays, levelStore, all, true);
  ColorLevels levels = set.LevelsOf(request.displayId);
  if (request.brightness != LevelRequest::kKeepBrightness) levels.brightness = request.brightness;
  levels.red = request.red;
  levels.green = request.green;
  levels.blue = request.blue;
  if (!set.SetDisplay(request.displayId, levels, levelStore)) return false;
  return gammaController.ApplyToDisplays(OneDisplay(set, request.displayId)) != 0;
}

bool ApplyLevelsToEveryDisplay(const ColorLevels& levels) {
  DisplaySet set;
  set.Start(systemDisplays, levelStore, levels, true);
  set.SetFromSliders(levels, levelStore);
  return gammaController.ApplyToDisplays(set) != 0;
}
