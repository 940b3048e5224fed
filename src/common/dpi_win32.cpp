#include "common/dpi_win32.h"

#include <commctrl.h>

#include "common/dpi_scale.h"

namespace {

template <typename Fn>
Fn ProcFrom(const wchar_t* module, const char* name) {
  HMODULE handle = GetModuleHandleW(module);  // user32 and comctl32 are loaded at start
  return handle ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(handle, name))) : nullptr;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return kDefaultDpi;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace

int EnableProcessDpiAwareness() {
  using ContextFn = BOOL(WINAPI*)(HANDLE);
  if (auto setContext = ProcFrom<ContextFn>(L"user32", "SetProcessDpiAwarenessContext")) {
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 (-4), else PER_MONITOR_AWARE (-3).
    if (setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4))) ||
        setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3)))) {
      return 1;
    }
    if (GetLastError() == ERROR_ACCESS_DENIED) return 1;  // already set, by the manifest
  }
  using SetAwareFn = BOOL(WINAPI*)();
  auto setAware = ProcFrom<SetAwareFn>(L"user32", "SetProcessDPIAware");
  return setAware != nullptr ? setAware() : 0;
}

int SystemDpi() {
  using Fn = UINT(WINAPI*)();
  static const auto forSystem = ProcFrom<Fn>(L"user32", "GetDpiForSystem");
  const int dpi = forSystem ? static_cast<int>(forSystem()) : 0;
  return dpi > 0 ? dpi : ScreenDpi();
}

int DpiForWindow(HWND window) {
  using Fn = UINT(WINAPI*)(HWND);
  static const auto forWindow = ProcFrom<Fn>(L"user32", "GetDpiForWindow");
  const int dpi = forWindow && window ? static_cast<int>(forWindow(window)) : 0;
  return dpi > 0 ? dpi : SystemDpi();
}

HICON LoadIconAtSize(HINSTANCE module, int resourceId, int size) {
  using Fn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
  static const auto scaleDown = ProcFrom<Fn>(L"comctl32", "LoadIconWithScaleDown");
  HICON icon = nullptr;
  if (scaleDown && SUCCEEDED(scaleDown(module, MAKEINTRESOURCEW(resourceId), size, size, &icon)) && icon) return icon;
  return static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}
