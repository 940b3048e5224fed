// The tray tip as the shell's record holds it: cut to fit, never between the halves of a pair.
#include "tray/tray_tip.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TrayTip, CutToTheRecordWithoutSplittingASurrogatePair) {
  const std::u16string a62(62, u'a'), a63(63, u'a');
  const std::u16string clef = u"\U0001D11E";  // one character, two units
  const struct {
    const char* what;
    std::u16string tip;
    size_t capacity;
    std::u16string expected;
  } cases[] = {
      {"63 units fill the record", a63, kTipCapacity, a63},
      {"a 64th unit is cut", a63 + u"b", kTipCapacity, a63},
      {"a pair ending at unit 63 stays", std::u16string(61, u'a') + clef, kTipCapacity,
       std::u16string(61, u'a') + clef},
      {"a pair across the cut goes whole", a62 + clef, kTipCapacity, a62},
      {"a lone high half at the text's end is the text's own", a62 + u"\xD834", kTipCapacity, a62 + u"\xD834"},
      {"a small record", u"x" + clef, 3, u"x"},
  };
  for (const auto& c : cases) {
    std::u16string out(c.capacity + 1, u'#');
    const size_t copied = CopyTip(c.tip.c_str(), &out[0], c.capacity);
    EXPECT_EQ(copied, c.expected.size()) << c.what;
    EXPECT_TRUE(out.compare(0, copied + 1, c.expected + u'\0') == 0) << c.what;
    EXPECT_EQ(out[c.capacity], u'#') << c.what << ": wrote beyond the record";
  }
  char16_t none[2] = {u'#', u'#'};
  EXPECT_EQ(CopyTip(nullptr, none, kTipCapacity), 0u);
  EXPECT_EQ(none[0], 0) << "no tip gives an empty one";
  char16_t untouched = u'#';
  EXPECT_EQ(CopyTip(u"x", &untouched, 0), 0u);
  EXPECT_EQ(untouched, u'#') << "a record of no units gets nothing, not even a terminator";
}

}  // namespace
