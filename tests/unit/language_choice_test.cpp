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
      {"upper-case name matches", LangId(1, 1), {u"xx\tyy", u"LANGUAGE OF THE ARABS"}, 1},
      {"lower-case name matches", LangId(7, 1), {u"german\tdeutsch"}, 0},
      {"Traditional Chinese needs both keys", LangId(4, 1),
       {u"French\tFran\u00E7ais", u"Chinese\t\u4E2D\u6587", u"Traditional-Chinese"}, 2},
      {"every row is tried on a section before the next section",
       LangId(22, 1), {u"Portuguese\tPortugal", u"Portuguese-BR\tBrazil"}, 0},
      {"null and short names are skipped", LangId(18, 1), {nullptr, u"Ko", u"Korean\tHangul"}, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchLanguage(c.langId, c.names.empty() ? nullptr : c.names.data(), static_cast<int>(c.names.size())),
              c.expected)
        << c.rule;
  }
}

}  // namespace
