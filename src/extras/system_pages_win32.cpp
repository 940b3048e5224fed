#include "extras/system_pages_win32.h"

#include <shellapi.h>

#include <string>

#include "extras/system_pages.h"
#include "common/system_folder_win32.h"

namespace {

template <typename Fn>
Fn Kernel32Proc(const char* name) {
  HMODULE kernel = GetModuleHandleW(L"kernel32");
  return kernel ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, name))) : nullptr;
}

class Win32SystemPagePort final : public SystemPagePort {
 public:
  bool IsWow64() override { return ::IsWow64(); }
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

void OpenSystemPageCommand(int command) {
  const SystemPage* page = SystemPageForCommand(command);
  if (page == nullptr) return;
  Win32SystemPagePort platform;
  OpenSystemPage(platform, *page);
}
