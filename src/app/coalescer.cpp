#include "app/coalescer.h"

void Coalescer::Trigger(TimerPort& timers) {
  timers.Stop(timerId_);
  timers.Start(timerId_, delayMs_);
  pending_ = true;
}

bool Coalescer::Expire(TimerPort& timers) {
  timers.Stop(timerId_);
  const bool due = pending_;
  pending_ = false;
  return due;
}

bool IsResumeEvent(unsigned powerEvent) {
  const unsigned kResumeSuspend = 0x7;     // PBT_APMRESUMESUSPEND
  const unsigned kResumeAutomatic = 0x12;  // PBT_APMRESUMEAUTOMATIC
  return powerEvent == kResumeSuspend || powerEvent == kResumeAutomatic;
}

bool IsSessionReturnEvent(unsigned sessionEvent) {
  const unsigned kConsoleConnect = 0x1;   // WTS_CONSOLE_CONNECT
  const unsigned kRemoteDisconnect = 0x4; // WTS_REMOTE_DISCONNECT
  const unsigned kSessionUnlock = 0x8;    // WTS_SESSION_UNLOCK
  return sessionEvent == kConsoleConnect || sessionEvent == kRemoteDisconnect ||
         sessionEvent == kSessionUnlock;
}
