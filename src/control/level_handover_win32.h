// A second start hands its command-line levels to the running dialog: first it asks each
// dialog with InstanceQueryMessage(), which only Glowmere's answers with that same number
// (and only once its start has run to the end), then sends it WM_COPYDATA tagged
// kLevelHandOverTag carrying a LevelHandOver.
#pragma once

#include <windows.h>

#include "control/command_line.h"

constexpr ULONG_PTR kLevelHandOverTag = 0x474C4D4C;
struct LevelHandOver {
  INT32 brightness;  // -1: leave the brightness slider as it is
  INT32 red, green, blue;
  WCHAR display[260];  // the id of the one display they are for; empty: as the sliders
};

// Night mode's command line, in a record of its own.
constexpr ULONG_PTR kNightHandOverTag = 0x474C4E54;
struct NightHandOver {
  INT32 op;  // NightRequest::Op
  INT32 minutes;
};

UINT InstanceQueryMessage();

// The running instance's dialog, once its start has run to the end; null when none answers.
HWND FindRunningInstance();

// Sending side: hands the levels to the running instance's dialog without showing it,
// trying for up to `timeoutMs` while the instance finishes its start. The dialog's answer
// (what it did with them), or 0 when no dialog took them.
LONG_PTR HandOverLevels(const LevelRequest& levels, DWORD timeoutMs);

// Sending side for -night: the instance's answer (1 when taken), or 0.
LONG_PTR HandOverNight(const NightRequest& request, DWORD timeoutMs);

// Receiving side: the levels of a WM_COPYDATA hand-over; false for anything else or for
// levels out of range.
bool ReadLevelHandOver(const COPYDATASTRUCT* data, LevelHandOver* request);
// The same for -night; false for anything else or a request out of range.
bool ReadNightHandOver(const COPYDATASTRUCT* data, NightRequest* request);
