// The archive the build generates from src/res/lang/archive.txt, loaded as the program does.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dialog/access_keys.h"
#include "i18n/language_choice.h"
#include "test_text.h"

namespace {

const char kArchivePath[] = GLOWMERE_BINARY_DIR "/generated/lang_archive.bin";

std::string ReadBytes(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// printf conversions of a text, "%%" included, sorted: a translation may reorder them.
std::vector<std::string> Conversions(const std::string& text) {
  std::vector<std::string> found;
  for (size_t pos = text.find('%'); pos != std::string::npos; pos = text.find('%', pos)) {
    size_t end = text[pos + 1] == '%' ? pos + 1 : text.find_first_not_of("-+ #0123456789.hlL", pos + 1);
    if (end == std::string::npos) end = text.size();
    found.push_back(text.substr(pos, end + 1 - pos));
    pos = end + 1;
  }
  std::sort(found.begin(), found.end());
  return found;
}

class ShippedArchiveTest : public ArchiveTest {
 protected:
  void SetUp() override {
    image_ = ReadBytes(kArchivePath);
    ASSERT_FALSE(image_.empty()) << "expected the generated archive at " << kArchivePath;
    ASSERT_TRUE(LanguageArchive::LoadFromImage(reinterpret_cast<const unsigned char*>(image_.data()), image_.size()))
        << "expected " << kArchivePath << " to load";
  }
  std::string image_;
};

// Fifteen named sections, each with every reference text, and the final nameless one.
TEST_F(ShippedArchiveTest, EveryNamedSectionIsComplete) {
  ASSERT_EQ(languageCount, 16);
  EXPECT_EQ(languageNames[15], nullptr) << "the final \"##\" opens a nameless section";
  int referenceTexts = 0;
  for (int id = 0; id < kTextIds; ++id)
    referenceTexts += sectionTables[kReferenceSection][id] != nullptr && sectionTables[kReferenceSection][id][0] != 0;
  EXPECT_EQ(referenceTexts, 101) << "100 numbered ids and text 0";
  for (int k = 0; k < 15; ++k) EXPECT_EQ(translatedPercent[k], 100) << "section " << k;
  EXPECT_EQ(translatedPercent[15], 0);
}

// A wrong conversion in a translation would crash or garble its formatted message.
TEST_F(ShippedArchiveTest, TranslationsKeepTheReferenceConversions) {
  for (int id = 0; id < kTextIds; ++id) {
    const std::string reference = Utf8(sectionTables[kReferenceSection][id]);
    for (int k = 0; k < 15; ++k) {
      const std::string translated = Utf8(sectionTables[k][id]);
      EXPECT_EQ(Conversions(translated), Conversions(reference))
          << "section " << k << ", id " << id << ": \"" << translated << "\" against \"" << reference << "\"";
    }
  }
}

int checkedSection = 0;
std::u16string CheckedSectionText(int id) {
  const char16_t* text = sectionTables[checkedSection][id];
  return text ? text : u"";
}

// Alt+key or a key in an open menu reaches only the first of two items with the same key.
TEST_F(ShippedArchiveTest, NoAccessKeysClashInAnyLanguage) {
  for (checkedSection = 0; checkedSection < 15; ++checkedSection) {
    for (const std::string& clash : FindAccessKeyClashes(CheckedSectionText)) {
      ADD_FAILURE() << Utf8(languageNames[checkedSection]) << ", " << clash;
    }
  }
}

TEST_F(ShippedArchiveTest, SystemLanguagePicksItsSection) {
  auto langId = [](int primary, int sub) { return static_cast<uint16_t>(sub << 10 | primary); };
  const struct {
    const char* language;
    uint16_t langId;
    int expected;
  } cases[] = {
      {"Korean", langId(18, 1), 2},
      // "Chinese-Traditional" already holds "chines" and comes before the simplified section.
      {"Chinese (Simplified)", langId(4, 2), 4},
      {"Portuguese (Brazil)", langId(22, 1), 9},
      {"Chinese (Hong Kong)", langId(4, 3), 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MatchLanguage(c.langId, languageNames, languageCount), c.expected) << c.language;
}

}  // namespace
