#include "control/command_line_levels_win32.h"

#include "common/text.h"
#include "gamma/display_info_win32.h"
#include "gamma/gamma_controller_win32.h"
#include "levels/level_model.h"
#include "levels/settings_level_file_win32.h"

void ResolveDisplayOption(CommandLine& commandLine) {
  if (commandLine.kind != CommandLine::Kind::Levels || commandLine.display.empty()) return;
  const std::vector<DisplayInfo> displays = systemDisplays.Enumerate();
  const int found = FindDisplay(displays, commandLine.display);
  if (found < 0) {
    commandLine.kind = CommandLine::Kind::Malformed;
    commandLine.unknownDisplay = true;
    commandLine.badOption = commandLine.display;
    bool number = true;
    for (char16_t c : commandLine.display) number = number && c >= u'0' && c <= u'9';
    if (number) commandLine.attachedNumbers = DisplayNumbers(displays);
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
  OneDisplay(const LevelModel& model, const std::u16string& id) : model_(model), id_(text::Lowered(id)) {}
  bool LevelsFor(const std::u16string& deviceName, ColorLevels& levels) const override {
    for (const DisplayInfo& display : model_.Displays()) {
      if (display.deviceName == deviceName && text::Lowered(display.id) == id_) {
        return model_.LevelsFor(deviceName, levels);
      }
    }
    return false;
  }

 private:
  const LevelModel& model_;
  std::u16string id_;
};

}  // namespace

AloneResult ApplyLevelsAlone(const LevelRequest& request) {
  AloneResult result;
  SettingsLevelFile levelFile;
  LevelModel model;
  const ColorLevels levels{request.brightness, request.red, request.green, request.blue};
  // The other displays keep what they show: their stored levels.
  model.Start(systemDisplays, levelFile, true);
  if (request.displayId.empty()) {
    model.SetAll(levels, levelFile);
    result.applied = gammaController.ApplyToDisplays(model) != 0;
  } else if (model.SetDisplay(request.displayId, levels, levelFile)) {
    result.applied = gammaController.ApplyToDisplays(OneDisplay(model, request.displayId)) != 0;
  } else {
    result.noDisplay = true;
    return result;
  }
  result.hdrOnly = !model.TakesRamps(request.displayId);
  return result;
}
