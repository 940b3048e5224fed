#include "dialog/access_keys.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(AccessKeyOf, FindsTheFoldedLetterAfterASingleAmpersand) {
  const struct {
    std::u16string label;
    char16_t key;
  } cases[] = {
      {u"&Exit", u'e'}, {u"Page d'&accueil", u'a'}, {u"Salt && &Pepper", u'p'}, {u"No key", 0},    {u"Trailing &", 0},
      {u"Only &&", 0},  {u"&Выход", u'в'},          {u"É&cran", u'c'},          {u"&Écran", u'é'}, {u"&Łódź", u'ł'},
  };
  for (const auto& c : cases) EXPECT_EQ(AccessKeyOf(c.label), c.key) << static_cast<int>(c.key);
}

std::map<int, std::u16string> texts;
std::u16string TextOf(int id) { return texts.count(id) ? texts[id] : u""; }

// The same key in two groups is fine; within one, in either letter case, it is a clash.
TEST(FindAccessKeyClashes, ReportsKeysSharedWithinOneDialogOrMenu) {
  texts = {{43, u"&Reset"},    {44, u"&Exit"},   {50, u"&Program"},
           {52, u"&Homepage"}, {51, u"&Donate"}, {53, u"&Uninstall"}};
  EXPECT_TRUE(FindAccessKeyClashes(TextOf).empty());
  texts[61] = u"&Screensaver";
  texts[62] = u"&screen settings";
  texts[40] = u"Start with Windows (&L)";  // against the fixed "&LNG" of the menu bar
  const std::vector<std::string> clashes = FindAccessKeyClashes(TextOf);
  ASSERT_EQ(clashes.size(), 2u);
  EXPECT_EQ(clashes[0], "dialog with its menu bar: key 'l' in text 40 (Start with Windows (&L)) and \"&LNG\" (&LNG)");
  EXPECT_EQ(clashes[1], "System menu: key 's' in text 61 (&Screensaver) and text 62 (&screen settings)");
}

}  // namespace
