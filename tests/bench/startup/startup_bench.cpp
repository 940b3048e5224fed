// Start-up time under Wine: from CreateProcess until the dialog is visible with its levels
// applied (the brightness value label filled). Runs each program `runs` times, alternating,
// and prints the medians:  startup_bench.exe GLOWMERE.EXE MIN_DIALOG.EXE [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "resource_ids.h"

namespace {

// Milliseconds until a visible top-level window of the new process has a filled brightness value label.
double StartOnce(const wchar_t* exe) {
  std::wstring commandLine = L"\"" + std::wstring(exe) + L"\"";
  STARTUPINFOW startup = {sizeof startup};
  PROCESS_INFORMATION info = {};
  LARGE_INTEGER frequency, begin, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&begin);
  if (!CreateProcessW(exe, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return -1;
  bool ready = false;
  for (int i = 0; i < 60000 && !ready; ++i, Sleep(1)) {
    for (HWND window = nullptr; !ready && (window = FindWindowExW(nullptr, window, nullptr, nullptr)) != nullptr;) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      ready = owner == info.dwProcessId && IsWindowVisible(window) &&
              GetWindowTextLengthW(GetDlgItem(window, IDC_BRIGHTNESS_VALUE)) > 0;
    }
  }
  QueryPerformanceCounter(&now);
  TerminateProcess(info.hProcess, 0);
  WaitForSingleObject(info.hProcess, 10000);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  // Wine's shell needs a moment to drop a killed program's tray icon; a start during that
  // time is slowed by about 1.5 s, whichever program it is.
  Sleep(3000);
  return ready ? static_cast<double>(now.QuadPart - begin.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart)
               : -1;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : (v[(v.size() - 1) / 2] + v[v.size() / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return std::fprintf(stderr, "usage: startup_bench GLOWMERE.EXE MIN_DIALOG.EXE [runs]\n"), 2;
  const int runs = argc > 3 ? _wtoi(argv[3]) : 20;
  std::vector<double> glowmere, floor;
  StartOnce(argv[1]);  // warm caches for both
  StartOnce(argv[2]);
  for (int i = 0; i < runs; ++i) {
    glowmere.push_back(StartOnce(argv[1]));
    floor.push_back(StartOnce(argv[2]));
  }
  const double g = Median(glowmere), f = Median(floor);
  std::printf(
      "Glowmere.exe median start-up: %.1f ms (%d runs)\nminimal dialog median start-up: %.1f ms (%d runs)\n"
      "ratio: %.3f\n",
      g, runs, f, runs, f > 0 ? g / f : 0.0);
  return 0;
}
