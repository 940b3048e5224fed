// The main dialog's timers: one id space, each id owned by one concern.
#pragma once

enum DialogTimer : unsigned {
  kApplyTimer = 1001,          // red/green/blue settle
  kActivateTimer = 2000,       // a second start asked us to show up
  kReapplyTimer = 3000,        // the system may have reset the ramps
  kSaveTimer = 3001,           // the levels have settled: store them
  kRampCheckTimer = 4000,      // the levels rest: does every display keep its ramp?
  kHotkeyReportTimer = 4001,   // the shell was not ready for the hotkey report: try again
};
