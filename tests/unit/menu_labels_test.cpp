// Language menu and list labels: which languages get them, where the list stops, their texts.
#include "dialog/menu_labels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text.h"

namespace {

std::string Utf8(const std::u16string& s) { return text::ToUtf8(s); }

std::vector<LanguageLabel> Labels(const std::vector<std::u16string>& names, const std::vector<int>& percents,
                                  bool developerMarker) {
  std::vector<const char16_t*> pointers;
  for (const auto& name : names) pointers.push_back(name.c_str());
  return LanguageLabels(pointers.data(), percents.data(), static_cast<int>(names.size()), developerMarker);
}

TEST(LanguageLabels, ShortNamesGetNoItemAndTheListStopsBeforeTheFirstOfThem) {
  const std::u16string smile = u"\U0001F600";  // one character, two units
  const struct {
    const char* what;
    std::vector<std::u16string> names;
    std::vector<bool> inMenu;
    std::vector<bool> inList;
  } cases[] = {
      {"all long enough", {u"English", u"Deutsch", u"Fran\u00E7ais"}, {true, true, true}, {true, true, true}},
      {"6 units get an item, 5 do not", {u"Polski", u"Dansk", u"Svenska"}, {true, false, true}, {true, false, false}},
      {"a skipped first language leaves the list empty",
       {u"Eesti", u"English", u"Deutsch"},
       {false, true, true},
       {false, false, false}},
      {"a skipped last language", {u"English", u"Deutsch", u"Suomi"}, {true, true, false}, {true, true, false}},
      {"an empty name", {u"English", u"", u"Deutsch"}, {true, false, true}, {true, false, false}},
      {"a tab is a unit too", {u"ab\tcd", u"abc\tde"}, {false, true}, {false, false}},
      {"units, not characters: 4 characters in 5 units, 5 in 6",
       {u"English", u"a" + smile + u"bc", u"ab" + smile + u"cd", u"Deutsch"},
       {true, false, true, true},
       {true, false, false, false}},
      {"everything after the first gap stays out of the list",
       {u"English", u"Dansk", u"Deutsch", u"Norsk", u"Svenska"},
       {true, false, true, false, true},
       {true, false, false, false, false}},
  };
  for (const auto& c : cases) {
    const std::vector<int> percents(c.names.size(), 100);
    const std::vector<LanguageLabel> labels = Labels(c.names, percents, false);
    ASSERT_EQ(labels.size(), c.names.size()) << c.what << ": one label per language";
    for (size_t i = 0; i < labels.size(); ++i) {
      EXPECT_EQ(labels[i].inMenu, c.inMenu[i]) << c.what << ", language " << i;
      EXPECT_EQ(labels[i].inList, c.inList[i]) << c.what << ", language " << i;
    }
  }
  EXPECT_TRUE(Labels({}, {}, false).empty()) << "no languages, no labels";
}

TEST(LanguageLabels, MenuKeepsTheTabListShowsItAsDashMarkerPrefixesTheIndex) {
  const std::vector<std::u16string> names = {
      u"English",    u"German\tDeutsch", u"Korean\t\uD55C\uAD6D\uC5B4",
      u"a\tb\tc\td", u"Espa\u00F1ol",    u"Fran\u00E7ais",
      u"Italiano",   u"Nederlands",      u"Portugu\u00EAs",
      u"Polski",     u"Svenska",         u"Greek\t\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC"};
  const std::vector<int> percents = {100, 87, 0, 5, 100, 100, 100, 100, 100, 100, 100, 3};
  const struct {
    const char* what;
    bool marker;
    size_t index;
    std::u16string menuText;
    std::u16string listText;
  } cases[] = {
      {"plain name", false, 0, u"English / 100 %", u"English / 100 %"},
      {"native name after a tab", false, 1, u"German\tDeutsch / 87 %", u"German - Deutsch / 87 %"},
      {"non-Latin native name, nothing translated", false, 2, u"Korean\t\uD55C\uAD6D\uC5B4 / 0 %",
       u"Korean - \uD55C\uAD6D\uC5B4 / 0 %"},
      {"every tab in the list", false, 3, u"a\tb\tc\td / 5 %", u"a - b - c - d / 5 %"},
      {"marker, first language", true, 0, u"0 English / 100 %", u"0 English / 100 %"},
      {"marker before the name and its tab", true, 1, u"1 German\tDeutsch / 87 %", u"1 German - Deutsch / 87 %"},
      {"marker, two-digit index", true, 11, u"11 Greek\t\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC / 3 %",
       u"11 Greek - \u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC / 3 %"},
  };
  for (const auto& c : cases) {
    const std::vector<LanguageLabel> labels = Labels(names, percents, c.marker);
    ASSERT_EQ(labels.size(), names.size()) << c.what;
    const LanguageLabel& label = labels[c.index];
    EXPECT_TRUE(label.inMenu) << c.what;
    EXPECT_TRUE(label.inList) << c.what << ": no name is short, so every language is listed";
    EXPECT_EQ(Utf8(label.menuText), Utf8(c.menuText)) << c.what;
    EXPECT_EQ(Utf8(label.listText), Utf8(c.listText)) << c.what;
  }
}

}  // namespace
