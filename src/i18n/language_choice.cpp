#include "i18n/language_choice.h"

#include <string>

#include "common/text.h"
#include "i18n/string_table.h"

// Primary and sublanguage ids as the platform numbers them (LANG_*, SUBLANG_*).
const LanguageMatchRow LanguageMatchTable[kLanguageMatchRows] = {
    {7, 0, u"German", u"Deutsc", false},
    {19, 0, u"Dutch", u"Nederl", false},
    {9, 0, u"English", u"Englisch", false},
    {12, 0, u"French", u"Fran\u00E7ais", false},
    {10, 0, u"Spanish", u"Espa", false},
    {16, 0, u"Itali", u"Itali", false},
    {25, 0, u"Russian", u"Russian", false},
    {17, 0, u"Japan", u"Japan", false},
    {18, 0, u"Korea", u"Korea", false},
    {41, 0, u"Persi", u"Saudi", false},
    {1, 0, u"ARABIC", u"Iran", false},
    // Traditional Chinese needs both keys, so a "Simplified" section never takes it.
    {4, 1, u"Chines", u"Tradi", true},
    {4, 2, u"Chines", u"Chinese", false},
    {22, 1, u"Portug", u"Brazil", false},
    {22, 0, u"Portug", u"Portug", false},
};

namespace {

bool RowAccepts(const LanguageMatchRow& row, const std::u16string& loweredName) {
  bool first = loweredName.find(text::Lowered(row.firstKey)) != std::u16string::npos;
  bool second = loweredName.find(text::Lowered(row.secondKey)) != std::u16string::npos;
  return row.bothKeys ? first && second : first || second;
}

}  // namespace

int MatchLanguage(uint16_t langId, const char16_t* const* names, int count) {
  const unsigned primary = langId & 0x3FFu;
  const unsigned sub = langId >> 10;
  // Sections are the outer loop: the first section any row accepts wins,
  // even when a later one would fit the sublanguage better.
  for (int i = 0; i < count; ++i) {
    if (text::Length(names[i]) < 3) continue;
    const std::u16string name = text::Lowered(names[i]);
    for (const LanguageMatchRow& row : LanguageMatchTable) {
      if (row.primary != primary || (row.sub != 0 && row.sub != sub)) continue;
      if (RowAccepts(row, name)) return i;
    }
  }
  return kReferenceSection;
}
