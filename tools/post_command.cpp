// Chooses a menu command in the running Glowmere, as a click would: post_command.exe ID. For
// screenshots of the windows a menu item opens (tools/screenshots.sh).
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const WPARAM command = static_cast<WPARAM>(std::wcstoul(argv[1], nullptr, 10));
  for (int tries = 0; tries < 100; ++tries, Sleep(100)) {
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, L"#32770", nullptr)) != nullptr;) {
      wchar_t title[64] = {};
      GetWindowTextW(window, title, 64);
      if (std::wcsncmp(title, L"Glowmere", 8) == 0 && GetMenu(window) != nullptr) {
        return PostMessageW(window, WM_COMMAND, command, 0) ? 0 : 1;
      }
    }
  }
  return 1;
}
