// Stands in for a system program in end-to-end tests: appends "<its file name>|<its command
// line>" to started.txt beside it, then ends.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

int wmain() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  wchar_t* name = wcsrchr(path, L'\\');
  *name++ = L'\0';
  FILE* log = _wfopen((std::wstring(path) + L"\\started.txt").c_str(), L"ab");
  if (log == nullptr) return 1;
  std::fprintf(log, "%ls|%ls\r\n", name, GetCommandLineW());
  return std::fclose(log);
}
