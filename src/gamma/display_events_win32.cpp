#include "gamma/display_events_win32.h"

#include <wtsapi32.h>

#include "common/system_folder_win32.h"

namespace {

// GUID_CONSOLE_DISPLAY_STATE: the console display went off, on or dimmed.
const GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

bool IsConsoleDisplayOn(LPARAM lParam) {
  const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
  if (setting == nullptr || setting->PowerSetting != kConsoleDisplayState || setting->DataLength < sizeof(DWORD)) {
    return false;
  }
  DWORD state = 0;
  CopyMemory(&state, setting->Data, sizeof state);
  return state == 1;
}

}  // namespace

void RegisterRampResetNotifications(HWND window) {
  using RegisterPowerFn = HANDLE(WINAPI*)(HANDLE, LPCGUID, DWORD);
  if (HMODULE user32 = GetModuleHandleW(L"user32")) {
    auto registerPower = reinterpret_cast<RegisterPowerFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "RegisterPowerSettingNotification")));
    if (registerPower != nullptr) registerPower(window, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
  }
  using RegisterSessionFn = BOOL(WINAPI*)(HWND, DWORD);
  if (HMODULE wtsapi = LoadSystemLibrary(L"wtsapi32.dll")) {
    auto registerSession = reinterpret_cast<RegisterSessionFn>(
        reinterpret_cast<void*>(GetProcAddress(wtsapi, "WTSRegisterSessionNotification")));
    if (registerSession != nullptr) registerSession(window, NOTIFY_FOR_THIS_SESSION);
  }
}

bool IsRampResetEvent(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DISPLAYCHANGE:
      return true;
    case WM_POWERBROADCAST:
      return wParam == PBT_APMRESUMESUSPEND || wParam == PBT_APMRESUMEAUTOMATIC ||
             (wParam == PBT_POWERSETTINGCHANGE && IsConsoleDisplayOn(lParam));
    case WM_WTSSESSION_CHANGE:
      return wParam == WTS_CONSOLE_CONNECT || wParam == WTS_REMOTE_DISCONNECT || wParam == WTS_SESSION_UNLOCK;
    default:
      return false;
  }
}
