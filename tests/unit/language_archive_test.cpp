// Splitting the decoded text into blocks and sections, completeness, and finding the block.
#include "i18n/language_archive_core.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text.h"
#include "i18n/string_table.h"

namespace {

using LanguageArchive::LoadFromText;

std::string Utf8(const char16_t* s) { return s ? text::ToUtf8(s) : std::string("(null)"); }

std::u16string Header() { return u"\uFEFF##\r\n19=Glowmere 1.77\r\n##\r\nfree one\r\n##\r\nfree two\r\n"; }

// A section whose ids first..first+count-1 hold non-empty texts.
std::u16string Section(const std::u16string& header, int first, int count) {
  std::u16string s = header + u"\r\n";
  for (int id = first; id < first + count; ++id) s += text::FromInt(id) + u"=t\r\n";
  return s;
}

class LanguageArchiveTest : public ::testing::Test {
 protected:
  void TearDown() override {
    currentLanguage = 1;
    LanguageArchive::Clear();
  }
  const char16_t* SectionText(int section, int id) {
    currentLanguage = section;
    return StringTable::Text(id);
  }
};

TEST_F(LanguageArchiveTest, SplitsBlocksAndNamedSections) {
  LoadFromText(Header() + u"##=German\tDeutsch\r\n40=Mit\r\n##=Englisch\tEnglish\r\n40=Start\r\n##\r\n");
  ASSERT_EQ(sectionCount, 3);
  EXPECT_EQ(Utf8(sectionNames[0]), "German\tDeutsch");
  EXPECT_EQ(Utf8(sectionNames[1]), "Englisch\tEnglish");
  EXPECT_EQ(sectionNames[2], nullptr) << "a header without = has no name but takes an index";
  EXPECT_EQ(Utf8(SectionText(0, 40)), "Mit");
  EXPECT_EQ(Utf8(SectionText(1, 40)), "Start");
  EXPECT_EQ(Utf8(LanguageArchive::blockStarts[1]), "free one\r\n");
  EXPECT_EQ(Utf8(LanguageArchive::blockStarts[2]), "free two\r\n");
  EXPECT_EQ(Utf8(StringTable::CommonText(19)), "Glowmere 1.77");
}

TEST_F(LanguageArchiveTest, DelimiterInsideALineOpensTheNextBlock) {
  LoadFromText(Header() + u"##=German\tDeutsch\r\n40=Mit##=X\tY\r\n41=in X\r\n");
  ASSERT_EQ(sectionCount, 2);
  EXPECT_EQ(Utf8(sectionNames[1]), "X\tY");
  // The line "40=Mit" lost its line end to the delimiter, so section 0 defines nothing.
  EXPECT_EQ(SectionText(0, 40), nullptr);
  EXPECT_EQ(Utf8(SectionText(1, 41)), "in X");
}

TEST_F(LanguageArchiveTest, SectionsBeyondSixtyFourAreIgnored) {
  std::u16string text = Header();
  for (int k = 0; k < 66; ++k)
    text += u"##=Language " + text::FromInt(k) + u"\tNative\r\n" + text::FromInt(k) + u"=text\r\n";
  LoadFromText(text);
  ASSERT_EQ(sectionCount, 64);
  EXPECT_EQ(Utf8(sectionNames[63]), "Language 63\tNative");
  EXPECT_EQ(Utf8(SectionText(63, 63)), "text");
  // The 65th header still ends the 64th section: its line does not reach section 63.
  currentLanguage = 63;
  EXPECT_EQ(StringTable::Text(64), nullptr);
}

TEST_F(LanguageArchiveTest, TruncatedTextsAreSafe) {
  struct Case {
    const char* name;
    std::u16string tail;
    int sections;
    const char* lastName;
  } cases[] = {
      {"named header without line end", u"##=Cut off", 1, "Cut off"},
      {"delimiter at the very end", u"##=A\tB\r\n40=x\r\n##", 2, "(null)"},
      {"delimiter and half a line end", u"##=A\tB\r\n##\r", 2, "(null)"},
      {"empty name at the end", u"##=", 1, ""},
  };
  for (const Case& c : cases) {
    LoadFromText(Header() + c.tail);
    ASSERT_EQ(sectionCount, c.sections) << c.name;
    EXPECT_EQ(Utf8(sectionNames[c.sections - 1]), c.lastName) << c.name;
    currentLanguage = c.sections - 1;
    for (int id = 0; id < kTextIds; ++id) {
      if (id == 40) continue;
      EXPECT_EQ(StringTable::Text(id), nullptr) << c.name << ": id " << id;
    }
  }
  LoadFromText(u"##");  // the common block would begin past the end
  EXPECT_EQ(Utf8(LanguageArchive::blockStarts[0]), "");
  EXPECT_EQ(sectionCount, 0);
}

TEST_F(LanguageArchiveTest, CompletenessCountsNonEmptyReferenceTexts) {
  struct Case {
    const char* name;
    int referenceTexts;
    int translated;
    int expected;
  } cases[] = {
      {"29 of 100", 100, 29, 28},
      {"54 of 55", 55, 54, 98},
      {"all", 55, 55, 100},
      {"none", 55, 0, 0},
  };
  for (const Case& c : cases) {
    LoadFromText(Header() + Section(u"##=Other\tX", 1, c.translated) +
                 Section(u"##=Englisch\tEnglish", 1, c.referenceTexts) + u"##\r\n");
    ASSERT_EQ(sectionCount, 3) << c.name;
    EXPECT_EQ(translatedPercent[0], c.expected) << c.name;
    EXPECT_EQ(translatedPercent[1], 100) << c.name << ": the reference section";
    EXPECT_EQ(translatedPercent[2], 0) << c.name << ": the final empty section";
  }
}

TEST_F(LanguageArchiveTest, EmptyTextsAndExtraIdsDoNotCount) {
  LoadFromText(Header() + u"##=Other\tX\r\n40=a\r\n41=\r\n90=extra\r\nTranslatorName=me\r\n" +
               u"##=Englisch\tEnglish\r\n40=a\r\n41=b\r\n42=\r\nTranslatorName=\r\nTranslatorURL=u\r\n");
  // Reference: 40, 41 and text 0 (the URL wins over the empty name); 42 is empty.
  // Other: 40 and text 0 match; 41 is empty, 90 is not in the reference.
  EXPECT_EQ(translatedPercent[0], 66);
}

TEST_F(LanguageArchiveTest, NoReferenceTextsGiveZeroEverywhere) {
  LoadFromText(Header() + u"##=Other\tX\r\n40=a\r\n##=Englisch\tEnglish\r\n[INFO]\r\n41=\r\n");
  EXPECT_EQ(translatedPercent[0], 0);
  EXPECT_EQ(translatedPercent[1], 0);
  LoadFromText(Header() + u"##=Only\tOne\r\n40=a\r\n");  // no reference section at all
  EXPECT_EQ(translatedPercent[0], 0);
}

TEST_F(LanguageArchiveTest, ReferenceTemplateKeepsLineEnds) {
  LoadFromText(Header() + u"##=German\tDeutsch\r\n40=Mit\r\n##=Englisch\tEnglish\r\n40=Start\r\n41=\\r\r\n");
  EXPECT_EQ(std::u16string(referenceTemplate), std::u16string(u"\n40=Start\r\n41=\\r\r\n"));
  LoadFromText(Header() + u"##=German\tDeutsch\r\n");
  EXPECT_EQ(referenceTemplate[0], 0) << "no reference section leaves the template empty";
}

TEST_F(LanguageArchiveTest, LongReferenceTemplateIsCut) {
  std::u16string body = u"\n";
  while (body.size() < 9000) body += u"40=" + std::u16string(60, u'x') + u"\r\n";
  LoadFromText(Header() + u"##=German\tDeutsch\r\n##=Englisch\tEnglish\r" + body + u"##\r\n");
  EXPECT_EQ(text::Length(referenceTemplate), static_cast<size_t>(kReferenceTemplateUnits));
  EXPECT_EQ(std::u16string(referenceTemplate), body.substr(0, kReferenceTemplateUnits));
  EXPECT_EQ(Utf8(SectionText(1, 40)), std::string(60, 'x')) << "the section itself is whole";
}

// --- finding the block in a file image ---

std::string StartMarker() { return "\n<!- ------SDSGDGSDHREETETBCNMJUKR----------\n"; }
std::string EndMarker() { return "\n-------SDSGDGSDHREETETBCNMJUKR-------- -->\n"; }

const unsigned char* Bytes(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

TEST(ArchiveMarkerTest, ComposedMarkersAreTheArchiveLines) {
  unsigned char start[LanguageArchive::kStartMarkerSize];
  unsigned char end[LanguageArchive::kEndMarkerSize];
  LanguageArchive::ComposeStartMarker(start);
  LanguageArchive::ComposeEndMarker(end);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(start), sizeof start), StartMarker());
  EXPECT_EQ(std::string(reinterpret_cast<char*>(end), sizeof end), EndMarker());
}

