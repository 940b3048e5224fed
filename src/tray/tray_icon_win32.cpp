#include "tray/tray_icon_win32.h"

#include <shellapi.h>

#include <new>

#include "common/dpi_win32.h"
#include "common/win32_text.h"
#include "tray/tray_tip.h"
#include "tray/tray_watchdog_logic.h"

static_assert(sizeof(void*) != 4 || NOTIFYICONDATAW_V1_SIZE == 152, "first-version record is 152 bytes");
static_assert(NOTIFYICONDATAW_V1_SIZE == FIELD_OFFSET(NOTIFYICONDATAW, szTip) + kTipCapacity * sizeof(wchar_t),
              "the first-version record ends after a 64-character tip");

TrayIcon trayIcon;

namespace {

constexpr UINT kAllIconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
// The watchdog leaves its wait at once; only a shell call that hangs can hold it up,
// and process exit must not hang with it.
constexpr DWORD kWatchdogEndWaitMs = 10000;

}  // namespace

// One watchdog's events, made for it alone: a watchdog that outlives its stop (stuck in a
// shell call) keeps them, so nothing it waits on is closed or reset under it, and a new
// watchdog never wakes it.
struct TrayIcon::WatchdogRun {
  TrayIcon& tray;
  HANDLE stop;   // manual reset: the watchdog must end
  HANDLE readd;  // auto reset: add the icon again now
  ~WatchdogRun() {
    if (stop) CloseHandle(stop);
    if (readd) CloseHandle(readd);
  }
};

class TrayIcon::IconPort final : public TrayIconPort {
 public:
  // With `stopped`, nothing is added once it is set: an ended watchdog whose shell call
  // returned late must not bring back a removed icon.
  explicit IconPort(TrayIcon& tray, HANDLE stopped = nullptr) : tray_(tray), stopped_(stopped) {}
  bool OwnerExists() override { return IsWindow(tray_.ownerWindow) != FALSE; }
  bool IsPresent() override { return tray_.IsPresent() != FALSE; }
  void AddOrUpdate() override {
    if (stopped_ == nullptr || WaitForSingleObject(stopped_, 0) != WAIT_OBJECT_0) tray_.AddOrUpdate();
  }
  void Remove() override { tray_.Notify(NIM_DELETE, kAllIconFlags, tray_.iconId, nullptr, nullptr); }

 private:
  TrayIcon& tray_;
  HANDLE stopped_;
};

class TrayIcon::WatchdogPort final : public WatchdogThreadPort {
 public:
  explicit WatchdogPort(TrayIcon& tray) : tray_(tray) {}
  bool IsRunning() override { return tray_.watchdogThread != nullptr; }

