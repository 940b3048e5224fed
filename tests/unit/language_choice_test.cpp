#include "i18n/language_choice.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Section names of the shipped archive, in archive order; the last section has no name.
const char16_t* const kShippedNames[] = {
    u"German\tDeutsch",
    u"Englisch\tEnglish",
    u"Korean\t\uD55C\uAD6D\uC5B4\t",
    u"French\tFran\u00E7ais",
    u"Chinese-Traditional\t\u6B63\u9AD4\u4E2D\u6587",
    u"Italian\tItaliano",
    u"Japanese\t\u65E5\u672C",
    u"Arabic\t\u0639\u0631\u0628\u064A",
    u"Spanish\tEspa\u00F1ol",
    u"Portuguese-BR\tPortugu\u00EAs",
    u"Simplified-Chinese\t\u7B80\u4F53\u4E2D\u6587",
    u"Dutch\tNederlands",
    u"Russian\t\u0420\u0443\u0441\u0441\u043A\u0438\u0439",
    u"Portuguese\tPortugal",
    u"Spanish\tEspa\u00F1ol",
    nullptr,
};
constexpr int kShippedCount = 16;

constexpr uint16_t LangId(uint16_t primary, uint16_t sub) { return static_cast<uint16_t>(sub << 10 | primary); }

struct DetectionCase {
  const char* language;
  uint16_t langId;
  int expected;
};

TEST(MatchLanguage, ShippedArchivePicksTheSectionForEachSystemLanguage) {
  const DetectionCase cases[] = {
      {"German", LangId(7, 1), 0},
      {"English (US)", LangId(9, 1), 1},
      {"English (UK)", LangId(9, 2), 1},
      {"Korean", LangId(18, 1), 2},
      {"French", LangId(12, 1), 3},
      {"Chinese (Traditional)", LangId(4, 1), 4},
      // "Chinese-Traditional" already holds "chines" and comes before the simplified section.
      {"Chinese (Simplified)", LangId(4, 2), 4},
      {"Italian", LangId(16, 1), 5},
      {"Japanese", LangId(17, 1), 6},
      {"Arabic (Saudi Arabia)", LangId(1, 1), 7},
      {"Spanish (modern)", LangId(10, 3), 8},
      {"Portuguese (Brazil)", LangId(22, 1), 9},
      {"Portuguese (Portugal)", LangId(22, 2), 9},
      {"Dutch", LangId(19, 1), 11},
      {"Russian", LangId(25, 1), 12},
      {"Farsi", LangId(41, 1), 1},
      {"Chinese (Hong Kong)", LangId(4, 3), 1},
      {"Polish", LangId(21, 1), 1},
  };
  for (const DetectionCase& c : cases) {
    EXPECT_EQ(MatchLanguage(c.langId, kShippedNames, kShippedCount), c.expected)
        << c.language << " (lang id 0x" << std::hex << c.langId << ")";
  }
}

TEST(MatchLanguage, NoSectionsGivesTheReferenceSection) {
  EXPECT_EQ(MatchLanguage(LangId(7, 1), nullptr, 0), 1) << "German user, archive without sections";
}

TEST(MatchLanguage, KeysMatchWithoutRegardToCase) {
  const char16_t* names[] = {u"xx\tyy", u"LANGUAGE OF THE ARABS"};
  EXPECT_EQ(MatchLanguage(LangId(1, 1), names, 2), 1) << "\"ARABIC\" in upper case against an upper-case name";
  const char16_t* lower[] = {u"german\tdeutsch"};
  EXPECT_EQ(MatchLanguage(LangId(7, 1), lower, 1), 0) << "\"German\" against a lower-case name";
}

TEST(MatchLanguage, TraditionalChineseNeedsBothKeys) {
  const char16_t* names[] = {u"French\tFran\u00E7ais", u"Chinese\t\u4E2D\u6587", u"Traditional-Chinese"};
  EXPECT_EQ(MatchLanguage(LangId(4, 1), names, 3), 2)
      << "a section with only \"chines\" must not take Traditional Chinese";
}

TEST(MatchLanguage, FirstMatchingSectionWinsOverLaterBetterFit) {
  const char16_t* names[] = {u"Portuguese\tPortugal", u"Portuguese-BR\tBrazil"};
  EXPECT_EQ(MatchLanguage(LangId(22, 1), names, 2), 0)
      << "every row is tried on section 0 before section 1 is looked at";
}

TEST(MatchLanguage, NamesShorterThanThreeUnitsAreSkipped) {
  // "Ko" alone would not hold "korea" anyway; a null name must not be read.
  const char16_t* names[] = {nullptr, u"Ko", u"Korean\tHangul"};
  EXPECT_EQ(MatchLanguage(LangId(18, 1), names, 3), 2);
}

}  // namespace
