// End-to-end harness: drives the real Glowmere.exe under Wine from a Win32 test program.
// Every e2e test file is tests/e2e/<name>_e2e.cpp, built into its own program with
// GoogleTest and this harness, and run by CTest inside the test run's X server and
// Wine prefix (see e2e.cmake). Tests run one at a time: one instance per session.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// A started Glowmere (or other) process. Killed by the fixture if still running.
struct Process {
  HANDLE handle = nullptr;
  DWORD pid = 0;
};

// Polls `condition` every 50 ms until it holds or `timeoutMs` passes; true if it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 20000);

// Path of the Glowmere.exe under test (the build's bin folder).
std::wstring GlowmereExe();
// A fresh, empty scratch folder for one test (under the prefix's temp folder).
std::wstring ScratchDir(const std::wstring& name);
// Copies Glowmere.exe into `dir` under `fileName`; returns the full path.
std::wstring CopyGlowmere(const std::wstring& dir, const std::wstring& fileName = L"Glowmere.exe");

// Per-user settings file and its folder (%APPDATA%\Ardentine\Glowmere).
std::wstring PerUserIni();
std::wstring ReadFileText(const std::wstring& path);  // ANSI/UTF-8 bytes widened; empty if missing
std::string ReadFileBytes(const std::wstring& path);  // empty if missing
// Writes the whole file, creating its missing folders; false if it could not.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
std::wstring TempFolder();  // with its final backslash
// UTF-8 of a wide text, for messages and byte comparisons, and back.
std::string Narrow(const std::wstring& text);
std::wstring Widen(const std::string& utf8);

// Screen ramp as GetDeviceGammaRamp(GetDC(NULL)) reports it: 768 entries (red, green, blue).
std::vector<WORD> ScreenRamp();
// Loads the identity ramp (entry i = i * 256) into the screen, as from outside.
void ResetScreenRamp();
// The ramp Glowmere must load for one channel level: entry i = min(i * (level + 128), 65535).
std::vector<WORD> ExpectedChannel(int level);
// True when every entry's high byte matches (Wine/X keep 8 bits per entry).
bool RampMatches(const std::vector<WORD>& ramp, int red, int green, int blue);

// Dialog access.
std::wstring ItemText(HWND dialog, int id);
std::wstring WindowText(HWND window);
int SliderPos(HWND dialog, int id);
// Moves a slider as the user would: TBM_SETPOS, then WM_HSCROLL with TB_THUMBPOSITION to the dialog.
void MoveSlider(HWND dialog, int id, int pos);
void ClickButton(HWND dialog, int id);   // BM_CLICK (sent), as a user's click
void PostCommand(HWND dialog, int id);   // WM_COMMAND posted, as a menu item
bool IsVisible(HWND window);
// The top-level windows of process `pid`, of class `className` when one is given.
std::vector<HWND> TopLevelWindows(DWORD pid, const wchar_t* className = nullptr);
// Whether the shell holds Glowmere's tray icon `id` of `owner`: a modify that carries only the
// callback message succeeds only for an icon the shell has.
bool IconPresent(HWND owner, UINT id = 117);
// The first-version record naming that icon, with Glowmere's callback message.
NOTIFYICONDATAW IconRecord(HWND owner, UINT id = 117);

// The test base: cleans the per-user settings, the Run value and the screen ramp before
// each test, and kills every process it started after it.
class GlowmereTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts `exe` (default: the built Glowmere.exe) with `args`; the process is tracked.
  Process Start(const std::wstring& args = L"", const std::wstring& exe = L"");
  // The main dialog (class #32770) owned by `process`, waiting up to `timeoutMs`.
  HWND WaitForDialog(const Process& process, DWORD timeoutMs = 30000);
  // Exit code once the process has ended, or STILL_ACTIVE after `timeoutMs`.
  DWORD WaitForExit(const Process& process, DWORD timeoutMs = 30000);

 private:
  std::vector<Process> started_;
};

}  // namespace e2e
