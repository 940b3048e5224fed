#include "control/hotkey_text.h"

#include "common/text.h"

namespace {

struct Name {
  const char16_t* text;
  uint32_t code;
};

const Name kModifiers[] = {{u"Ctrl", kModCtrl}, {u"Alt", kModAlt}, {u"Shift", kModShift}, {u"Win", kModWin}};
const Name kKeys[] = {{u"PgUp", 0x21}, {u"PgDn", 0x22},  {u"End", 0x23},  {u"Home", 0x24}, {u"Left", 0x25},
                      {u"Up", 0x26},   {u"Right", 0x27}, {u"Down", 0x28}, {u"Plus", 0xBB}, {u"Minus", 0xBD}};

constexpr uint32_t kVkF13 = 0x7C, kVkF24 = 0x87;

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

// Names are ASCII; blanks around them do not count.
bool SameName(std::u16string_view part, const char16_t* name) {
  while (!part.empty() && part.front() == u' ') part.remove_prefix(1);
  while (!part.empty() && part.back() == u' ') part.remove_suffix(1);
  size_t i = 0;
  for (; i < part.size() && name[i] != 0; ++i) {
    if (Upper(part[i]) != Upper(name[i])) return false;
  }
  return i == part.size() && name[i] == 0;
}

template <size_t N>
bool Find(const Name (&names)[N], std::u16string_view part, uint32_t* code) {
  for (const Name& name : names) {
    if (SameName(part, name.text)) {
      *code = name.code;
      return true;
    }
  }
  return false;
}

bool ParseKey(std::u16string_view part, uint32_t* key) {
  if (Find(kKeys, part, key)) return true;
  for (uint32_t code = '0'; code <= 'Z'; ++code) {
    const char16_t name[] = {static_cast<char16_t>(code), 0};
    if ((code <= '9' || code >= 'A') && SameName(part, name)) {
      *key = code;
      return true;
    }
  }
  for (int number = 1; number <= 24; ++number) {
    if (SameName(part, (u"F" + text::FromInt(number)).c_str())) {
      *key = 0x70 + static_cast<uint32_t>(number) - 1;  // VK_F1..VK_F24
      return true;
    }
  }
  return false;
}

}  // namespace

bool ParseHotkey(std::u16string_view text, Hotkey* hotkey) {
  Hotkey parsed;
  if (SameName(text, u"")) {
    *hotkey = parsed;
    return true;
  }
  for (size_t plus; (plus = text.find(u'+')) != std::u16string_view::npos; text.remove_prefix(plus + 1)) {
    uint32_t modifier = 0;
    if (!Find(kModifiers, text.substr(0, plus), &modifier) || (parsed.modifiers & modifier) != 0) return false;
    parsed.modifiers |= modifier;
  }
  if (!ParseKey(text, &parsed.key)) return false;
  // Without Ctrl, Alt or Win the key would be taken from every program (Home, Shift+Up);
  // F13-F24 are on no ordinary keyboard, so they may stand alone.
  const bool standsAlone = parsed.key >= kVkF13 && parsed.key <= kVkF24;
  if ((parsed.modifiers & (kModCtrl | kModAlt | kModWin)) == 0 && !standsAlone) return false;
  *hotkey = parsed;
  return true;
}
