// Loads gamma ramps into the displays. The platform calls sit behind GammaPort,
// so the enumeration and loading rules can be tested without a display.
#pragma once

#include <cstdint>
#include <string>

#include "gamma/color_levels.h"
#include "gamma/ramp.h"

class GammaPort {
 public:
  using Handle = void*;
  struct DisplayDevice {
    std::u16string name;
    bool attachedToDesktop = false;
  };
  virtual ~GammaPort() = default;

  // Display adapter `index`; false when there is none at that index.
  virtual bool EnumDisplayDevice(uint32_t index, DisplayDevice& device) = 0;
  virtual Handle CreateDisplayDC(const std::u16string& deviceName) = 0;
  virtual void DeleteDisplayDC(Handle dc) = 0;
  // SetDeviceGammaRamp as linked with the program.
  virtual bool SetDeviceGammaRamp(Handle dc, const GammaRamp& ramp) = 0;
  virtual Handle GetScreenDC() = 0;
  virtual void ReleaseScreenDC(Handle dc) = 0;
  virtual Handle LoadLibraryNamed(const char* name) = 0;
  virtual void* FindProc(Handle library, const char* name) = 0;
  virtual void FreeLibraryHandle(Handle library) = 0;
  // Calls a looked-up SetDeviceGammaRamp.
  virtual bool CallSetRampEntry(void* entry, Handle dc, const GammaRamp& ramp) = 0;
  // GetDeviceGammaRamp: the ramp the display keeps; false when it cannot tell.
  virtual bool GetDeviceGammaRamp(Handle dc, GammaRamp& ramp) = 0;
};

// Which levels each display gets, by its device name ("\\.\DISPLAY2").
class DisplayRamps {
 public:
  virtual ~DisplayRamps() = default;
  // False leaves that display's ramp alone (a display in HDR, where a ramp's result is undefined).
  virtual bool LevelsFor(const std::u16string& deviceName, ColorLevels& levels) const = 0;
  // The ramp those levels make; a layer on top of the levels (the evening's) answers here.
  virtual bool RampFor(const std::u16string& deviceName, GammaRamp& ramp) const {
    ColorLevels levels;
    if (!LevelsFor(deviceName, levels)) return false;
    ramp = BuildRamp(levels.red, levels.green, levels.blue);
    return true;
  }
};

class GammaController {
 public:
  constexpr explicit GammaController(GammaPort& platform) : platform_(platform) {}

  // Kept for the designed interface, though the dialog sets each display through
  // ApplyToDisplays: true when every attached display took the ramp (or there is none).
  // A refused ramp is not tried again here: a caller that needs it to stick retries later.
  // With `readBack`, each display's ramp is read back afterwards (see RampIgnored); that
  // costs a round trip per display, so it is asked for once the levels rest, not per step.
  bool ApplyToAllDisplays(int32_t red, int32_t green, int32_t blue, bool readBack = false);
  // As ApplyToAllDisplays, with each display's own levels; a display left alone neither fails
  // nor is read back.
  bool ApplyToDisplays(const DisplayRamps& ramps, bool readBack = false);
  // Same curve on all channels into `dc`, or the screen's DC when null; through the looked-up entry.
  bool ApplyUniformRamp(GammaPort::Handle dc, uint32_t level);

  bool LoadEntryPoints();
  void UnloadEntryPoints();
  bool EnsureLoaded();
  bool SetRampThroughEntryPoint(GammaPort::Handle dc, const GammaRamp& ramp);

  // True when, in the last read-back apply, a display took a ramp without error but kept
  // another one: Windows does that with ramps far from neutral unless it has been told not to.
  bool RampIgnored() const { return rampIgnored_; }

 private:
  // Reads the ramp back and compares it at 8 bits per entry, as displays keep it.
  bool KeepsDifferentRamp(GammaPort::Handle dc, const GammaRamp& ramp);

  GammaPort::Handle library_ = nullptr;
  void* getRampEntry_ = nullptr;  // looked up only: its presence is required
  void* setRampEntry_ = nullptr;
  bool rampIgnored_ = false;
  GammaPort& platform_;
};