TEST(ArchiveMarkerTest, FindBytesReturnsFirstMatch) {
  struct Case {
    std::string data, pattern;
    ptrdiff_t expected;
  } cases[] = {
      {"abcabc", "bc", 1}, {"abcabc", "abc", 0}, {"abcabd", "abd", 3}, {"aaab", "aab", 1},
      {"abc", "abcd", -1}, {"abc", "x", -1},     {"", "a", -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LanguageArchive::FindBytes(Bytes(c.data), c.data.size(), Bytes(c.pattern), c.pattern.size()),
              c.expected)
        << "\"" << c.pattern << "\" in \"" << c.data << "\"";
}

TEST(ArchiveMarkerTest, FindArchiveBlockNeedsBothMarkersInOrder) {
  const std::string s = StartMarker(), e = EndMarker();
  struct Case {
    const char* name;
    std::string image;
    bool found;
    std::string block;
  } cases[] = {
      {"both", "MZ..." + s + "BLOCK" + e + "tail", true, "BLOCK"},
      {"empty block", s + e, true, ""},
      {"first occurrences count", s + "A" + e + s + "B" + e, true, "A"},
      {"start missing", "x" + e, false, ""},
      {"end missing", s + "x", false, ""},
      {"end before start", e + "x" + s, false, ""},
      {"damaged start", "\n<!- ------SDSGDGSDHREETETBCNMJUKQ----------\n" "x" + e, false, ""},
      {"empty image", "", false, ""},
  };
  for (const Case& c : cases) {
    LanguageArchive::ArchiveBlock block;
    const bool found = LanguageArchive::FindArchiveBlock(Bytes(c.image), c.image.size(), &block);
    ASSERT_EQ(found, c.found) << c.name;
    if (found) {
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(block.data), block.size), c.block) << c.name;
    }
  }
}

