#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text.h"
#include "native_file_store.h"

namespace {

using test_support::NativeFileStore;
using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::WriteBytes;

std::string Utf16File(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

class IniFileTest : public ::testing::Test {
 protected:
  // Puts `content` in the file (nothing for a missing file) and reads one value.
  bool Read(const std::string* content, const char16_t* section, const char16_t* key, std::u16string* value) {
    if (content) WriteBytes(folder_.Path("Glowmere.ini"), *content);
    return ini::ReadFileValue(store_, path_, section, key, value);
  }
  std::string FileBytes() { return ReadBytes(folder_.Path("Glowmere.ini")); }

  TempFolder folder_;
  NativeFileStore store_;
  std::u16string path_ = folder_.File("Glowmere.ini");
};

struct ReadCase {
  const char* what;
  std::string content;
  const char16_t* section;
  const char16_t* key;
  bool found;
  std::u16string value;
};

TEST_F(IniFileTest, ReadsValuesAsTheProfileFunctionsDo) {
  const std::vector<ReadCase> cases = {
      {"plain", "[Start]\r\nr=128\r\n", u"Start", u"r", true, u"128"},
      {"names ignore case", "[START]\r\nR=5\r\n", u"start", u"r", true, u"5"},
      {"blanks around names and value", "  [ Start ]  \r\n\t r \t=  7 \t\r\n", u"Start", u" r ", true, u"7"},
      {"double quotes", "[S]\r\nk=\" quoted \"\r\n", u"S", u"k", true, u" quoted "},
      {"unmatched quote kept", "[S]\r\nk=\"x\r\n", u"S", u"k", true, u"\"x"},
      {"equals sign in value", "[S]\r\nk=a=b\r\n", u"S", u"k", true, u"a=b"},
      {"line feeds only, no final line end", "[S]\nk=9", u"S", u"k", true, u"9"},
      {"text after the bracket", "[S] ; note\r\nk=1\r\n", u"S", u"k", true, u"1"},
      {"first of two keys", "[S]\r\nk=1\r\nK=2\r\n", u"S", u"k", true, u"1"},
      {"key in a repeated section", "[S]\r\na=1\r\n[T]\r\n[s]\r\nk=2\r\n", u"S", u"k", true, u"2"},
      {"Windows-1252 value", "[S]\r\nk=\x80\xE4\r\n", u"S", u"k", true, u"\u20AC\u00E4"},
      {"non-ASCII names ignore case", "[\xC4RGER]\r\n\xDC=1\r\n", u"\u00E4rger", u"\u00FC", true, u"1"},
      {"long value cut to 1023 characters", "[S]\r\nk=" + std::string(2000, 'x') + "\r\n", u"S", u"k", true,
       std::u16string(1023, u'x')},
      {"UTF-16 file", Utf16File(u"; \u65E5\u672C\r\n[Start]\r\nname=\u03A9mega\r\n"), u"start", u"NAME", true,
       u"\u03A9mega"},
      {"UTF-8 file, header right after the mark", "\xEF\xBB\xBF[Start]\r\nname=\xCE\xA9mega\r\n", u"Start", u"name",
       true, u"\u03A9mega"},
      {"missing key", "[S]\r\nj=1\r\n", u"S", u"k", false, u""},
      {"key without equals sign", "[S]\r\nk\r\n", u"S", u"k", false, u""},
      {"key before any section", "k=1\r\n[S]\r\n", u"S", u"k", false, u""},
      {"comment line", "[S]\r\n;k=1\r\n", u"S", u"k", false, u""},
      {"header without closing bracket", "[S\r\nk=1\r\n", u"S", u"k", false, u""},
  };
  for (const ReadCase& c : cases) {
    std::u16string value = u"unchanged";
    bool found = Read(&c.content, c.section, c.key, &value);
    EXPECT_EQ(found, c.found) << c.what;
    if (c.found) EXPECT_EQ(text::ToUtf8(value), text::ToUtf8(c.value)) << c.what;
  }
  std::u16string value;
  EXPECT_FALSE(Read(nullptr, u"S", u"k", &value)) << "a missing file has no values";
}

struct WriteCase {
  const char* what;
  std::string before;  // "" with `missing` for no file
  bool missing;
  const char16_t* section;
  const char16_t* key;
  const char16_t* value;
  std::string after;
};

// In the file's own encoding and line ends.
TEST_F(IniFileTest, WritesOneLineAndKeepsEverythingElse) {
  const std::vector<WriteCase> cases = {
      {"new file", "", true, u"Start", u"r", u"128", "[Start]\r\nr=128\r\n"},
      {"existing key keeps its spelling and the rest",
       "; my settings\r\n\r\n[start]\r\n  R = 5 ; old\r\nother=x\r\n\r\n[Program]\r\nm_lang_id=2\r\n", false,
       u"Start", u"r", u"128",
       "; my settings\r\n\r\n[start]\r\n  R=128\r\nother=x\r\n\r\n[Program]\r\nm_lang_id=2\r\n"},
      {"new key after the section's last key", "[Start]\r\nr=1\r\n\r\n; next\r\n[Program]\r\nx=1\r\n", false,
       u"Start", u"g", u"2", "[Start]\r\nr=1\r\ng=2\r\n\r\n; next\r\n[Program]\r\nx=1\r\n"},
      {"new key in a section without keys", "[A]\r\n; note\r\n[B]\r\n", false, u"a", u"k", u"1",
       "[A]\r\nk=1\r\n; note\r\n[B]\r\n"},
      {"new section at the end, line feeds kept", "[A]\nx=1\n", false, u"B", u"y", u"2", "[A]\nx=1\n[B]\ny=2\n"},
      {"no final line end, new key", "[A]\r\nx=1", false, u"A", u"y", u"2", "[A]\r\nx=1\r\ny=2\r\n"},
      {"brightness written as H onto h", "[Start]\r\nh=5\r\n", false, u"Start", u"H", u"200",
       "[Start]\r\nh=200\r\n"},
      {"new key in the first of two sections", "[S]\r\na=1\r\n[S]\r\nb=1\r\n", false, u"S", u"k", u"2",
       "[S]\r\na=1\r\nk=2\r\n[S]\r\nb=1\r\n"},
      {"names trimmed", "", true, u" Start ", u" r ", u"1", "[Start]\r\nr=1\r\n"},
      {"UTF-8 byte-order mark", "\xEF\xBB\xBF[Start]\r\nr=1\r\n", false, u"Start", u"r", u"\u00E4",
       "\xEF\xBB\xBF[Start]\r\nr=\xC3\xA4\r\n"},
      {"UTF-16, existing key", Utf16File(u"[O]\r\nn=\u03A9\r\n[Start]\r\nr=1\r\n"), false, u"Start", u"r", u"128",
       Utf16File(u"[O]\r\nn=\u03A9\r\n[Start]\r\nr=128\r\n")},
      {"UTF-16, new key", Utf16File(u"[Start]\r\nr=1\r\n"), false, u"Start", u"\u00FC", u"\u65E5",
       Utf16File(u"[Start]\r\nr=1\r\n\u00FC=\u65E5\r\n")},
      // A stray odd byte stays last; new text keeps to whole units before it.
      {"UTF-16, odd byte", Utf16File(u"[A]\r\n") + "\x41", false, u"A", u"k", u"1",
       Utf16File(u"[A]\r\nk=1\r\n") + "\x41"},
  };
  for (const WriteCase& c : cases) {
    std::error_code ignored;
    std::filesystem::remove(folder_.Path("Glowmere.ini"), ignored);
    if (!c.missing) WriteBytes(folder_.Path("Glowmere.ini"), c.before);
    EXPECT_TRUE(ini::WriteFileValue(store_, path_, c.section, c.key, c.value)) << c.what;
    EXPECT_EQ(FileBytes(), c.after) << c.what;
    std::u16string value;
    EXPECT_TRUE(ini::ReadFileValue(store_, path_, c.section, c.key, &value)) << c.what << ": written key reads back";
  }
}

TEST_F(IniFileTest, RefusesNamesAndValuesNoLineCanHold) {
  const std::string before = "[S]\r\nk=1\r\n";
  struct Bad {
    const char16_t* section;
    const char16_t* key;
    const char16_t* value;
  };
  const std::vector<Bad> cases = {
      {u"", u"k", u"1"},   {u"S", u"a=b", u"1"},   {u"S", u"[k", u"1"},
      {u"S", u";k", u"1"}, {u"S", u"k", u"a\nb"}, {u"S\n", u"k", u"1"},
      {u"S", u"\u65E5", u"1"},  // would come back as "?" and never match again
      {u"S", u"k", u"\u65E5"},  // would be stored as "?"
  };
  for (const Bad& c : cases) {
    WriteBytes(folder_.Path("Glowmere.ini"), before);
    EXPECT_FALSE(ini::WriteFileValue(store_, path_, c.section, c.key, c.value))
        << text::ToUtf8(c.section) << "/" << text::ToUtf8(c.key) << "=" << text::ToUtf8(c.value);
    EXPECT_EQ(FileBytes(), before);
  }
  std::u16string withNul(u"a\0b", 3);
  EXPECT_FALSE(ini::WriteFileValue(store_, path_, u"S", u"k", withNul));
  EXPECT_EQ(FileBytes(), before);
}

TEST_F(IniFileTest, CreatesTheFileButNotItsFolder) {
  std::u16string inMissingFolder = folder_.File("missing") + u"/Glowmere.ini";
  EXPECT_FALSE(ini::WriteFileValue(store_, inMissingFolder, u"S", u"k", u"1"));
  EXPECT_FALSE(std::filesystem::exists(folder_.Path("missing")));
}

TEST_F(IniFileTest, LeavesTheFileAloneWhenTheValueIsAlreadyThere) {
  WriteBytes(folder_.Path("Glowmere.ini"), "[Start]\r\nr = 128\r\n");
  ASSERT_TRUE(ini::WriteFileValue(store_, path_, u"start", u"R", u"128"));
  EXPECT_EQ(store_.replaces, 0);
  EXPECT_EQ(FileBytes(), "[Start]\r\nr = 128\r\n");
}

TEST_F(IniFileTest, NeverOverwritesAFileItCannotRead) {
  const std::string bigEndian("\xFE\xFF\0[\0S\0]\0\r\0\n", 12);  // our ANSI lines would damage it
  WriteBytes(folder_.Path("Glowmere.ini"), bigEndian);
  EXPECT_EQ(ini::WriteFileValues(store_, path_, {{u"S", u"k", u"1"}}), ini::WriteResult::kRefused);
  EXPECT_EQ(FileBytes(), bigEndian);
  std::filesystem::remove(folder_.Path("Glowmere.ini"));

  std::filesystem::create_directory(folder_.Path("Glowmere.ini"));
  EXPECT_FALSE(ini::WriteFileValue(store_, path_, u"S", u"k", u"1"));
  EXPECT_EQ(store_.replaces, 0);
  EXPECT_TRUE(std::filesystem::is_directory(folder_.Path("Glowmere.ini")));
}

}  // namespace
