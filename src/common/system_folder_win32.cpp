#include "common/system_folder_win32.h"

std::wstring SystemFolder() {
  wchar_t buffer[MAX_PATH + 1];
  const UINT n = GetSystemDirectoryW(buffer, MAX_PATH + 1);
  if (n == 0 || n > MAX_PATH) return std::wstring();
  return std::wstring(buffer, n);
}

std::wstring SystemPath(const wchar_t* name) {
  const std::wstring folder = SystemFolder();
  return folder.empty() ? folder : folder + L"\\" + name;
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
  HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Without KB2533623 the flag is unknown: the full path does the same, and the altered
  // search makes the library's own imports come from the system folder too.
  if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
    const std::wstring path = SystemPath(name);
    if (!path.empty()) module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  return module;
}

void RestrictLibrarySearchToSystemFolder() {
  using Fn = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto setDefault =
      kernel ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
             : nullptr;
  if (setDefault != nullptr) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

bool IsWow64() {
  using Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
  HMODULE kernel = GetModuleHandleW(L"kernel32");
  auto isWow64Process =
      kernel ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process"))) : nullptr;
  BOOL wow64 = FALSE;
  return isWow64Process != nullptr && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}
