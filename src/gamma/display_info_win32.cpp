#include "gamma/display_info_win32.h"

#include <windows.h>

#include "common/win32_text.h"

namespace {

// Newer than the headers this builds with (Windows 11 24H2); laid out as documented.
constexpr UINT32 kGetAdvancedColorInfo2 = 15;
struct AdvancedColorInfo2 {
  DISPLAYCONFIG_DEVICE_INFO_HEADER header;
  UINT32 flags;
  UINT32 colorEncoding;
  UINT32 bitsPerColorChannel;
  UINT32 activeColorMode;  // 0 SDR, 1 wide colour gamut, 2 HDR
};

using GetBufferSizesFn = LONG(WINAPI*)(UINT32, UINT32*, UINT32*);
using QueryConfigFn = LONG(WINAPI*)(UINT32, UINT32*, DISPLAYCONFIG_PATH_INFO*, UINT32*, DISPLAYCONFIG_MODE_INFO*,
                                    DISPLAYCONFIG_TOPOLOGY_ID*);
using GetDeviceInfoFn = LONG(WINAPI*)(DISPLAYCONFIG_DEVICE_INFO_HEADER*);

template <typename Fn>
Fn User32Entry(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

template <typename Info>
bool AskTarget(GetDeviceInfoFn getInfo, const DISPLAYCONFIG_PATH_INFO& path, UINT32 type, Info* info) {
  ZeroMemory(info, sizeof *info);
  info->header.type = static_cast<DISPLAYCONFIG_DEVICE_INFO_TYPE>(type);
  info->header.size = sizeof *info;
  info->header.adapterId = path.targetInfo.adapterId;
  info->header.id = path.targetInfo.id;
  return getInfo(&info->header) == ERROR_SUCCESS;
}

DisplayInfo* ByDeviceName(std::vector<DisplayInfo>& displays, const wchar_t* name) {
  for (DisplayInfo& display : displays) {
    if (lstrcmpiW(W(display.deviceName), name) == 0) return &display;
  }
  return nullptr;
}

// Monitor names and colour modes from the display configuration (Windows 7 and later; parts
// of it may be missing, as on older Wine).
void AddConfigDetails(std::vector<DisplayInfo>& displays) {
  auto getSizes = User32Entry<GetBufferSizesFn>("GetDisplayConfigBufferSizes");
  auto query = User32Entry<QueryConfigFn>("QueryDisplayConfig");
  auto getInfo = User32Entry<GetDeviceInfoFn>("DisplayConfigGetDeviceInfo");
  if (getSizes == nullptr || query == nullptr || getInfo == nullptr) return;
  std::vector<DISPLAYCONFIG_PATH_INFO> paths;
  std::vector<DISPLAYCONFIG_MODE_INFO> modes;
  LONG status = ERROR_INSUFFICIENT_BUFFER;
  for (int attempt = 0; attempt < 3 && status == ERROR_INSUFFICIENT_BUFFER; ++attempt) {
    UINT32 pathCount = 0, modeCount = 0;
    if (getSizes(QDC_ONLY_ACTIVE_PATHS, &pathCount, &modeCount) != ERROR_SUCCESS) return;
    paths.resize(pathCount);
    modes.resize(modeCount);
    status = query(QDC_ONLY_ACTIVE_PATHS, &pathCount, paths.data(), &modeCount, modes.data(), nullptr);
    paths.resize(pathCount);
  }
  if (status != ERROR_SUCCESS) return;
  for (const DISPLAYCONFIG_PATH_INFO& path : paths) {
    DISPLAYCONFIG_SOURCE_DEVICE_NAME source;
    ZeroMemory(&source, sizeof source);
    source.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_SOURCE_NAME;
    source.header.size = sizeof source;
    source.header.adapterId = path.sourceInfo.adapterId;
    source.header.id = path.sourceInfo.id;
    if (getInfo(&source.header) != ERROR_SUCCESS) continue;
    DisplayInfo* display = ByDeviceName(displays, source.viewGdiDeviceName);
    if (display == nullptr) continue;

    DISPLAYCONFIG_TARGET_DEVICE_NAME target;
    if (AskTarget(getInfo, path, DISPLAYCONFIG_DEVICE_INFO_GET_TARGET_NAME, &target)) {
      if (display->monitorName.empty()) display->monitorName = U16(target.monitorFriendlyDeviceName);
      if (display->id.empty()) display->id = U16(target.monitorDevicePath);
    }
    AdvancedColorReport report;
    AdvancedColorInfo2 modeInfo;
    DISPLAYCONFIG_GET_ADVANCED_COLOR_INFO enabledInfo;
    if (AskTarget(getInfo, path, kGetAdvancedColorInfo2, &modeInfo)) {
      report.haveModeReport = true;
      report.activeColorMode = static_cast<int>(modeInfo.activeColorMode);
    } else if (AskTarget(getInfo, path, DISPLAYCONFIG_DEVICE_INFO_GET_ADVANCED_COLOR_INFO, &enabledInfo)) {
      report.haveEnabledReport = true;
      report.advancedColorEnabled = enabledInfo.advancedColorEnabled != 0;
      report.wideColorEnforced = enabledInfo.wideColorEnforced != 0;
    }
    display->hdr = display->hdr || IsHdr(report);
  }
}

class Win32DisplayList final : public DisplayListPort {
 public:
  std::vector<DisplayInfo> Enumerate() override {
    std::vector<DisplayInfo> displays;
    DISPLAY_DEVICEW adapter = {};
    adapter.cb = sizeof adapter;
    for (DWORD index = 0; EnumDisplayDevicesW(nullptr, index, &adapter, 0); ++index) {
      if ((adapter.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) == 0) continue;
      DisplayInfo display;
      display.deviceName = U16(adapter.DeviceName);
      display.number = DisplayNumber(display.deviceName);
      // The monitor's device interface path names the monitor on its connector, and stays
      // when Windows numbers the displays anew.
      DISPLAY_DEVICEW monitor = {};
      monitor.cb = sizeof monitor;
      if (EnumDisplayDevicesW(adapter.DeviceName, 0, &monitor, EDD_GET_DEVICE_INTERFACE_NAME)) {
        display.id = U16(monitor.DeviceID);
      }
      displays.push_back(display);
      adapter.cb = sizeof adapter;
    }
    AddConfigDetails(displays);
    return displays;
  }
};

Win32DisplayList realDisplays;

}  // namespace

DisplayListPort& systemDisplays = realDisplays;
