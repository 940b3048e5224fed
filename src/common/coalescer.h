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
  // The action failed: do it again after the same wait, at most kRetries times per burst.
  bool Retry(TimerPort& timers);

  unsigned TimerId() const { return timerId_; }

  static constexpr int kRetries = 3;

 private:
  unsigned timerId_;
  unsigned delayMs_;
  bool pending_ = false;
  int retries_ = 0;
};

// When to store values that change in runs (a slider drag): once they have rested for
// `settleMs`, and within `maxWaitMs` of the first change of a run however long it goes
// on. A store refused for a moment is tried again kRetries times, each wait twice the
// one before, then every kSlowRetryMs for as long as it stays busy (values held only in
// memory must reach the file without another change); a lasting refusal (read-only) is
// not retried, the values wait for the next change.
class WriteSchedule {
 public:
  constexpr WriteSchedule(unsigned timerId, unsigned settleMs, unsigned maxWaitMs)
      : timerId_(timerId), settleMs_(settleMs), maxWaitMs_(maxWaitMs) {}

  // Values changed at `now` (milliseconds of a clock that may wrap). True when they are due
  // at once: the run has waited `maxWaitMs` (a timer may be starved by a flood of messages).
  bool Changed(TimerPort& timers, unsigned now);
  // The timer fired: stop it; true when a write is due.
  bool Expire(TimerPort& timers);
  // A write was made; `busy` when it was refused for a moment.
  void Written(TimerPort& timers, bool busy);
  // A write or a retry is waiting for the timer.
  bool Scheduled() const { return scheduled_; }

  static constexpr int kRetries = 3;
  static constexpr unsigned kFirstRetryMs = 1000;
  static constexpr unsigned kSlowRetryMs = 30000;

 private:
  unsigned timerId_, settleMs_, maxWaitMs_;
  bool runOpen_ = false;  // changes since the last write
  unsigned runStart_ = 0;
  bool scheduled_ = false;
  int retries_ = 0;
};
