#include "i18n/translation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_text.h"
#include "text_ids.h"

namespace {

// Stands in for the ANSI code page 1252 on the characters the tests use.
std::u16string Latin1(std::string_view ansi) { return text::Widen(ansi); }

// A zero ends only its own chunk (1024 bytes, or 512 units after a UTF-16 mark); only
// the first kMaxTextFileBytes are read; UTF-16 needs its little-endian mark.
TEST(DecodeTextFile, ChunksTheCapAndTheMark) {
  std::string ansi(2048, 'a');
  ansi[10] = '\0';
  std::u16string wide(1024, u'x');
  wide[0] = 0xFEFF;
  wide[100] = 0;
  const struct {
    const char* what;
    std::string bytes;
    std::u16string expected;
  } cases[] = {
      {"ANSI zero", ansi, std::u16string(10 + 1024, u'a')},
      {"UTF-16 zero", Utf16Le(wide), std::u16string(99 + 512, u'x')},
      {"huge file", std::string(kMaxTextFileBytes + 3000, 'b'), std::u16string(kMaxTextFileBytes, u'b')},
      {"odd length keeps the last byte",
       std::string("\xFF\xFE"
                   "A\x00"
                   "B",
                   5),
       u"AB"},
      {"no mark: read as ANSI up to the zero", Utf16Le(u"40=Text\r\n"), u"4"},
      {"big-endian: the mark bytes, then a zero", std::string("\xFE\xFF\x00\x34", 4), u"\u00FE\u00FF"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8(DecodeTextFile(c.bytes, Latin1)), Utf8(c.expected)) << c.what;
}

// A reference table with texts "Text <id>" at ids 0 .. count - 1.
struct ReferenceTable {
  std::vector<std::u16string> storage;
  const char16_t* entries[kTextIds] = {};
  explicit ReferenceTable(int count) {
    storage.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) storage.push_back(u"Text " + text::FromInt(i));
    for (int i = 0; i < count; ++i) entries[i] = storage[static_cast<size_t>(i)].c_str();
  }
};

// Nine missing ids with their texts, then dots, then the rest as ids, however many.
TEST(ImportReportText, ListsNineMissingTextsThenIds) {
  ReferenceTable reference(20), full(256);
  const char16_t* imported[kTextIds] = {};
  const std::string all = Utf8(ImportReportText(full.entries, imported));
  EXPECT_EQ(all.compare(0, 4, "0 %\n"), 0) << all.substr(0, 40);
  EXPECT_EQ(all.substr(all.size() - 16), "252,253,254,255,") << "every id, beyond any fixed buffer";
  for (int id = 12; id < 20; ++id) imported[id] = u"x";  // ids 0..11 missing
  EXPECT_EQ(Utf8(ImportReportText(reference.entries, imported)),
            "40 %\n\nmiss:\n0=Text 0\n1=Text 1\n2=Text 2\n3=Text 3\n4=Text 4\n5=Text 5\n6=Text 6\n"
            "7=Text 7\n8=Text 8\n........\n9,10,11,");
}

}  // namespace

// An import as the program runs it, on a small reference section: ids 0, 40, 41, 43, 44.
class ImportedTranslation : public ArchiveTest {
 protected:
  void SetUp() override {
    LanguageArchive::LoadFromText(
        u"##\r\n##\r\n##\r\n##=German\tDeutsch\r\n##=Englisch\tEnglish\r\n"
        u"TranslatorName=Glowmere translators\r\n40=Start with Windows\r\n"
        u"41=Restore at program start\r\n43=&Reset\r\n44=&Exit\r\n");
  }
  std::string Import(const std::string& fileBytes) {
    imported_ = DecodeTextFile(fileBytes, Latin1);
    return Utf8(ActivateImportedText(imported_));
  }
  static std::string Imported(int id) { return importedTexts[id] ? Utf8(importedTexts[id]) : "<null>"; }

  std::u16string imported_;
};

TEST_F(ImportedTranslation, AnsiFileWithRepeatedIdAndEmptyText) {
  const std::string report = Import(
      "TranslatorName=Ich\r\n40=Gr\xFC\xDF"
      "e\r\n43=\r\n44=a=b\r\n44=&Ende\r\n");
  EXPECT_TRUE(importActive);
  EXPECT_EQ(Imported(kTextStartWithWindows),
            "Gr\xC3\xBC\xC3\x9F"
            "e");
  EXPECT_EQ(Imported(kTextExit), "&Ende") << "the later line of an id wins";
  EXPECT_EQ(Imported(kTextReset), "") << "an empty text, not a missing one";
  EXPECT_EQ(Imported(kTextRestoreAtStart), "<null>");
  EXPECT_EQ(Imported(0), "Ich") << "TranslatorName defines text 0 only";
  EXPECT_EQ(report, "60 %\n\nmiss:\n41=Restore at program start\n43=&Reset\n") << "\"43=\" counts as missing";
  EXPECT_EQ(Utf8(StringTable::Text(kTextReset)), "") << "the dialog shows the empty text, not the placeholder";
}
