#include "dialog/dialog_levels_win32.h"

#include <commctrl.h>

#include "res/resource_ids.h"
#include "dialog/level_text.h"
#include "settings/settings_writer_win32.h"
#include "dialog/slider_accessibility_win32.h"
#include "common/text.h"
#include "common/win32_text.h"
#include "gamma/display_info_win32.h"
#include "gamma/gamma_controller_win32.h"
#include "i18n/string_table.h"
#include "levels/level_model.h"
#include "levels/settings_level_file_win32.h"
#include "text_ids.h"

namespace {

SettingsLevelFile levelFile;
LevelModel levelModel;
HWND dialogWindow = nullptr;

const char16_t* Text(int id) {
  const char16_t* text = StringTable::Text(id);
  return text ? text : u"";
}

std::u16string ListLabel(const DisplayInfo& display) {
  return DisplayLabel(display, Text(kTextUnnamedDisplay), Text(kTextHdrMark));
}

}  // namespace

void StartLevels(HWND dialog, bool restore) {
  dialogWindow = dialog;
  levelModel.Start(systemDisplays, levelFile, restore);
}

void TakeLateLevels(bool restore) {
  levelModel.TakeLateFile(levelFile, restore);
  if (restore) ApplyRamps();
  ShowLevels();
}

ColorLevels SliderLevels() { return levelModel.SliderLevels(); }

namespace {

class DialogSliders final : public SliderViewPort {
 public:
  void SetPosition(int slider, int level) override {
    SendDlgItemMessageW(dialogWindow, kSliders[slider], TBM_SETPOS, TRUE, level);
  }
  void SetLabel(int slider, const std::string& text) override {
    SetDlgItemTextA(dialogWindow, kLabels[slider], text.c_str());
  }
  void SetAccessibleValues(const int (&levels)[4]) override { UpdateSliderAccessibility(dialogWindow, levels); }

 private:
  static constexpr int kSliders[4] = {IDC_BRIGHTNESS, IDC_RED, IDC_GREEN, IDC_BLUE};
  static constexpr int kLabels[4] = {IDC_BRIGHTNESS_VALUE, IDC_RED_VALUE, IDC_GREEN_VALUE, IDC_BLUE_VALUE};
};

}  // namespace

void ShowLevels() {
  DialogSliders sliders;
  ShowLevelsOn(sliders, levelModel.SliderLevels());
  ShowWindow(GetDlgItem(dialogWindow, IDC_HDR_NOTE), levelModel.HdrNoteVisible() ? SW_SHOWNA : SW_HIDE);
}

bool MoveSliders(const ColorLevels& levels) {
  levelModel.MoveSliders(levels, levelFile);
  const bool taken = ApplyRamps() != 0;
  ShowLevels();
  SettingsChanged();
  return taken;
}

int ApplyRamps(bool readBack) { return gammaController.ApplyToDisplays(levelModel, readBack); }

void SetRampLayer(const RampLayer* layer) { levelModel.SetLayer(layer); }

std::vector<std::pair<std::u16string, std::u16string>> DisplayIdsAndLabels() {
  std::vector<std::pair<std::u16string, std::u16string>> displays;
  for (const DisplayInfo& display : levelModel.Displays()) displays.emplace_back(display.id, ListLabel(display));
  return displays;
}

void ApplyDisplayTexts() {
  HWND list = GetDlgItem(dialogWindow, IDC_DISPLAYS);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(Text(kTextAllDisplays))));
  for (const DisplayInfo& display : levelModel.ListEntries()) {
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(ListLabel(display))));
  }
  SendMessageW(list, CB_SETCURSEL, levelModel.ChoiceIndex(), 0);
  ShowWindow(list, levelModel.ListVisible() ? SW_SHOWNA : SW_HIDE);
  SetDlgItemTextW(dialogWindow, IDC_HDR_NOTE, W(Text(kTextHdrNote)));
  ShowWindow(GetDlgItem(dialogWindow, IDC_HDR_NOTE), levelModel.HdrNoteVisible() ? SW_SHOWNA : SW_HIDE);
}

int ReapplyEveryDisplay(bool readBack) {
  // Only after events, never per step of a drag: asking the system for the displays is slow.
  if (!readBack && levelModel.Refresh(systemDisplays, levelFile)) {
    ApplyDisplayTexts();
    ShowLevels();
  }
  return ApplyRamps(readBack);
}

namespace {

// Every display the neutral ramp, but a display in HDR none.
class NeutralRamps final : public DisplayRamps {
 public:
  explicit NeutralRamps(const DisplayRamps& model) : model_(model) {}
  bool LevelsFor(const std::u16string& deviceName, ColorLevels& levels) const override {
    if (!model_.LevelsFor(deviceName, levels)) return false;
    levels = ColorLevels{};
    return true;
  }

 private:
  const DisplayRamps& model_;
};

}  // namespace

int ApplyNeutralToEveryDisplay() { return gammaController.ApplyToDisplays(NeutralRamps(levelModel)); }

void OnDisplayListCommand(int code) {
  if (code != CBN_SELENDOK) return;
  const LRESULT chosen = SendDlgItemMessageW(dialogWindow, IDC_DISPLAYS, CB_GETCURSEL, 0, 0);
  const bool wasAway = levelModel.ChosenAway();
  levelModel.Choose(chosen == CB_ERR ? 0 : static_cast<int>(chosen));
  // A display that was away and is no longer chosen leaves the list.
  if (wasAway && !levelModel.ChosenAway()) ApplyDisplayTexts();
  ShowLevels();
}

void ResetScreenRamp() {
  for (const DisplayInfo& display : levelModel.Displays()) {
    if (display.hdr) return;
  }
  gammaController.ApplyUniformRamp(nullptr, kLevelNeutral);
}

bool ChosenDisplayAway(std::u16string* label) {
  if (!levelModel.ChosenAway()) return false;
  *label = ListLabel(levelModel.Chosen());
  return true;
}

HandOverResult TakeHandOver(const LevelHandOver& request) {
  // The record comes from another process: its text may lack the final null.
  const std::u16string id(U(request.display), wcsnlen(request.display, ARRAYSIZE(request.display)));
  const ColorLevels levels{request.brightness, request.red, request.green, request.blue};
  if (id.empty()) {
    // Levels without a display are for every display: the list says so.
    levelModel.Choose(0);
    ApplyDisplayTexts();
    levelModel.SetAll(levels, levelFile);
  } else if (!levelModel.SetDisplay(id, levels, levelFile)) {
    return HandOverResult::kNoDisplay;
  }
  const bool taken = ApplyRamps() != 0;
  ShowLevels();
  SettingsChanged();  // stored as a slider move would be
  if (!levelModel.TakesRamps(id)) return HandOverResult::kHdr;
  return taken ? HandOverResult::kApplied : HandOverResult::kRefused;
}
