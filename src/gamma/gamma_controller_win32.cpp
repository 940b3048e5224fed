#include "gamma/gamma_controller_win32.h"

#include <windows.h>

#include "common/system_folder_win32.h"
#include "common/win32_text.h"

namespace {

using SetRampFn = BOOL(WINAPI*)(HDC, LPVOID);

class Win32GammaPort final : public GammaPort {
 public:
  constexpr Win32GammaPort() = default;

  bool EnumDisplayDevice(uint32_t index, DisplayDevice& device) override {
    DISPLAY_DEVICEW record = {};
    record.cb = sizeof(record);
    if (!EnumDisplayDevicesW(nullptr, index, &record, 0)) return false;
    device.name = U16(record.DeviceName);
    device.attachedToDesktop = (record.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) != 0;
    return true;
  }
  Handle CreateDisplayDC(const std::u16string& deviceName) override {
    return CreateDCW(nullptr, W(deviceName), nullptr, nullptr);
  }
  void DeleteDisplayDC(Handle dc) override { DeleteDC(static_cast<HDC>(dc)); }
  bool SetDeviceGammaRamp(Handle dc, const GammaRamp& ramp) override {
    return ::SetDeviceGammaRamp(static_cast<HDC>(dc), const_cast<uint16_t*>(ramp.data())) != FALSE;
  }
  Handle GetScreenDC() override { return GetDC(nullptr); }
  void ReleaseScreenDC(Handle dc) override { ReleaseDC(nullptr, static_cast<HDC>(dc)); }
  Handle LoadLibraryNamed(const char* name) override {
    return LoadSystemLibrary(std::wstring(name, name + std::char_traits<char>::length(name)).c_str());
  }
  void* FindProc(Handle library, const char* name) override {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
  }
  void FreeLibraryHandle(Handle library) override { FreeLibrary(static_cast<HMODULE>(library)); }
  bool CallSetRampEntry(void* entry, Handle dc, const GammaRamp& ramp) override {
    auto setRamp = reinterpret_cast<SetRampFn>(entry);
    return setRamp(static_cast<HDC>(dc), const_cast<uint16_t*>(ramp.data())) != FALSE;
  }
  bool GetDeviceGammaRamp(Handle dc, GammaRamp& ramp) override {
    return ::GetDeviceGammaRamp(static_cast<HDC>(dc), ramp.data()) != FALSE;
  }
};

Win32GammaPort realGammaPort;

}  // namespace

GammaController gammaController(realGammaPort);
