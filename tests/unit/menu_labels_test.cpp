// The language items' texts; the menu and list built from them are checked in process.
#include "app/menu_labels.h"

#include <gtest/gtest.h>

#include <string>

#include "common/text.h"

namespace {

std::string Utf8(const std::u16string& s) { return text::ToUtf8(s); }

// Names of five units or fewer get no item and end the list; every tab of a list
// entry, a trailing one too, becomes " - ".
TEST(LanguageLabels, ShortNamesAreSkippedAndTabsBecomeDashesInTheList) {
  const char16_t* names[] = {u"Korean\t\uD55C\uAD6D\uC5B4\t", u"Abc\tde", u"Xx\tYy", u"", nullptr, u"Dutch\tNederlands"};
  const int percents[] = {7, 100, 3, 0, 0, 80};
  const auto labels = LanguageLabels(names, percents, 6, false);
  ASSERT_EQ(labels.size(), 6u);
  const bool inMenu[] = {true, true, false, false, false, true};
  const bool inList[] = {true, true, false, false, false, false};
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(labels[i].inMenu, inMenu[i]) << "menu item of language " << i;
    EXPECT_EQ(labels[i].inList, inList[i]) << "list entry of language " << i;
  }
  EXPECT_EQ(Utf8(labels[0].menuText), "Korean\t\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4\t / 7 %");
  EXPECT_EQ(Utf8(labels[0].listText), "Korean - \xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4 -  / 7 %");
  EXPECT_EQ(Utf8(labels[5].menuText), "Dutch\tNederlands / 80 %");

  const auto marked = LanguageLabels(names, percents, 2, true);
  EXPECT_EQ(Utf8(marked[1].menuText), "1 Abc\tde / 100 %") << "the developer marker puts the index in front";
  EXPECT_EQ(Utf8(marked[1].listText), "1 Abc - de / 100 %");
}

}  // namespace
