#include "control/night_clock_win32.h"

#include "common/win32_text.h"

namespace {

constexpr int64_t kUnixEpochIn100ns = 116444736000000000LL;

FILETIME FileTimeOf(int64_t utcSeconds) {
  const uint64_t ticks = static_cast<uint64_t>(utcSeconds * 10000000LL + kUnixEpochIn100ns);
  return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
}

int64_t TicksOf(const FILETIME& time) {
  return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

bool LocalTimeOf(int64_t utcSeconds, SYSTEMTIME* local) {
  const FILETIME utcFile = FileTimeOf(utcSeconds);
  SYSTEMTIME utc;
  return FileTimeToSystemTime(&utcFile, &utc) && SystemTimeToTzSpecificLocalTime(nullptr, &utc, local);
}

}  // namespace

int WindowsTimeZone::OffsetMinutesAt(int64_t utcSeconds) const {
  SYSTEMTIME local;
  FILETIME localFile;
  if (!LocalTimeOf(utcSeconds, &local) || !SystemTimeToFileTime(&local, &localFile)) return 0;
  return static_cast<int>((TicksOf(localFile) - TicksOf(FileTimeOf(utcSeconds))) / 600000000LL);
}

int64_t NowMs() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return (TicksOf(now) - kUnixEpochIn100ns) / 10000;
}

std::u16string LocalTimeText(int64_t utcSeconds) {
  SYSTEMTIME local;
  wchar_t text[64] = {};
  if (!LocalTimeOf(utcSeconds, &local) ||
      GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, text, 64) == 0) {
    return u"";
  }
  return U16(text);
}

bool FullScreenOn(const std::u16string& deviceName, HWND own) {
  HWND front = GetForegroundWindow();
  if (front == nullptr || front == own || !IsWindowVisible(front)) return false;
  wchar_t className[32] = {};
  GetClassNameW(front, className, 32);
  for (const wchar_t* shell : {L"Progman", L"WorkerW", L"Shell_TrayWnd"}) {
    if (lstrcmpW(className, shell) == 0) return false;  // the desktop fills the screen too
  }
  MONITORINFOEXW monitor = {};
  monitor.cbSize = sizeof monitor;
  RECT window;
  if (!GetWindowRect(front, &window) || !GetMonitorInfoW(MonitorFromWindow(front, MONITOR_DEFAULTTONULL), &monitor) ||
      lstrcmpiW(monitor.szDevice, W(deviceName)) != 0) {
    return false;
  }
  return window.left <= monitor.rcMonitor.left && window.top <= monitor.rcMonitor.top &&
         window.right >= monitor.rcMonitor.right && window.bottom >= monitor.rcMonitor.bottom;
}
