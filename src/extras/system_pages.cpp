#include "extras/system_pages.h"

namespace {

const SystemPage kScreensaver = {"control.exe", "desk.cpl ,1"};
const SystemPage kPowerOptions = {"control.exe", "powercfg.cpl"};
const SystemPage kBatterySettings = {"explorer.exe", "ms-settings:batterysaver-settings"};
const SystemPage kMobilityCenter = {"mblctr.exe", nullptr};

// Restores the thread's redirection state however the scope is left.
class ScopedRedirectionOff {
 public:
  explicit ScopedRedirectionOff(SystemPagePort& platform) : platform_(platform) {
    active_ = platform_.IsWow64() && platform_.DisableRedirection(&previous_);
  }
  ~ScopedRedirectionOff() {
    if (active_) platform_.RevertRedirection(previous_);
  }
  ScopedRedirectionOff(const ScopedRedirectionOff&) = delete;
  ScopedRedirectionOff& operator=(const ScopedRedirectionOff&) = delete;

 private:
  SystemPagePort& platform_;
  void* previous_ = nullptr;
  bool active_ = false;
};

}  // namespace

const SystemPage* SystemPageForCommand(int command) {
  switch (command) {
    case 40029:
      return &kScreensaver;
    case 40030:
      return &kPowerOptions;
    case 40031:
      return &kBatterySettings;
    case 40032:
      return &kMobilityCenter;
    default:
      return nullptr;
  }
}

void OpenSystemPage(SystemPagePort& platform, const SystemPage& page) {
  ScopedRedirectionOff redirectionOff(platform);
  platform.ShellOpen(page);
}
