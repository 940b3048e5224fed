#include "common/coalescer.h"

void Coalescer::Trigger(TimerPort& timers) {
  timers.Stop(timerId_);
  timers.Start(timerId_, delayMs_);
  pending_ = true;
  retries_ = 0;
}

bool Coalescer::Retry(TimerPort& timers) {
  if (retries_ == kRetries) return false;
  const int retries = retries_ + 1;
  Trigger(timers);
  retries_ = retries;
  return true;
}

bool Coalescer::Expire(TimerPort& timers) {
  timers.Stop(timerId_);
  const bool due = pending_;
  pending_ = false;
  return due;
}

bool WriteSchedule::Changed(TimerPort& timers, unsigned now) {
  if (!runOpen_) {
    runOpen_ = true;
    runStart_ = now;
  }
  retries_ = 0;
  timers.Stop(timerId_);
  const unsigned waited = now - runStart_;
  if (waited >= maxWaitMs_) {
    runOpen_ = scheduled_ = false;
    return true;
  }
  const unsigned left = maxWaitMs_ - waited;
  timers.Start(timerId_, settleMs_ < left ? settleMs_ : left);
  scheduled_ = true;
  return false;
}

bool WriteSchedule::Expire(TimerPort& timers) {
  timers.Stop(timerId_);
  const bool due = scheduled_;
  runOpen_ = scheduled_ = false;
  return due;
}

void WriteSchedule::Written(TimerPort& timers, bool busy) {
  runOpen_ = false;
  if (!busy) {
    retries_ = 0;  // stored, or refused for good: the next change starts afresh
    return;
  }
  timers.Stop(timerId_);
  timers.Start(timerId_, retries_ < kRetries ? kFirstRetryMs << retries_ : kSlowRetryMs);
  if (retries_ < kRetries) ++retries_;
  scheduled_ = true;
}
