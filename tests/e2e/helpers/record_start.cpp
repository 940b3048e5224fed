// Stands in for a system program in end-to-end tests: appends its own file name and
// command line to started.txt beside it, then ends.
#include <windows.h>

#include <string>

int wmain() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path);
  std::wstring name = dir.substr(dir.find_last_of(L'\\') + 1);
  dir.resize(dir.find_last_of(L'\\'));
  std::wstring line = name + L"|" + GetCommandLineW() + L"\r\n";
  HANDLE log = CreateFileW((dir + L"\\started.txt").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, 0, nullptr);
  if (log == INVALID_HANDLE_VALUE) return 1;
  std::string bytes(line.begin(), line.end());
  DWORD written = 0;
  WriteFile(log, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(log);
  return 0;
}
