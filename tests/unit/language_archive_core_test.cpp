// Completeness of the sections, and checking the archive block.
#include "i18n/language_archive_core.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_text.h"

namespace {

// A section whose ids first..first+count-1 hold non-empty texts.
std::u16string Section(const std::u16string& header, int first, int count) {
  std::u16string s = header + u"\r\n";
  for (int id = first; id < first + count; ++id) s += text::FromInt(id) + u"=t\r\n";
  return s;
}

using LanguageArchiveTest = ArchiveTest;

TEST_F(LanguageArchiveTest, CompletenessCountsNonEmptyReferenceTexts) {
  const std::u16string reference = u"##=Englisch\tEnglish\r\n";
  const struct {
    const char* name;
    std::u16string sections;
    std::vector<int> percents;
  } cases[] = {
      {"29 of 100", Section(u"##=Other\tX", 1, 29) + Section(reference, 1, 100) + u"##\r\n", {28, 100, 0}},
      // Reference: 40, 41 and text 0 (the URL wins over the empty name); 42 is empty.
      // Other: 40 and text 0 match; 41 is empty, 90 is not in the reference.
      {"empty texts and extra ids",
       u"##=Other\tX\r\n40=a\r\n41=\r\n90=extra\r\nTranslatorName=me\r\n" + reference +
           u"40=a\r\n41=b\r\n42=\r\nTranslatorName=\r\nTranslatorURL=u\r\n",
       {66, 100}},
      {"no reference texts", u"##=Other\tX\r\n40=a\r\n" + reference + u"[INFO]\r\n41=\r\n", {0, 0}},
      {"no reference section", u"##=Only\tOne\r\n40=a\r\n", {0}},
  };
  for (const auto& c : cases) {
    LanguageArchive::LoadFromText(ArchiveText(c.sections));
    EXPECT_EQ(std::vector<int>(translatedPercent, translatedPercent + languageCount), c.percents) << c.name;
  }
  EXPECT_EQ(referenceTemplate[0], 0) << "no reference section leaves the template empty";
}

std::string StartMarker() { return "\n<!- ------SDSGDGSDHREETETBCNMJUKR----------\n"; }
std::string EndMarker() { return "\n-------SDSGDGSDHREETETBCNMJUKR-------- -->\n"; }

const unsigned char* Bytes(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

TEST(ArchiveBlockTest, BadBlocksFailTheLoad) {
  struct Case {
    const char* name;
    std::string block;
  } cases[] = {
      {"empty", ""},
      {"shorter than its header", std::string("\x10\x00\x00", 3)},
      // 16 MiB + 1 with stream enough for it (35,000 bytes allow 16.8 MB): only the cap refuses.
      {"length beyond the cap", std::string("\x01\x00\x00\x01", 4) + std::string(35000, 'x')},
      {"text declared but no stream", std::string("\x05\x00\x00\x00", 4)},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(LanguageArchive::LoadFromBlock(Bytes(c.block), c.block.size())) << c.name;
    EXPECT_EQ(languageCount, 0) << c.name;
    EXPECT_FALSE(LanguageArchive::LoadFromImage(Bytes(StartMarker() + c.block + EndMarker()), c.block.size() + 89))
        << c.name << " inside markers";
  }
}

// The buffer's size is counted as the i686 product counts it: a length whose 2L + 10 wraps
// 32 bits would give a buffer of a few bytes for gigabytes of text.
TEST(ArchiveBlockTest, TextBufferSizeNeverWraps) {
  const struct {
    uint32_t length;
    bool fits;
    uint32_t bytes;
  } cases[] = {
      {0, true, 10},          {52028, true, 104066},  {0x7ffffffa, true, 0xfffffffe},
      {0x7ffffffb, false, 0}, {0xffffffff, false, 0},
  };
  for (const auto& c : cases) {
    uint32_t bytes = 0;
    EXPECT_EQ(LanguageArchive::TextBufferBytes(c.length, &bytes), c.fits) << c.length;
    if (c.fits) EXPECT_EQ(bytes, c.bytes) << c.length;
  }
}

}  // namespace
