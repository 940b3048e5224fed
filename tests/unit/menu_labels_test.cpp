#include "app/menu_labels.h"

#include <gtest/gtest.h>

#include <string>

#include "common/text.h"

namespace {

std::string Utf8(const std::u16string& s) { return text::ToUtf8(s); }

TEST(LanguageLabels, MenuKeepsTheTabAndListShowsDashes) {
  const char16_t* names[] = {u"German\tDeutsch", u"Korean\t\uD55C\uAD6D\uC5B4\t"};
  const int percents[] = {98, 7};
  const auto labels = LanguageLabels(names, percents, 2, false);
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(Utf8(labels[0].menuText), "German\tDeutsch / 98 %");
  EXPECT_EQ(Utf8(labels[0].listText), "German - Deutsch / 98 %");
  EXPECT_EQ(Utf8(labels[1].menuText), "Korean\t\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4\t / 7 %");
  EXPECT_EQ(Utf8(labels[1].listText), "Korean - \xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4 -  / 7 %")
      << "every tab, also a trailing one, becomes \" - \"";
  EXPECT_TRUE(labels[0].inMenu && labels[0].inList && labels[1].inMenu && labels[1].inList);
}

TEST(LanguageLabels, DeveloperMarkerPutsTheIndexInFront) {
  const char16_t* names[] = {u"German\tDeutsch", u"Englisch\tEnglish"};
  const int percents[] = {100, 100};
  const auto labels = LanguageLabels(names, percents, 2, true);
  EXPECT_EQ(Utf8(labels[1].menuText), "1 Englisch\tEnglish / 100 %");
  EXPECT_EQ(Utf8(labels[1].listText), "1 Englisch - English / 100 %");
}

TEST(LanguageLabels, NamesOfFiveUnitsOrFewerAreSkippedAndEndTheList) {
  const char16_t* names[] = {u"Abc\tde", u"Xx\tYy", u"French\tFrancais", u"", nullptr, u"Dutch\tNederlands"};
  const int percents[] = {100, 3, 90, 0, 0, 80};
  const auto labels = LanguageLabels(names, percents, 6, false);
  ASSERT_EQ(labels.size(), 6u);
  const bool expectedInMenu[] = {true, false, true, false, false, true};  // 6 units are enough
  const bool expectedInList[] = {true, false, false, false, false, false};
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(labels[i].inMenu, expectedInMenu[i]) << "menu item of language " << i;
    EXPECT_EQ(labels[i].inList, expectedInList[i]) << "list entry of language " << i;
  }
  EXPECT_EQ(Utf8(labels[5].menuText), "Dutch\tNederlands / 80 %");
}

}  // namespace