  void Start() override {
    auto* run = new (std::nothrow)
        WatchdogRun{tray_, CreateEventW(nullptr, TRUE, FALSE, nullptr), CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    // Without its events the watchdog could not be ended cleanly: better none.
    if (run == nullptr || !run->stop || !run->readd) {
      delete run;
      return;
    }
    tray_.watchdogThread = CreateThread(nullptr, 0, TrayWatchdog, run, 0, &tray_.watchdogThreadId);
    if (tray_.watchdogThread == nullptr) {
      delete run;
      return;
    }
    tray_.watchdogRun = run;
  }

  void StopAndWait() override {
    SetEvent(tray_.watchdogRun->stop);
    // A thread already ended (process exit under way) is signalled: no wait then. One
    // that does not end in time keeps its handle and events and ends at its next wake.
    if (WaitForSingleObject(tray_.watchdogThread, kWatchdogEndWaitMs) == WAIT_OBJECT_0) {
      CloseHandle(tray_.watchdogThread);
      delete tray_.watchdogRun;
    }
    tray_.watchdogThread = nullptr;
    tray_.watchdogRun = nullptr;
  }

  void RequestReadd() override { SetEvent(tray_.watchdogRun->readd); }

 private:
  TrayIcon& tray_;
};

TrayIcon::~TrayIcon() {
  IconPort icon(*this);
  WatchdogPort watchdog(*this);
  DestroyTrayIcon(icon, watchdog);
}

void TrayIcon::SetWindow(HWND owner) { ownerWindow = owner; }

int TrayIcon::Create(UINT id, const wchar_t* tip, bool startWatchdog) {
  IconPort icon(*this);
  WatchdogPort watchdog(*this);
  CreateTrayIcon(icon, watchdog, startWatchdog, [&] {
    iconId = id;
    CopyTip(U(tip), reinterpret_cast<char16_t*>(tipText), sizeof tipText / sizeof tipText[0]);
  });
  return 1;
}

void TrayIcon::SetTip(const wchar_t* tip) {
  CopyTip(U(tip), reinterpret_cast<char16_t*>(tipText), sizeof tipText / sizeof tipText[0]);
  if (iconId != 0) Notify(NIM_MODIFY, NIF_TIP, iconId, nullptr, tipText);
}

void TrayIcon::Readd() {
  if (iconId == 0) return;  // not created yet: nothing to bring back
  IconPort icon(*this);
  WatchdogPort watchdog(*this);
  ReaddTrayIcon(icon, watchdog);
}

void TrayIcon::AddOrUpdate() {
  // The notification area draws small icons at the system DPI: one of that size stays sharp.
  currentIcon = LoadIconAtSize(GetModuleHandleW(nullptr), static_cast<int>(iconId), GetSystemMetrics(SM_CXSMICON));
  const DWORD message = IsPresent() ? NIM_MODIFY : NIM_ADD;
  Notify(message, kAllIconFlags, iconId, currentIcon, tipText);
  currentIcon = nullptr;  // the shell keeps its own copy; ours is destroyed
}

BOOL TrayIcon::IsPresent() { return Notify(NIM_MODIFY, NIF_MESSAGE, iconId, nullptr, tipText); }

bool TrayIcon::ShowBalloon(const wchar_t* title, const wchar_t* text) {
  // Balloons need the second-version record; the icon itself keeps the first.
  NOTIFYICONDATAW balloon = {};
  balloon.cbSize = NOTIFYICONDATAW_V2_SIZE;
  balloon.hWnd = ownerWindow;
  balloon.uID = iconId;
  balloon.uFlags = NIF_INFO;
  lstrcpynW(balloon.szInfo, text, ARRAYSIZE(balloon.szInfo));
  lstrcpynW(balloon.szInfoTitle, title, ARRAYSIZE(balloon.szInfoTitle));
  balloon.uTimeout = 30000;
  balloon.dwInfoFlags = NIIF_WARNING;
  return Shell_NotifyIconW(NIM_MODIFY, &balloon) != FALSE;
}

BOOL TrayIcon::Notify(DWORD message, UINT flags, UINT id, HICON icon, const wchar_t* tip) {
  NOTIFYICONDATAW record = {};
  record.cbSize = NOTIFYICONDATAW_V1_SIZE;
  record.hWnd = ownerWindow;
  record.uID = id;
  record.uFlags = flags;
  record.uCallbackMessage = TrayCallbackMessage;
  record.hIcon = icon;
  CopyTip(U(tip), reinterpret_cast<char16_t*>(record.szTip), kTipCapacity);
  const BOOL result = Shell_NotifyIconW(message, &record);
  if (icon) DestroyIcon(icon);
  return result;
}

DWORD WINAPI TrayIcon::TrayWatchdog(LPVOID parameter) {
  const WatchdogRun& run = *static_cast<const WatchdogRun*>(parameter);
  IconPort icon(run.tray, run.stop);
  const HANDLE events[2] = {run.stop, run.readd};
  RunTrayWatchdog(icon, [&events](uint32_t timeoutMs) {
    switch (WaitForMultipleObjects(2, events, FALSE, timeoutMs)) {
      case WAIT_TIMEOUT:
        return WatchdogWake::PeriodElapsed;
      case WAIT_OBJECT_0 + 1:
        return WatchdogWake::ReaddRequested;
      default:  // stop requested, or the wait itself failed: never spin
        return WatchdogWake::StopRequested;
    }
  });
  return 0;
}
