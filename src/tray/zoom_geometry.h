// Where the hide-to-tray rectangle heads and how it gets there: plain arithmetic,
// kept apart from the window calls so it can be checked anywhere.
#pragma once

#include <cstdint>

// A screen rectangle in pixels, edges as the platform reports them.
struct ScreenRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

inline bool operator==(const ScreenRect& a, const ScreenRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const ScreenRect& a, const ScreenRect& b) { return !(a == b); }

// The taskbar edges the shell reports (ABE_LEFT .. ABE_BOTTOM).
enum TaskbarEdge : uint32_t { EdgeLeft = 0, EdgeTop = 1, EdgeRight = 2, EdgeBottom = 3 };

// The shell's answers, asked in order of preference. Each returns false when its
// source does not answer (no such window, query failed).
class TraySurroundingsPort {
 public:
  // Rectangle of the notification area window inside the taskbar.
  virtual bool NotifyWindowRect(ScreenRect* rect) = 0;
  // The taskbar rectangle and the screen edge it sits on.
  virtual bool TaskbarPosition(ScreenRect* taskbar, uint32_t* edge) = 0;
  // Rectangle of the taskbar window itself.
  virtual bool TaskbarWindowRect(ScreenRect* rect) = 0;
  // The desktop's work area; always answers.
  virtual ScreenRect WorkArea() = 0;

 protected:
  ~TraySurroundingsPort() = default;
};

// The distances below are pixels at 96 DPI; `dpi` (the system's, as the taskbar is drawn
// with it) scales them, so the target looks the same at any display scaling.
// The last 100 to 16 pixels of the taskbar's long side, across its whole short side.
// False for an edge the shell should never report: the caller then asks the next source.
bool TargetFromTaskbarPosition(const ScreenRect& taskbar, uint32_t edge, ScreenRect* target, int dpi = 96);
// The taskbar window's bottom right 150 x 30 pixels, or less where it is smaller.
ScreenRect TargetFromTaskbarWindow(const ScreenRect& taskbar, int dpi = 96);
// A 150 x 30 box in the bottom right corner of the work area.
ScreenRect TargetFromWorkArea(const ScreenRect& workArea, int dpi = 96);

// The first source that answers decides where the notification area is.
ScreenRect NotificationAreaRect(TraySurroundingsPort& shell, int dpi = 96);

constexpr int kAnimationSteps = 6;

// The rectangle of animation step 0..5: a sixth of the way further each step, each
// edge truncated toward zero; step 5 stops five sixths of the way to the target.
ScreenRect AnimationStepRect(const ScreenRect& from, const ScreenRect& to, int step);

// A light colour for one step, each component in 128..255.
struct StepColor {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
};

// Three draws of the pseudo-random generator, in this order: blue, green, red.
StepColor DrawStepColor(int (*draw)());
// The platform's 0x00BBGGRR colour value.
uint32_t ToColorRef(StepColor color);
