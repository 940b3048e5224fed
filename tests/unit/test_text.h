// Text helpers and the language archive's clean slate, shared by the unit tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "common/text.h"
#include "i18n/language_archive_core.h"
#include "i18n/string_table.h"
#include "i18n/translation.h"

// UTF-8 for comparisons and messages; "(null)" for a text that is not there.
inline std::string Utf8(const char16_t* s) { return s ? text::ToUtf8(s) : std::string("(null)"); }
inline std::string Utf8(const std::u16string& s) { return text::ToUtf8(s); }

// UTF-16 little-endian bytes without a mark, as the registry or a hand-made file holds them.
inline std::string Utf16Le(std::u16string_view s) { return Utf16FileBytes(s).substr(2); }

// A whole decoded archive text: the common block, two free texts, then `sections`.
inline std::u16string ArchiveText(const std::u16string& sections,
                                  const std::u16string& common = u"19=Glowmere 1.77\r\n") {
  return u"\uFEFF##\r\n" + common + u"##\r\nfree one\r\n##\r\nfree two\r\n" + sections;
}

// Leaves the archive, the language and any imported translation as the program starts with them.
class ArchiveTest : public ::testing::Test {
 protected:
  void TearDown() override {
    importActive = false;
    currentLanguage = 1;
    for (auto& entry : importedTexts) entry = nullptr;
    LanguageArchive::Clear();
  }
};
