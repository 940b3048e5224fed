#include "tray/zoom_to_tray_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>

#include "common/dpi_win32.h"
#include "tray/tray_icon_win32.h"
#include "tray/zoom_geometry.h"

static_assert(LVM_SETBKCOLOR == 0x1001, "list-view background colour message");
static_assert(sizeof(void*) != 4 || sizeof(APPBARDATA) == 36, "taskbar query record is 36 bytes");

namespace {

constexpr DWORD kZoomStepDelayMs = 1;

ScreenRect FromRect(const RECT& rect) {
  ScreenRect result;
  result.left = rect.left;
  result.top = rect.top;
  result.right = rect.right;
  result.bottom = rect.bottom;
  return result;
}

RECT ToRect(const ScreenRect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }

bool WindowRect(HWND window, ScreenRect* rect) {
  RECT r;
  if (!window || !GetWindowRect(window, &r)) return false;
  *rect = FromRect(r);
  return true;
}

HWND Taskbar() { return FindWindowExW(nullptr, nullptr, L"Shell_TrayWnd", nullptr); }

class ShellSurroundings final : public TraySurroundingsPort {
 public:
  bool NotifyWindowRect(ScreenRect* rect) override {
    const HWND taskbar = Taskbar();
    return taskbar && WindowRect(FindWindowExW(taskbar, nullptr, L"TrayNotifyWnd", nullptr), rect);
  }

  bool TaskbarPosition(ScreenRect* taskbar, uint32_t* edge) override {
    APPBARDATA data = {};
    data.cbSize = sizeof data;
    if (!SHAppBarMessage(ABM_GETTASKBARPOS, &data)) return false;
    *taskbar = FromRect(data.rc);
    *edge = data.uEdge;
    return true;
  }

  bool TaskbarWindowRect(ScreenRect* rect) override { return WindowRect(Taskbar(), rect); }

  ScreenRect WorkArea() override {
    RECT area = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return FromRect(area);
  }
};

int DrawRandom() { return rand(); }

}  // namespace

void NotificationAreaRect(RECT* rect) {
  ShellSurroundings shell;
  *rect = ToRect(NotificationAreaRect(shell, SystemDpi()));
}

void AnimateRect(const RECT& from, const RECT& to, DWORD stepDelayMs) {
  // The list view paints nothing but its background: a plain coloured rectangle.
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  const HWND rectangle =
      CreateWindowExW(0, WC_LISTVIEWW, nullptr, WS_POPUP, from.left, from.top, from.right - from.left,
                      from.bottom - from.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!rectangle) return;
  SendMessageW(rectangle, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_BTNFACE)));
  const ScreenRect start = FromRect(from);
  const ScreenRect target = FromRect(to);
  for (int step = 0; step < kAnimationSteps; ++step) {
    const ScreenRect r = AnimationStepRect(start, target, step);
    SetWindowPos(rectangle, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_SHOWWINDOW);
    SendMessageW(rectangle, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(ToColorRef(DrawStepColor(DrawRandom))));
    Sleep(stepDelayMs);
  }
  DestroyWindow(rectangle);
}

void TrayIcon::ZoomToTray(HWND window, bool animate) {
  ShowWindow(window, SW_HIDE);
  if (!animate) return;
  RECT from;  // a hidden window keeps its rectangle
  if (!GetWindowRect(window, &from)) return;
  RECT to;
  NotificationAreaRect(&to);
  AnimateRect(from, to, kZoomStepDelayMs);
}
