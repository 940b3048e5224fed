#include "app/hotkey_text.h"

#include "common/text.h"

namespace {

struct Name {
  const char16_t* text;
  uint32_t code;
};

const Name kModifiers[] = {{u"Ctrl", kModCtrl}, {u"Alt", kModAlt}, {u"Shift", kModShift}, {u"Win", kModWin}};
const Name kKeys[] = {{u"PgUp", 0x21}, {u"PgDn", 0x22}, {u"End", 0x23},  {u"Home", 0x24},  {u"Left", 0x25},
                      {u"Up", 0x26},   {u"Right", 0x27}, {u"Down", 0x28}, {u"Plus", 0xBB}, {u"Minus", 0xBD}};

std::u16string_view Trimmed(std::u16string_view s) {
  while (!s.empty() && s.front() == u' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == u' ') s.remove_suffix(1);
  return s;
}

bool Find(const Name* names, size_t count, const std::u16string& lowered, uint32_t* code) {
  for (size_t i = 0; i < count; ++i) {
    if (text::Lowered(names[i].text) == lowered) {
      *code = names[i].code;
      return true;
    }
  }
  return false;
}

bool ParseKey(const std::u16string& lowered, uint32_t* key) {
  if (lowered.size() == 1 && ((lowered[0] >= u'a' && lowered[0] <= u'z') || (lowered[0] >= u'0' && lowered[0] <= u'9'))) {
    *key = lowered[0] >= u'a' ? lowered[0] - u'a' + u'A' : lowered[0];
    return true;
  }
  if (lowered.size() >= 2 && lowered.size() <= 3 && lowered[0] == u'f') {
    int number = 0;
    for (size_t i = 1; i < lowered.size(); ++i) {
      if (lowered[i] < u'0' || lowered[i] > u'9') return false;
      number = number * 10 + (lowered[i] - u'0');
    }
    if (number < 1 || number > 24 || lowered[1] == u'0') return false;
    *key = 0x70 + static_cast<uint32_t>(number) - 1;  // VK_F1..VK_F24
    return true;
  }
  return Find(kKeys, sizeof kKeys / sizeof kKeys[0], lowered, key);
}

}  // namespace

bool ParseHotkey(std::u16string_view textIn, Hotkey* hotkey) {
  Hotkey parsed;
  std::u16string_view rest = Trimmed(textIn);
  if (rest.empty()) {
    *hotkey = parsed;
    return true;
  }
  for (;;) {
    const size_t plus = rest.find(u'+');
    const std::u16string part = text::Lowered(Trimmed(rest.substr(0, plus)));
    if (plus == std::u16string_view::npos) {
      if (!ParseKey(part, &parsed.key)) return false;
      *hotkey = parsed;
      return true;
    }
    uint32_t modifier = 0;
    if (!Find(kModifiers, 4, part, &modifier) || (parsed.modifiers & modifier) != 0) return false;
    parsed.modifiers |= modifier;
    rest = rest.substr(plus + 1);
  }
}

std::u16string FormatHotkey(const Hotkey& hotkey) {
  if (hotkey.key == 0) return std::u16string();
  std::u16string out;
  for (const Name& m : kModifiers) {
    if (hotkey.modifiers & m.code) out += std::u16string(m.text) + u"+";
  }
  if ((hotkey.key >= 'A' && hotkey.key <= 'Z') || (hotkey.key >= '0' && hotkey.key <= '9')) {
    return out + static_cast<char16_t>(hotkey.key);
  }
  if (hotkey.key >= 0x70 && hotkey.key <= 0x87) return out + u"F" + text::FromInt(static_cast<int>(hotkey.key) - 0x6F);
  for (const Name& k : kKeys) {
    if (k.code == hotkey.key) return out + k.text;
  }
  return out + u"?";
}
