#include "i18n/language_choice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr uint16_t LangId(uint16_t primary, uint16_t sub) { return static_cast<uint16_t>(sub << 10 | primary); }

// The sections of the shipped archive: ShippedArchiveTest.SystemLanguagePicksItsSection.
TEST(MatchLanguage, RulesOnSmallSectionLists) {
  const struct {
    const char* rule;
    uint16_t langId;
    std::vector<const char16_t*> names;
    int expected;
  } cases[] = {
      {"no sections gives the reference section", LangId(7, 1), {}, 1},
      // Expected indexes other than 1, so that the fallback cannot pass for a match.
      {"upper-case key finds a lower-case name", LangId(1, 1), {u"Xxx", u"Yyy", u"arabic\tarabi"}, 2},
      {"upper-case name found by a capitalised key", LangId(7, 1), {u"Xxx", u"Yyy", u"GERMAN"}, 2},
      {"Traditional Chinese needs both keys",
       LangId(4, 1),
       {u"French\tFran\u00E7ais", u"Chinese\t\u4E2D\u6587", u"Traditional-Chinese"},
       2},
      {"every row is tried on a section before the next section",
       LangId(22, 1),
       {u"Portuguese\tPortugal", u"Portuguese-BR\tBrazil"},
       0},
      {"null, empty and 2-unit names are skipped, later ones still tried",
       LangId(18, 1),
       {nullptr, u"", u"Ko", u"Korea"},
       3},
      // No key is shorter than 4 units, so a skipped 3-unit name looks like a failed match;
      // a length limit mixed up with the menu's (more than 5 units) would skip these.
      {"a 4-unit name is long enough", LangId(10, 3), {u"Xxx", u"Yyy", u"espa"}, 2},
      {"a 5-unit name is long enough", LangId(19, 1), {u"Xxx", u"Yyy", u"DUTCH"}, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchLanguage(c.langId, c.names.empty() ? nullptr : c.names.data(), static_cast<int>(c.names.size())),
              c.expected)
        << c.rule;
  }
}

}  // namespace
