#include "app/platform_helpers_win32.h"

#include <shellapi.h>

#include <string>

#include "app/system_pages.h"
#include "common/dpi_win32.h"
#include "common/system_folder_win32.h"

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
  // Inside the redirection scope: from a 32-bit process this names the 64-bit program.
  void ShellOpen(const SystemPage& page) override {
    auto wide = [](const char* s) { return std::wstring(s, s + std::char_traits<char>::length(s)); };
    const std::wstring path = SystemPath(wide(page.file).c_str());
    if (path.empty()) return;
    const std::wstring parameters = page.parameters ? wide(page.parameters) : std::wstring();
    ShellExecuteW(nullptr, L"open", path.c_str(), page.parameters ? parameters.c_str() : nullptr, nullptr, SW_SHOW);
  }
};

}  // namespace

int EnableDpiAwareness() { return EnableProcessDpiAwareness(); }

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
