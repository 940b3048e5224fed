// The tray icon seen from outside: present after start, back after the shell lost it,
// toggling the dialog, and gone for good after Exit and after a second start.
#include <windows.h>

#include <shellapi.h>

#include "harness/harness.h"

namespace {

constexpr UINT kIconId = 117;
constexpr UINT kTrayCallback = 0x8064;  // WM_APP + 100
constexpr int kExitButton = 1030;
constexpr DWORD kWatchdogPeriodMs = 5000;

using e2e::IconPresent;

// Takes the icon away as a restarting shell would.
bool RemoveIconFromOutside(HWND window) {
  NOTIFYICONDATAW record = e2e::IconRecord(window, kIconId);
  record.uFlags = 0;
  return Shell_NotifyIconW(NIM_DELETE, &record) != FALSE;
}

void SendTrayMouse(HWND dialog, UINT mouseMessage) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(dialog, kTrayCallback, kIconId, mouseMessage, SMTO_NORMAL, 10000, &result);
}

class TrayTest : public e2e::GlowmereTest {};

// Right after a watchdog probe re-added the icon the next one is a whole period away,
// so an icon back well before that came through the taskbar's announcement.
TEST_F(TrayTest, TaskbarCreatedBringsTheIconBackAtOnce) {
  const e2e::Process glowmere = Start();
  const HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr) << "no main dialog appeared";
  ASSERT_TRUE(e2e::WaitUntil([&] { return IconPresent(dialog); }, 10000)) << "icon never appeared";
  ASSERT_TRUE(RemoveIconFromOutside(dialog)) << "the shell refused to delete icon 117";
  ASSERT_TRUE(e2e::WaitUntil([&] { return IconPresent(dialog); }, 3 * kWatchdogPeriodMs))
      << "the watchdog never re-added the icon";

  ASSERT_TRUE(RemoveIconFromOutside(dialog)) << "the shell refused to delete icon 117 again";
  const ULONGLONG announcedAt = GetTickCount64();
  DWORD_PTR result = 0;
  SendMessageTimeoutW(dialog, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_NORMAL, 10000, &result);
  const bool back = e2e::WaitUntil([&] { return IconPresent(dialog); }, kWatchdogPeriodMs);
  const ULONGLONG backAfterMs = GetTickCount64() - announcedAt;
  RecordProperty("icon_back_after_taskbar_created_ms", static_cast<int>(backAfterMs));
  ASSERT_TRUE(back) << "icon 117 still missing " << backAfterMs << " ms after TaskbarCreated";
  EXPECT_LT(backAfterMs, kWatchdogPeriodMs - 2000) << "expected the icon back at once, before the watchdog's next probe";
}

TEST_F(TrayTest, LeftClickOnTheIconTogglesTheDialog) {
  const e2e::Process glowmere = Start();
  const HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr) << "no main dialog appeared";
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::IsVisible(dialog); }, 10000)) << "dialog not shown at start";

  SendTrayMouse(dialog, WM_LBUTTONDOWN);
  EXPECT_TRUE(e2e::WaitUntil([&] { return !e2e::IsVisible(dialog); }, 10000))
      << "expected a left click on the icon to hide the visible dialog; it stayed visible";

  SendTrayMouse(dialog, WM_LBUTTONDOWN);
  EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::IsVisible(dialog); }, 10000))
      << "expected a left click on the icon to show the hidden dialog; it stayed hidden";
}

// The close box hides the dialog into the tray with the shrinking rectangle, which is
// gone again once the dialog is hidden; the program and its icon stay.
TEST_F(TrayTest, CloseBoxHidesIntoTheTrayAndTheRectangleVanishes) {
  const e2e::Process glowmere = Start();
  const HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr) << "no main dialog appeared";
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::IsVisible(dialog); }, 10000)) << "dialog not shown at start";

  PostMessageW(dialog, WM_CLOSE, 0, 0);
  // The rectangle lives only a few milliseconds: watch closely, but only report it.
  bool rectangleSeen = false;
  const ULONGLONG deadline = GetTickCount64() + 10000;
  while (e2e::IsVisible(dialog) && GetTickCount64() < deadline) {
    rectangleSeen = rectangleSeen || !e2e::TopLevelWindows(glowmere.pid, L"SysListView32").empty();
    Sleep(1);
  }
  for (int i = 0; i < 200 && !rectangleSeen; ++i, Sleep(1)) {
    rectangleSeen = !e2e::TopLevelWindows(glowmere.pid, L"SysListView32").empty();
  }
  RecordProperty("rectangle_seen", rectangleSeen ? 1 : 0);
  ASSERT_FALSE(e2e::IsVisible(dialog)) << "expected the close box to hide the dialog; it stayed visible";

  EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::TopLevelWindows(glowmere.pid, L"SysListView32").empty(); }, 10000))
      << "the animation's rectangle was left on the screen";
  EXPECT_EQ(WaitForExit(glowmere, 0), static_cast<DWORD>(STILL_ACTIVE)) << "closing the dialog ended the program";
  EXPECT_TRUE(IconPresent(dialog)) << "the icon left the tray with the dialog";
}

TEST_F(TrayTest, ExitRemovesTheIconForGoodAndEndsPromptly) {
  const e2e::Process glowmere = Start();
  const HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr) << "no main dialog appeared";
  ASSERT_TRUE(e2e::WaitUntil([&] { return IconPresent(dialog); }, 10000)) << "icon never appeared";

  const ULONGLONG clickedAt = GetTickCount64();
  e2e::ClickButton(dialog, kExitButton);
  const DWORD exitCode = WaitForExit(glowmere, 30000);
  const ULONGLONG exitAfterMs = GetTickCount64() - clickedAt;
  RecordProperty("exit_after_ms", static_cast<int>(exitAfterMs));

  EXPECT_EQ(exitCode, 1075u) << "expected exit code 1075 after Exit";
  // Under Wine without a window manager, destroying the shown dialog and the shell's
  // removal of the icon take about 2 s each; a watchdog that missed its stop would
  // add up to a whole period on top.
  EXPECT_LT(exitAfterMs, 6000u) << "process took " << exitAfterMs << " ms to end after Exit";
  EXPECT_FALSE(IconPresent(dialog)) << "icon still in the tray after Exit";

  Sleep(kWatchdogPeriodMs + 1000);
  EXPECT_FALSE(IconPresent(dialog)) << "icon came back a watchdog period after Exit";
}

}  // namespace
