// The hotkeys' readable form in the settings file.
#include <gtest/gtest.h>

#include <string>

#include "control/hotkey_text.h"
#include "common/text.h"

namespace {

// Virtual-key codes and modifier bits as RegisterHotKey takes them.
TEST(Hotkeys, ReadableForm) {
  const struct {
    const char16_t* text;
    bool valid;
    Hotkey hotkey;
  } cases[] = {
      {u"Ctrl+Alt+PgUp", true, {kModCtrl | kModAlt, 0x21}},
      {u" alt + ctrl + pgdn ", true, {kModCtrl | kModAlt, 0x22}},
      {u"Win+Shift+f24", true, {kModShift | kModWin, 0x87}},
      {u"Ctrl+Minus", true, {kModCtrl, 0xBD}},
      {u"Ctrl+Shift+z", true, {kModCtrl | kModShift, 'Z'}},
      {u" ", true, {0, 0}},
      {u"Win+Up", true, {kModWin, 0x26}},
      {u"F13", true, {0, 0x7C}},
      // Without Ctrl, Alt or Win a key would be taken from every program.
      {u"F12", false, {}},
      {u"Shift+z", false, {}},
      {u"Ctrl+Alt", false, {}},
      {u"Ctrl+PgUp+Home", false, {}},
      {u"Ctrl+Ctrl+A", false, {}},
      {u"Ctrl++", false, {}},
      {u"Ctrl+F25", false, {}},
      {u"Ctrl+Tab", false, {}},
  };
  for (const auto& c : cases) {
    Hotkey parsed{99, 99};
    const std::string what = text::ToUtf8(c.text);
    ASSERT_EQ(ParseHotkey(c.text, &parsed), c.valid) << what;
    if (!c.valid) continue;
    EXPECT_EQ(parsed.modifiers, c.hotkey.modifiers) << what;
    EXPECT_EQ(parsed.key, c.hotkey.key) << what;
  }
}

}  // namespace
