#include "control/hotkeys_win32.h"

#include <string>

#include "control/hotkey_text.h"
#include "settings/settings_writer_win32.h"
#include "common/window_ids.h"
#include "common/product_name.h"
#include "common/text.h"
#include "common/win32_text.h"
#include "gamma/color_levels.h"
#include "i18n/string_table.h"
#include "settings/settings_file.h"
#include "tray/tray_icon_win32.h"
#include "text_ids.h"

namespace {

// Settings key, default, and the id RegisterHotKey gets. The defaults clash with none of
// Windows' own shortcuts nor the graphics drivers' (Ctrl+Alt+arrows rotate the screen).
enum HotkeyId { kHotkeyBrighter = 1, kHotkeyDarker, kHotkeyNeutral, kHotkeyNight };
struct HotkeySetting {
  HotkeyId id;
  const char16_t* key;
  const char16_t* defaultText;
};
constexpr HotkeySetting kHotkeySettings[] = {{kHotkeyBrighter, u"Brighter", u"Ctrl+Alt+PgUp"},
                                             {kHotkeyDarker, u"Darker", u"Ctrl+Alt+PgDn"},
                                             {kHotkeyNeutral, u"Neutral", u"Ctrl+Alt+Home"}};
constexpr int kHotkeyStep = 8;  // about 3 % per press

// Night mode's hotkey is there only while night mode is on: with it off, nothing changes.
constexpr HotkeySetting kNightHotkey = {kHotkeyNight, u"Night", u"Ctrl+Alt+N"};

std::u16string hotkeyReport;  // shown once the shell takes it

bool ShowReport() { return trayIcon.ShowBalloon(W(ProductName()), W(hotkeyReport)); }

// Registers one hotkey, queueing its default when the key is absent; the text of one that
// could not be had, else empty.
std::u16string Register(HWND window, const HotkeySetting& setting, bool* defaultAdded) {
  char16_t value[256] = u"\x7F";  // stays when the key is absent
  settingsFile.ReadString(u"Hotkeys", setting.key, value, 256);
  std::u16string keyText = value;
  if (keyText == u"\x7F") {
    keyText = setting.defaultText;
    settingsFile.SetPendingText(u"Hotkeys", setting.key, setting.defaultText);
    *defaultAdded = true;
  }
  Hotkey hotkey;
  const bool valid = ParseHotkey(keyText, &hotkey);
  if (valid && hotkey.key == 0) return u"";  // turned off
  if (!valid || !RegisterHotKey(window, setting.id, hotkey.modifiers, hotkey.key)) return keyText;
  return u"";
}

void Report(HWND window, const std::u16string& failed) {
  if (failed.empty()) return;
  hotkeyReport = text::FillIn(StringTable::Text(kTextHotkeyTaken), {failed, settingsFile.Path()});
  // At logon the shell may not hold the icon yet; the watchdog adds it, the report follows.
  if (!ShowReport()) SetTimer(window, kHotkeyReportTimer, 5000, nullptr);
}

}  // namespace

void RegisterHotkeys(HWND window) {
  std::u16string failed;
  bool defaultsAdded = false;
  for (const HotkeySetting& setting : kHotkeySettings) {
    const std::u16string refused = Register(window, setting, &defaultsAdded);
    if (!refused.empty()) failed += (failed.empty() ? u"" : u", ") + refused;
  }
  // Stored with the start's other values, in the same replacement of the file.
  if (defaultsAdded) SettingsChanged();
  Report(window, failed);
}

void RegisterNightHotkey(HWND window, bool on) {
  UnregisterHotKey(window, kHotkeyNight);
  if (!on) return;
  bool defaultAdded = false;
  const std::u16string refused = Register(window, kNightHotkey, &defaultAdded);
  if (defaultAdded) SettingsChanged();
  Report(window, refused);
}

bool IsNightHotkey(WPARAM id) { return id == kHotkeyNight; }

void UnregisterHotkeys(HWND window) {
  for (const HotkeySetting& setting : kHotkeySettings) UnregisterHotKey(window, setting.id);
  UnregisterHotKey(window, kHotkeyNight);
}

int BrightnessAfterHotkey(WPARAM id, int level) {
  if (id == kHotkeyBrighter) return level + kHotkeyStep > kLevelMax ? kLevelMax : level + kHotkeyStep;
  if (id == kHotkeyDarker) return level - kHotkeyStep < kLevelMin ? kLevelMin : level - kHotkeyStep;
  if (id == kHotkeyNeutral) return kLevelNeutral;
  return level;
}

void RetryHotkeyReport(HWND window) {
  if (ShowReport()) KillTimer(window, kHotkeyReportTimer);
}

bool ReportHotkeyForAwayDisplay(const std::u16string& label) {
  const std::u16string message = text::FillIn(StringTable::Text(kTextHotkeyDisplayAway), {label});
  return trayIcon.ShowBalloon(W(ProductName()), W(message));
}
