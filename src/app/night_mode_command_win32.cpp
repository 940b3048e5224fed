#include "app/night_mode_command_win32.h"

#include "control/night_clock_win32.h"
#include "control/night_mode_win32.h"
#include "dialog/dialog_levels_win32.h"
#include "dialog/night_dialog_win32.h"

namespace {

class ScreenPreview final : public NightPreviewPort {
 public:
  void Preview(const NightLook& look) override { PreviewNightLook(look); }
  void EndPreview() override { EndNightPreview(); }
};

}  // namespace

void OpenNightModeDialog(HWND owner) {
  NightChoices choices;
  choices.settings = CurrentNightSettings();
  const std::vector<std::pair<std::u16string, std::u16string>> displays = DisplayIdsAndLabels();
  for (const auto& display : displays) choices.displays.push_back({display.second, NightOnDisplay(display.first)});
  ScreenPreview preview;
  const WindowsTimeZone zone;
  if (!ShowNightDialog(owner, &choices, preview, NowMs() / 1000, zone)) return;
  std::vector<std::pair<std::u16string, bool>> takingPart;
  for (size_t i = 0; i < displays.size() && i < choices.displays.size(); ++i) {
    takingPart.emplace_back(displays[i].first, choices.displays[i].on);
  }
  ApplyNightSettings(choices.settings, takingPart);
}
