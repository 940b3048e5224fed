#include "common/paths_win32.h"

std::wstring ModuleFileName(HMODULE module) {
  // A path can hold up to 32,767 characters; grow the buffer until it fits rather than cut it.
  const DWORD kLongest = 32768;
  for (DWORD size = MAX_PATH;; size = size * 2 < kLongest ? size * 2 : kLongest) {
    std::wstring path(size, L'\0');
    const DWORD length = GetModuleFileNameW(module, &path[0], size);
    if (length == 0) return std::wstring();
    if (length < size) {
      path.resize(length);
      return path;
    }
    if (size == kLongest) return std::wstring();
  }
}

std::wstring LongPath(const std::wstring& path) {
  if (path.size() < MAX_PATH - 12 || path.compare(0, 4, L"\\\\?\\") == 0) return path;
  if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
  if (path.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + path.substr(2);
  return path;
}
