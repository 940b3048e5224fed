// Turns a burst of events into one action shortly after the last of them,
// with a one-shot timer that every event restarts.
#pragma once

class TimerPort {
 public:
  virtual ~TimerPort() = default;
  virtual void Start(unsigned id, unsigned milliseconds) = 0;
  virtual void Stop(unsigned id) = 0;
};

class Coalescer {
 public:
  constexpr Coalescer(unsigned timerId, unsigned delayMs) : timerId_(timerId), delayMs_(delayMs) {}

  // An event arrived: (re)start the wait.
  void Trigger(TimerPort& timers);
  // The timer fired: stop it; true when an action is due.
  bool Expire(TimerPort& timers);

  unsigned TimerId() const { return timerId_; }

 private:
  unsigned timerId_;
  unsigned delayMs_;
  bool pending_ = false;
};

// System notifications after which Windows may have put the identity ramp back.
bool IsResumeEvent(unsigned powerEvent);          // WM_POWERBROADCAST wParam
bool IsSessionReturnEvent(unsigned sessionEvent); // WM_WTSSESSION_CHANGE wParam
