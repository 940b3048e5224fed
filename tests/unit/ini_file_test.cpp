// Reading and splicing lines in a settings file's bytes; the file-level rules (unreadable
// files, foreign encodings, writes that change nothing) are in settings_file_test.cpp.
#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text.h"
#include "i18n/translation.h"

namespace {

std::string Utf16File(std::u16string_view text) { return Utf16FileBytes(text); }

TEST(IniFile, ReadsValuesAsTheProfileFunctionsDo) {
  // value null: not found
  const struct {
    const char* what;
    std::string content;
    const char16_t *section, *key, *value;
  } cases[] = {
      {"plain", "[Start]\r\nr=128\r\n", u"Start", u"r", u"128"},
      {"names ignore case", "[START]\r\nR=5\r\n", u"start", u"r", u"5"},
      {"blanks around names and value", "  [ Start ]  \r\n\t r \t=  7 \t\r\n", u"Start", u" r ", u"7"},
      {"double quotes", "[S]\r\nk=\" quoted \"\r\n", u"S", u"k", u" quoted "},
      {"equals sign in value", "[S]\r\nk=a=b\r\n", u"S", u"k", u"a=b"},
      {"line feeds only, no final line end", "[S]\nk=9", u"S", u"k", u"9"},
      {"first of two keys", "[S]\r\nk=1\r\nK=2\r\n", u"S", u"k", u"1"},
      {"key in a repeated section", "[S]\r\na=1\r\n[T]\r\n[s]\r\nk=2\r\n", u"S", u"k", u"2"},
      {"Windows-1252 value", "[S]\r\nk=\x80\xE4\r\n", u"S", u"k", u"\u20AC\u00E4"},
      {"non-ASCII names ignore case", "[\xC4RGER]\r\n\xDC=1\r\n", u"\u00E4rger", u"\u00FC", u"1"},
      {"UTF-16 file", Utf16File(u"; \u65E5\u672C\r\n[Start]\r\nname=\u03A9mega\r\n"), u"start", u"NAME", u"\u03A9mega"},
      {"UTF-8 file, header after the mark", "\xEF\xBB\xBF[Start]\r\nname=\xCE\xA9mega\r\n", u"Start", u"name",
       u"\u03A9mega"},
      {"missing key", "[S]\r\nj=1\r\n", u"S", u"k", nullptr},
      {"key without equals sign", "[S]\r\nk\r\n", u"S", u"k", nullptr},
      {"comment line", "[S]\r\n;k=1\r\n", u"S", u"k", nullptr},
      {"header without closing bracket", "[S\r\nk=1\r\n", u"S", u"k", nullptr},
  };
  for (const auto& c : cases) {
    std::u16string value;
    EXPECT_EQ(ini::ReadValue(c.content, c.section, c.key, &value), c.value != nullptr) << c.what;
    if (c.value) EXPECT_EQ(text::ToUtf8(value), text::ToUtf8(c.value)) << c.what;
  }
}

// In the file's own encoding and line ends; every other byte stays (an existing key keeps its
// place and spelling: run end to end).
TEST(IniFile, WritesOneLineAndKeepsEverythingElse) {
  const struct {
    const char* what;
    std::string before;
    const char16_t *section, *key, *value;
    std::string after;
  } cases[] = {
      {"new file", "", u"Start", u"r", u"128", "[Start]\r\nr=128\r\n"},
      {"new key after the section's last key", "[Start]\r\nr=1\r\n\r\n; next\r\n[Program]\r\nx=1\r\n", u"Start", u"g",
       u"2", "[Start]\r\nr=1\r\ng=2\r\n\r\n; next\r\n[Program]\r\nx=1\r\n"},
      {"new key in a section without keys", "[A]\r\n; note\r\n[B]\r\n", u"a", u"k", u"1",
       "[A]\r\nk=1\r\n; note\r\n[B]\r\n"},
      {"new section at the end, line feeds kept", "[A]\nx=1\n", u"B", u"y", u"2", "[A]\nx=1\n[B]\ny=2\n"},
      {"no final line end, new key", "[A]\r\nx=1", u"A", u"y", u"2", "[A]\r\nx=1\r\ny=2\r\n"},
      {"brightness written as H onto h", "[Start]\r\nh=5\r\n", u"Start", u"H", u"200", "[Start]\r\nh=200\r\n"},
      {"new key in the first of two sections", "[S]\r\na=1\r\n[S]\r\nb=1\r\n", u"S", u"k", u"2",
       "[S]\r\na=1\r\nk=2\r\n[S]\r\nb=1\r\n"},
      {"names trimmed", "", u" Start ", u" r ", u"1", "[Start]\r\nr=1\r\n"},
      {"UTF-8 byte-order mark", "\xEF\xBB\xBF[Start]\r\nr=1\r\n", u"Start", u"r", u"\u00E4",
       "\xEF\xBB\xBF[Start]\r\nr=\xC3\xA4\r\n"},
      {"UTF-16, existing key", Utf16File(u"[O]\r\nn=\u03A9\r\n[Start]\r\nr=1\r\n"), u"Start", u"r", u"128",
       Utf16File(u"[O]\r\nn=\u03A9\r\n[Start]\r\nr=128\r\n")},
      {"UTF-16, new key", Utf16File(u"[Start]\r\nr=1\r\n"), u"Start", u"\u00FC", u"\u65E5",
       Utf16File(u"[Start]\r\nr=1\r\n\u00FC=\u65E5\r\n")},
      // A stray odd byte stays last; new text keeps to whole units before it.
      {"UTF-16, odd byte", Utf16File(u"[A]\r\n") + "\x41", u"A", u"k", u"1", Utf16File(u"[A]\r\nk=1\r\n") + "\x41"},
  };
  for (const auto& c : cases) {
    std::string bytes = c.before;
    EXPECT_TRUE(ini::WriteValue(&bytes, c.section, c.key, c.value)) << c.what;
    EXPECT_EQ(bytes, c.after) << c.what;
  }
}

TEST(IniFile, RefusesNamesAndValuesNoLineCanHold) {
  const std::string before = "[S]\r\nk=1\r\n";
  const struct {
    std::u16string section, key, value;
  } cases[] = {
      // "a=b" and ";k" as keys are the fuzzer's.
      {u"", u"k", u"1"},
      {u"S", u"[k", u"1"},
      {u"S", u"k", u"a\nb"},
      {u"S\n", u"k", u"1"},
      {u"S", u"k", std::u16string(u"a\0b", 3)},
      {u"S", u"\u65E5", u"1"},  // would come back as "?" and never match again
      {u"S", u"k", u"\u65E5"},  // would be stored as "?"
  };
  for (const auto& c : cases) {
    std::string bytes = before;
    EXPECT_FALSE(ini::WriteValue(&bytes, c.section, c.key, c.value)) << text::ToUtf8(c.key + u"=" + c.value);
    EXPECT_EQ(bytes, before);
  }
}

}  // namespace
