// The main dialog's private window messages and timers, named once: each number is owned by
// one concern, and tests send the same names.
#pragma once

// Private messages, from the WM_APP range (0x8000..0xBFFF) that no system control uses.
constexpr unsigned kWmApp = 0x8000;
constexpr unsigned TrayCallbackMessage = kWmApp + 100;        // 0x8064: the tray icon was clicked
constexpr unsigned kRegFinishedMessage = kWmApp + 101;        // the ramp-limit change ended; wParam: its exit code
constexpr unsigned kDialogDpiApplied = kWmApp + 102;          // the dialog took a new DPI: icons and fonts follow
constexpr unsigned kFinishStartMessage = kWmApp + 103;        // the first frame is up: the rest of the start
constexpr unsigned kForegroundChangedMessage = kWmApp + 104;  // another window came to the front

// Timers, one id space on the main dialog.
enum DialogTimer : unsigned {
  kApplyTimer = 1001,         // red/green/blue settle
  kActivateTimer = 2000,      // a second start asked us to show up
  kReapplyTimer = 3000,       // the system may have reset the ramps
  kSaveTimer = 3001,          // the levels have settled: store them
  kRampCheckTimer = 4000,     // the levels rest: does every display keep its ramp?
  kHotkeyReportTimer = 4001,  // the shell was not ready for the hotkey report: try again
  kNightTimer = 4002,         // night mode's look may change: the next change, or its next step
};
