// Some Windows set-ups keep a ramp far from neutral unchanged while reporting success (the
// GdiIcmGammaRange limit). Glowmere offers once per session to lift the limit; only the
// user's Yes starts reg.exe, and a No is remembered in the settings file.
#pragma once

#include <windows.h>

#include "common/window_ids.h"

// Posted to the dialog when the elevated reg.exe has ended: wParam is its exit code, or
// kRegNotStarted when it never ran (the permission prompt was declined, or it failed to start).
constexpr WPARAM kRegNotStarted = static_cast<WPARAM>(-1);

// Asks the user (unless asked already this session or told No before) and starts the fix
// without waiting for it: the permission prompt and reg.exe run on a thread of their own.
void OfferGammaRangeFix(HWND dialog);
// The answer to kRegFinishedMessage: says whether the limit was lifted.
void ReportGammaRangeFix(HWND dialog, WPARAM exitCode);
