#include "app/platform_helpers_win32.h"

#include <shellapi.h>

#include "app/system_pages.h"

namespace {

template <typename Fn>
Fn Kernel32Proc(const char* name) {
  HMODULE kernel = GetModuleHandleW(L"kernel32");
  return kernel ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, name))) : nullptr;
}

class Win32SystemPagePlatform final : public SystemPagePlatform {
 public:
  bool IsWow64() override { return ::IsWow64() != 0; }
  bool DisableRedirection(void** previous) override {
    using Fn = BOOL(WINAPI*)(PVOID*);
    auto disable = Kernel32Proc<Fn>("Wow64DisableWow64FsRedirection");
    return disable != nullptr && disable(previous) != FALSE;
  }
  void RevertRedirection(void* previous) override {
    using Fn = BOOL(WINAPI*)(PVOID);
    auto revert = Kernel32Proc<Fn>("Wow64RevertWow64FsRedirection");
    if (revert != nullptr) revert(previous);
  }
  void ShellOpen(const SystemPage& page) override {
    ShellExecuteA(nullptr, "open", page.file, page.parameters, nullptr, SW_SHOW);
  }
};

}  // namespace

int EnableDpiAwareness() {
  static HMODULE user32 = nullptr;
  if (user32 == nullptr) user32 = LoadLibraryW(L"user32.dll");
  if (user32 == nullptr) return 0;
  using Fn = BOOL(WINAPI*)();
  auto setAware = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDPIAware")));
  return setAware != nullptr ? setAware() : 0;
}

int IsWow64() {
  using Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
  auto isWow64Process = Kernel32Proc<Fn>("IsWow64Process");
  BOOL wow64 = FALSE;
  if (isWow64Process == nullptr || !isWow64Process(GetCurrentProcess(), &wow64)) return 0;
  return wow64;
}

int SetWow64FsRedirection(BOOL enable) {
  using Fn = BOOLEAN(WINAPI*)(BOOLEAN);
  auto setRedirection = Kernel32Proc<Fn>("Wow64EnableWow64FsRedirection");
  if (setRedirection != nullptr) setRedirection(static_cast<BOOLEAN>(enable));
  return 1;
}

void OpenSystemPageCommand(int command) {
  const SystemPage* page = SystemPageForCommand(command);
  if (page == nullptr) return;
  Win32SystemPagePlatform platform;
  OpenSystemPage(platform, *page);
}
