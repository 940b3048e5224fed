#include "tray/tray_tip.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Copies into a field with guard characters behind it, so an overrun shows.
std::u16string Copied(const char16_t* tip, size_t capacity = kTipCapacity) {
  std::u16string field(capacity + 4, u'#');
  const size_t length = CopyTip(tip, &field[0], capacity);
  EXPECT_EQ(field.substr(capacity), u"####") << "wrote past the field";
  EXPECT_EQ(field[length], u'\0') << "no terminator after " << length << " characters";
  return field.substr(0, length);
}

TEST(CopyTip, ShortTipIsCopiedWhole) { EXPECT_EQ(Copied(u"Glowmere"), u"Glowmere"); }

TEST(CopyTip, LongTipKeepsItsFirst63Characters) {
  const std::u16string exact(63, u'a');
  EXPECT_EQ(Copied(exact.c_str()), exact);

  std::u16string longer(63, u'b');
  longer += u"cdefgh";
  EXPECT_EQ(Copied(longer.c_str()), std::u16string(63, u'b'));
}

TEST(CopyTip, MissingTipGivesEmptyField) {
  EXPECT_EQ(Copied(nullptr), u"");
  EXPECT_EQ(Copied(u""), u"");
}

TEST(CopyTip, SurrogatePairCutInHalfIsLeftOut) {
  std::u16string tip(62, u'x');
  tip += u"\U0001F600";  // characters 63 and 64: the pair does not fit
  EXPECT_EQ(Copied(tip.c_str()), std::u16string(62, u'x'));

  std::u16string fits(61, u'x');
  fits += u"\U0001F600";
  EXPECT_EQ(Copied(fits.c_str()), fits) << "a pair that fits stays";
}

TEST(CopyTip, LargeFieldHoldsLongTips) {
  const std::u16string tip(1000, u'z');
  EXPECT_EQ(Copied(tip.c_str(), 1024), tip);
}

}  // namespace
