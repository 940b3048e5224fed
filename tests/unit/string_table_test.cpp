// Line parsing of language sections and the common block, and text lookup with fallbacks.
#include "i18n/string_table.h"

#include <gtest/gtest.h>

#include <string>

#include "test_text.h"

namespace {

struct ParsedSection {
  std::u16string text;  // the table points into it
  const char16_t* table[kTextIds];
  explicit ParsedSection(std::u16string source) : text(std::move(source)) { ParseSection(text.data(), table); }
};

TEST(ParseSectionTest, IdAndTextRules) {
  // expected null: the id stays undefined
  const struct {
    const char* name;
    std::u16string section;
    int id;
    const char16_t* expected;
  } cases[] = {
      {"blank and tab before id", u"\r\n \t12=twelve\r\n", 12, u"twelve"},
      {"blank after id", u"\r\n15 =x\r\n", 15, u"x"},
      {"leading blanks of text kept", u"\r\n16=  y\r\n", 16, u"  y"},
      {"highest id", u"\r\n255=last\r\n", 255, u"last"},
      {"empty text", u"\r\n43=\r\n", 43, u""},
      {"LF-only lines", u"\n20=lf\n21=next\n", 21, u"next"},
      {"last line without line end ignored", u"\r\n30=a\r\n31=b", 31, nullptr},
      {"translator url wins over name", u"\r\nTranslatorName=Ann\r\nTranslatorURL=u\r\n", 0, u"u"},
      {"backslashes kept in sections", u"\r\n7=a\\r\\nb\r\n", 7, u"a\\r\\nb"},
      {"section tag defines nothing", u"\r\n[INFO]\r\n", 0, nullptr},
  };
  for (const auto& c : cases) {
    ParsedSection parsed(c.section);
    EXPECT_EQ(Utf8(parsed.table[c.id]), Utf8(c.expected)) << c.name << ": id " << c.id;
  }
}

TEST(ParseSectionTest, OutOfRangeIdsDefineNothing) {
  ParsedSection parsed(u"\r\n-3=neg\r\n256=big\r\n-0=zero\r\n99999999999999999999=huge\r\n4294967336=wrap\r\n");
  // Only "-0" lands in range; a huge id must not wrap around into 0..255 (4294967336 = 2^32 + 40).
  EXPECT_EQ(Utf8(parsed.table[0]), "zero");
  for (int id = 1; id < kTextIds; ++id)
    EXPECT_EQ(parsed.table[id], nullptr) << "id " << id << " holds \"" << Utf8(parsed.table[id]) << "\"";
}

TEST(ParseCommonBlockTest, EscapesBecomeLineEnds) {
  std::u16string block = u"19=Glowmere 1.77\r\n25=a\\r\\nb\\x\\\\n\r\n130=ignored\r\n";
  const char16_t* table[kCommonIds] = {};
  ParseCommonBlock(block.data(), table);
  EXPECT_EQ(Utf8(table[19]), "Glowmere 1.77");
  // Each escape shrinks the text by one unit; other backslashes stay.
  ASSERT_NE(table[25], nullptr);
  EXPECT_EQ(std::u16string(table[25]), std::u16string(u"a\r\nb\\x\\\n"));
}

using StringTableTest = ArchiveTest;

TEST_F(StringTableTest, TextFallsBackToReferenceSection) {
  LanguageArchive::LoadFromText(
      ArchiveText(u"##=German\tDeutsch\r\n40=Mit Windows Starten\r\n43=\r\n"
                  u"##=Englisch\tEnglish\r\n40=Start with Windows\r\n"
                  u"41=Restore at program start\r\n43=&Reset\r\n"));
  ASSERT_EQ(languageCount, 2);
  struct Case {
    int language;
    int id;
    const char16_t* expected;
  } cases[] = {
      {0, 41, u"Restore at program start"},  // missing in German
      {0, 43, u""},                          // empty text, no fallback
      {0, 99, nullptr},                      // missing in both
      {-1, 40, u"Start with Windows"},       // out of range
      {2, 40, u"Start with Windows"},        // not below languageCount
      {0, 256, nullptr},
  };
  for (const auto& c : cases) {
    currentLanguage = c.language;
    EXPECT_EQ(Utf8(StringTable::Text(c.id)), Utf8(c.expected)) << "language " << c.language << " id " << c.id;
  }
}

}  // namespace
