// Timers of one window, for the portable schedules that take a TimerPort.
#pragma once

#include <windows.h>

#include "common/coalescer.h"

class WindowTimers final : public TimerPort {
 public:
  explicit WindowTimers(HWND window) : window_(window) {}
  void Start(unsigned id, unsigned milliseconds) override { SetTimer(window_, id, milliseconds, nullptr); }
  void Stop(unsigned id) override { KillTimer(window_, id); }

 private:
  HWND window_;
};
