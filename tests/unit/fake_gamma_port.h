// A scripted display system for the gamma controller's tests.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "gamma/gamma_controller.h"

// A scripted display system: devices, which of them refuse ramps, and a log of calls.
class FakeGammaPort final : public GammaPort {
 public:
  struct Display {
    std::u16string name;
    bool attached;
    bool refuses = false;
    bool dcFails = false;
    enum Readback { Exact, LowBitsOnly, KeepsIdentity, Unreadable } readback = Exact;
  };
  std::vector<Display> displays;
  std::map<std::u16string, GammaRamp> loaded;  // ramps that took effect, per display
  std::set<std::u16string> opened;
  int openDCs = 0;
  int setCalls = 0;

  bool EnumDisplayDevice(uint32_t index, DisplayDevice& device) override {
    if (index >= displays.size()) return false;
    device.name = displays[index].name;
    device.attachedToDesktop = displays[index].attached;
    return true;
  }
  Handle CreateDisplayDC(const std::u16string& name) override {
    opened.insert(name);
    for (Display& d : displays) {
      if (d.name == name && !d.dcFails) {
        ++openDCs;
        return &d;
      }
    }
    return nullptr;
  }
  void DeleteDisplayDC(Handle) override { --openDCs; }
  bool SetDeviceGammaRamp(Handle dc, const GammaRamp& ramp) override {
    ++setCalls;
    auto* d = static_cast<Display*>(dc);
    if (d->refuses) return false;
    loaded[d->name] = ramp;
    return true;
  }
  // The screen and the looked-up entry points serve only Reset, which is checked end to end.
  Handle GetScreenDC() override { return nullptr; }
  void ReleaseScreenDC(Handle) override {}
  Handle LoadLibraryNamed(const char*) override { return nullptr; }
  void* FindProc(Handle, const char*) override { return nullptr; }
  void FreeLibraryHandle(Handle) override {}
  bool CallSetRampEntry(void*, Handle, const GammaRamp&) override { return false; }
  bool GetDeviceGammaRamp(Handle dc, GammaRamp& ramp) override {
    const Display* d = static_cast<Display*>(dc);
    ramp = d->readback == Display::KeepsIdentity ? BuildRamp(128, 128, 128) : loaded[d->name];
    if (d->readback == Display::LowBitsOnly) ramp[5] ^= 0xFF;
    return d->readback != Display::Unreadable;
  }
};
