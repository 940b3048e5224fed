#include "control/level_handover_win32.h"

#include "gamma/color_levels.h"

namespace {

constexpr DWORD kAnswerTimeoutMs = 2000;  // per message: a hung or suspended instance is given up

// The running dialog: the one that answers the query with the query's own number.
BOOL CALLBACK FindInstanceProc(HWND window, LPARAM out) {
  wchar_t className[8] = {};
  if (GetClassNameW(window, className, 8) == 0 || lstrcmpW(className, L"#32770") != 0) return TRUE;
  DWORD_PTR reply = 0;
  const UINT query = InstanceQueryMessage();
  if (SendMessageTimeoutW(window, query, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &reply) &&
      reply == query) {
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
  }
  return TRUE;
}

LONG_PTR SendRecord(HWND dialog, ULONG_PTR tag, DWORD size, void* record) {
  COPYDATASTRUCT copy = {tag, size, record};
  DWORD_PTR reply = 0;
  if (!SendMessageTimeoutW(dialog, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), SMTO_BLOCK | SMTO_ABORTIFHUNG,
                           kAnswerTimeoutMs, &reply)) {
    return 0;
  }
  return static_cast<LONG_PTR>(reply);
}

}  // namespace

UINT InstanceQueryMessage() {
  static const UINT message = RegisterWindowMessageW(L"Glowmere instance");
  return message;
}

HWND FindRunningInstance() {
  HWND dialog = nullptr;
  if (InstanceQueryMessage() != 0) EnumWindows(FindInstanceProc, reinterpret_cast<LPARAM>(&dialog));
  return dialog;
}

namespace {

// Waits up to `timeoutMs` for the instance to finish its start, then sends it the record.
LONG_PTR HandOver(ULONG_PTR tag, DWORD size, void* record, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND dialog = FindRunningInstance()) return SendRecord(dialog, tag, size, record);
    // Not this program's dialog thread: a start that waits for the instance may sleep.
    if (GetTickCount() - start >= timeoutMs) return 0;
    Sleep(200);
  }
}

}  // namespace

LONG_PTR HandOverLevels(const LevelRequest& levels, DWORD timeoutMs) {
  LevelHandOver data = {levels.brightness, levels.red, levels.green, levels.blue, {}};
  lstrcpynW(data.display, reinterpret_cast<const wchar_t*>(levels.displayId.c_str()), ARRAYSIZE(data.display));
  return HandOver(kLevelHandOverTag, sizeof data, &data, timeoutMs);
}

LONG_PTR HandOverNight(const NightRequest& request, DWORD timeoutMs) {
  NightHandOver data = {static_cast<INT32>(request.op), request.minutes};
  return HandOver(kNightHandOverTag, sizeof data, &data, timeoutMs);
}

bool ReadLevelHandOver(const COPYDATASTRUCT* data, LevelHandOver* request) {
  if (data == nullptr || data->dwData != kLevelHandOverTag || data->cbData != sizeof *request) return false;
  CopyMemory(request, data->lpData, sizeof *request);
  auto inRange = [](INT32 v) { return v >= kLevelMin && v <= kLevelMax; };
  return inRange(request->red) && inRange(request->green) && inRange(request->blue) &&
         (request->brightness == -1 || inRange(request->brightness));
}

bool ReadNightHandOver(const COPYDATASTRUCT* data, NightRequest* request) {
  NightHandOver record;
  if (data == nullptr || data->dwData != kNightHandOverTag || data->cbData != sizeof record) return false;
  CopyMemory(&record, data->lpData, sizeof record);
  if (record.op < static_cast<INT32>(NightRequest::Op::On) || record.op > static_cast<INT32>(NightRequest::Op::Resume))
    return false;
  if (record.op == static_cast<INT32>(NightRequest::Op::Pause) &&
      (record.minutes < 1 || record.minutes > kNightPauseMaxMinutes))
    return false;
  request->op = static_cast<NightRequest::Op>(record.op);
  request->minutes = record.minutes;
  return true;
}
