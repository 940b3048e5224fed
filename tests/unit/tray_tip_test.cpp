#include "tray/tray_tip.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Copies into a field with guard characters behind it, so an overrun shows.
std::u16string Copied(const std::u16string* tip, size_t capacity = kTipCapacity) {
  std::u16string field(capacity + 4, u'#');
  const size_t length = CopyTip(tip ? tip->c_str() : nullptr, &field[0], capacity);
  EXPECT_EQ(field.substr(capacity), u"####") << "wrote past the field";
  EXPECT_EQ(field[length], u'\0') << "no terminator after " << length << " characters";
  return field.substr(0, length);
}

// The tip keeps its first 63 characters; half a surrogate pair at the cut is left out.
TEST(CopyTip, KeepsWhatFitsTheField) {
  const std::u16string smiley = u"\U0001F600";
  const struct { const char* what; std::u16string tip, expected; } cases[] = {
      {"short", u"Glowmere", u"Glowmere"},
      {"empty", u"", u""},
      {"exactly 63", std::u16string(63, u'a'), std::u16string(63, u'a')},
      {"longer", std::u16string(63, u'b') + u"cdefgh", std::u16string(63, u'b')},
      {"pair cut in half", std::u16string(62, u'x') + smiley, std::u16string(62, u'x')},
      {"pair that fits", std::u16string(61, u'x') + smiley, std::u16string(61, u'x') + smiley},
  };
  for (const auto& c : cases) EXPECT_EQ(Copied(&c.tip), c.expected) << c.what;
  EXPECT_EQ(Copied(nullptr), u"") << "a missing tip gives an empty field";
  const std::u16string large(1000, u'z');
  EXPECT_EQ(Copied(&large, 1024), large) << "a large field holds long tips";
}

}  // namespace
