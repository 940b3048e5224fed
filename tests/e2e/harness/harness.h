// End-to-end harness: drives the real Glowmere.exe under Wine from a Win32 test program.
// Each tests/e2e/<name>_e2e.cpp is its own GoogleTest program, run by CTest inside the test
// run's X server and Wine prefix (see e2e.cmake), one at a time: one instance per session.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/exit_codes.h"
#include "res/resource_ids.h"
#include "tray/tray_icon_win32.h"  // TrayCallbackMessage

namespace e2e {

struct Process {
  HANDLE handle = nullptr;
  DWORD pid = 0;
};

// Polls `condition` every 50 ms until it holds or `timeoutMs` passes; true if it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 20000);
// Polls until `seen()` returns `expected`; the failure says what was seen last.
::testing::AssertionResult Becomes(const std::function<std::string()>& seen, const std::string& expected,
                                   DWORD timeoutMs = 10000);
::testing::AssertionResult RampBecomes(int red, int green, int blue, DWORD timeoutMs = 10000);

std::wstring Env(const wchar_t* name);
std::wstring ScratchDir(const std::wstring& name);  // fresh and empty, under the temp folder
std::wstring CopyGlowmere(const std::wstring& dir, const std::wstring& fileName = L"Glowmere.exe");
std::wstring TempFolder();                    // with its final backslash
std::wstring StateFile(const wchar_t* name);  // in the test run's state folder (GLOWMERE_E2E_STATE)
std::wstring PerUserIni();                    // %APPDATA%\Ardentine\Glowmere\Glowmere.ini
std::wstring IniValue(const wchar_t* section, const wchar_t* key);  // of PerUserIni(); "<none>" if absent

std::string ReadFileBytes(const std::wstring& path);                      // empty if missing
std::wstring ReadFileText(const std::wstring& path);                      // UTF-16 with mark, else bytes widened
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);  // creates missing folders
bool FileExists(const std::wstring& path);
std::string Narrow(const std::wstring& text);  // UTF-8, for messages
std::wstring Widen(const std::string& utf8);

// The Glowmere Run value; false if absent.
bool ReadRunValue(std::wstring* data = nullptr, DWORD* bytes = nullptr);

// The screen's ramp and the levels' ramps (entry i = min(i * (level + 128), 65535)), compared
// at 8 bits as Wine/X keep them; the identity ramp loaded from outside.
bool RampIs(int red, int green, int blue);
void ResetScreenRamp();
std::string RampSeen();  // "saw top entries R/G/B", for failure messages
std::vector<WORD> ScreenRamp(bool identity = false);  // read, or with `identity` the identity loaded

std::wstring WindowText(HWND window);
std::wstring ItemText(HWND dialog, int id);
int SliderPos(HWND dialog, int id);
std::string SliderLevels(HWND dialog);  // "brightness red green blue "
std::string StoredLevels();             // the same from PerUserIni()
// The id Glowmere keeps display `number`'s levels under: its monitor's device interface path.
std::wstring MonitorId(int number);
std::string DisplayLevels(int number);  // its own levels from PerUserIni(), as StoredLevels
// As the user moves a slider: TBM_SETPOS, then WM_HSCROLL thumb position and end of track.
void MoveSlider(HWND dialog, int id, int pos);
void ClickButton(HWND dialog, int id);                // BM_CLICK, sent
void PostCommand(HWND window, int id);                // WM_COMMAND posted: a menu item, or a message box's button
void ChooseFromList(HWND dialog, int id, int index);  // a pick in a drop-down list
inline void ChooseLanguage(HWND dialog, int index) { ChooseFromList(dialog, IDC_LANGUAGES, index); }
void PressHotkey(WORD key);  // Ctrl+Alt+`key` as real key events
// Top-level windows of process `pid` (0: any), of class `className` when given.
std::vector<HWND> TopLevelWindows(DWORD pid, const wchar_t* className = nullptr);
// A visible dialog of `pid` other than `mainDialog` that has a child `childId` (0xFFFF: a message box's text).
HWND WaitForBox(DWORD pid, HWND mainDialog, int childId = 0xFFFF, DWORD timeoutMs = 20000);
bool IconPresent(HWND owner);  // whether the shell holds Glowmere's tray icon of `owner`
bool RemoveIcon(HWND owner);   // as a restarting shell loses it

// Before each test: no Glowmere running, no per-user settings, no Run value, identity ramp.
// After it: every process it started is ended.
class GlowmereTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  Process Start(const std::wstring& args = L"", const std::wstring& exe = L"");
  // The main dialog of `process` once its start has run to the end, or null after `timeoutMs`.
  HWND WaitForDialog(const Process& process, DWORD timeoutMs = 30000);
  // The exit code once the process has ended, or STILL_ACTIVE after `timeoutMs`.
  DWORD WaitForExit(const Process& process, DWORD timeoutMs = 30000);
  // A start that shows only a message box: its text ("<no box>" if none came), OK pressed, the exit code.
  DWORD AnswerBox(const Process& process, std::wstring* text = nullptr);

 private:
  std::vector<Process> started_;
};

}  // namespace e2e