TEST(ArchiveBlockTest, BadBlocksFailTheLoad) {
  struct Case {
    const char* name;
    std::string block;
  } cases[] = {
      {"empty", ""},
      {"shorter than its header", std::string("\x10\x00\x00", 3)},
      {"length beyond the cap", std::string("\x01\x00\x00\x01", 4) + "xxxx"},
      {"2L + 10 overflows 32 bits", std::string("\xfb\xff\xff\x7f", 4) + "xxxx"},
      {"largest length", std::string("\xff\xff\xff\xff", 4) + "xxxx"},
      {"text declared but no stream", std::string("\x05\x00\x00\x00", 4)},
      {"more than 60 bytes per bit", std::string("\xe1\x01\x00\x00", 4) + "x"},  // 481 > 480
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(LanguageArchive::LoadFromBlock(Bytes(c.block), c.block.size())) << c.name;
    EXPECT_EQ(sectionCount, 0) << c.name;
    EXPECT_FALSE(LanguageArchive::LoadFromImage(Bytes(StartMarker() + c.block + EndMarker()),
                                                c.block.size() + 89))
        << c.name << " inside markers";
  }
}

TEST(ArchiveBlockTest, OddAndZeroLengthsLoad) {
  // A corrupt stream is not detected: it yields some text, which must load without fault.
  for (const std::string& block : {std::string("\x07\x00\x00\x00\x12\x34\x56", 7),
                                   std::string("\x00\x00\x00\x00", 4),
                                   std::string("\xe0\x01\x00\x00", 4) + "x"}) {
    EXPECT_TRUE(LanguageArchive::LoadFromBlock(Bytes(block), block.size()))
        << "declared length " << static_cast<int>(block[0]);
  }
  LanguageArchive::Clear();
}

}  // namespace
