#include "tray/zoom_geometry.h"

#include "common/dpi_scale.h"

namespace {

// The long-side stretch of the taskbar the rectangle heads for, measured from its end.
constexpr int32_t kStretchStart = 100;
constexpr int32_t kStretchEnd = 16;
// Size of the box used when only the taskbar window or the work area is known.
constexpr int32_t kBoxWidth = 150;
constexpr int32_t kBoxHeight = 30;

int32_t Interpolate(int32_t from, int32_t to, double fraction) {
  // Truncation of the whole sum, so negative coordinates move toward zero as well.
  return static_cast<int32_t>(from + (static_cast<double>(to) - from) * fraction);
}

uint8_t LightComponent(int draw) { return static_cast<uint8_t>(128 + static_cast<unsigned>(draw) % 128); }

}  // namespace

bool TargetFromTaskbarPosition(const ScreenRect& taskbar, uint32_t edge, ScreenRect* target, int dpi) {
  ScreenRect result = taskbar;
  const int32_t stretchStart = ScaleForDpi(kStretchStart, dpi);
  const int32_t stretchEnd = ScaleForDpi(kStretchEnd, dpi);
  switch (edge) {
    case EdgeLeft:
    case EdgeRight:
      result.top = taskbar.bottom - stretchStart;
      result.bottom = taskbar.bottom - stretchEnd;
      break;
    case EdgeTop:
    case EdgeBottom:
      result.left = taskbar.right - stretchStart;
      result.right = taskbar.right - stretchEnd;
      break;
    default:
      return false;
  }
  *target = result;
  return true;
}

ScreenRect TargetFromTaskbarWindow(const ScreenRect& taskbar, int dpi) {
  ScreenRect result = taskbar;
  const int32_t width = ScaleForDpi(kBoxWidth, dpi);
  const int32_t height = ScaleForDpi(kBoxHeight, dpi);
  if (result.right - result.left > width) result.left = result.right - width;
  if (result.bottom - result.top > height) result.top = result.bottom - height;
  return result;
}

ScreenRect TargetFromWorkArea(const ScreenRect& workArea, int dpi) {
  ScreenRect result = workArea;
  result.left = result.right - ScaleForDpi(kBoxWidth, dpi);
  result.top = result.bottom - ScaleForDpi(kBoxHeight, dpi);
  return result;
}

ScreenRect NotificationAreaRect(TraySurroundingsPort& shell, int dpi) {
  ScreenRect rect;
  if (shell.NotifyWindowRect(&rect)) return rect;
  ScreenRect taskbar;
  uint32_t edge = 0;
  if (shell.TaskbarPosition(&taskbar, &edge) && TargetFromTaskbarPosition(taskbar, edge, &rect, dpi)) return rect;
  if (shell.TaskbarWindowRect(&taskbar)) return TargetFromTaskbarWindow(taskbar, dpi);
  return TargetFromWorkArea(shell.WorkArea(), dpi);
}

ScreenRect AnimationStepRect(const ScreenRect& from, const ScreenRect& to, int step) {
  const double fraction = step * 0.16666666666666666;
  ScreenRect result;
  result.left = Interpolate(from.left, to.left, fraction);
  result.top = Interpolate(from.top, to.top, fraction);
  result.right = Interpolate(from.right, to.right, fraction);
  result.bottom = Interpolate(from.bottom, to.bottom, fraction);
  return result;
}

StepColor DrawStepColor(int (*draw)()) {
  StepColor color;
  // Separate statements: the order of the draws is part of the colour.
  color.blue = LightComponent(draw());
  color.green = LightComponent(draw());
  color.red = LightComponent(draw());
  return color;
}

uint32_t ToColorRef(StepColor color) {
  return static_cast<uint32_t>(color.red) | static_cast<uint32_t>(color.green) << 8 |
         static_cast<uint32_t>(color.blue) << 16;
}
