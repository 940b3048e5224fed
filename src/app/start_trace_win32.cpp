#include "app/start_trace.h"

#ifdef GLOWMERE_START_TRACE
#include <windows.h>

#include <cstdio>

void StartTrace(const char* step) {
  FILETIME created, exited, kernel, user, now;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  GetSystemTimePreciseAsFileTime(&now);
  auto ticks = [](const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  const double ms = static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
  wchar_t path[MAX_PATH + 32];
  const DWORD length = GetTempPathW(MAX_PATH, path);
  if (length == 0 || length > MAX_PATH) return;
  lstrcatW(path, L"glowmere-start-trace.txt");
  FILE* file = _wfopen(path, L"a");
  if (file == nullptr) return;
  std::fprintf(file, "%.2f %s\n", ms, step);
  std::fclose(file);
}
#endif
