#include "gamma/gamma_controller.h"

namespace {

class SameForEveryDisplay final : public DisplayRamps {
 public:
  SameForEveryDisplay(int32_t red, int32_t green, int32_t blue) : levels_{red, red, green, blue} {}
  bool LevelsFor(const std::u16string&, ColorLevels& levels) const override {
    levels = levels_;
    return true;
  }

 private:
  ColorLevels levels_;
};

}  // namespace

bool GammaController::ApplyToAllDisplays(int32_t red, int32_t green, int32_t blue, bool readBack) {
  return ApplyToDisplays(SameForEveryDisplay(red, green, blue), readBack);
}

bool GammaController::ApplyToDisplays(const DisplayRamps& ramps, bool readBack) {
  bool result = true;
  rampIgnored_ = false;
  GammaPort::DisplayDevice device;
  for (uint32_t index = 0; platform_.EnumDisplayDevice(index, device); ++index) {
    if (!device.attachedToDesktop) continue;
    GammaRamp ramp;
    if (!ramps.RampFor(device.name, ramp)) continue;
    GammaPort::Handle dc = platform_.CreateDisplayDC(device.name);
    if (dc == nullptr) {
      result = false;
      continue;
    }
    if (!platform_.SetDeviceGammaRamp(dc, ramp)) {
      result = false;
    } else if (readBack && KeepsDifferentRamp(dc, ramp)) {
      rampIgnored_ = true;
    }
    platform_.DeleteDisplayDC(dc);
  }
  return result;
}

bool GammaController::KeepsDifferentRamp(GammaPort::Handle dc, const GammaRamp& ramp) {
  GammaRamp kept;
  if (!platform_.GetDeviceGammaRamp(dc, kept)) return false;
  for (size_t i = 0; i < ramp.size(); ++i) {
    if ((kept[i] >> 8) != (ramp[i] >> 8)) return true;
  }
  return false;
}

bool GammaController::ApplyUniformRamp(GammaPort::Handle dc, uint32_t level) {
  const bool ownDC = dc == nullptr;
  if (ownDC) dc = platform_.GetScreenDC();
  if (dc == nullptr) return false;
  const bool result = SetRampThroughEntryPoint(dc, BuildUniformRamp(level));
  if (ownDC) platform_.ReleaseScreenDC(dc);
  return result;
}

bool GammaController::LoadEntryPoints() {
  UnloadEntryPoints();
  library_ = platform_.LoadLibraryNamed("gdi32.dll");
  if (library_ == nullptr) return false;
  getRampEntry_ = platform_.FindProc(library_, "GetDeviceGammaRamp");
  setRampEntry_ = platform_.FindProc(library_, "SetDeviceGammaRamp");
  if (getRampEntry_ != nullptr && setRampEntry_ != nullptr) return true;
  UnloadEntryPoints();
  return false;
}

void GammaController::UnloadEntryPoints() {
  if (library_ == nullptr) return;
  platform_.FreeLibraryHandle(library_);
  library_ = nullptr;
}

bool GammaController::EnsureLoaded() {
  if (library_ == nullptr) LoadEntryPoints();
  // Addresses are only trusted while their library is held.
  return library_ != nullptr && getRampEntry_ != nullptr && setRampEntry_ != nullptr;
}

bool GammaController::SetRampThroughEntryPoint(GammaPort::Handle dc, const GammaRamp& ramp) {
  if (!EnsureLoaded()) return false;
  return platform_.CallSetRampEntry(setRampEntry_, dc, ramp);
}
