// Text tables of the language archive: line parsing and lookup with fallbacks.
#include "i18n/string_table.h"

#include <string>

#include "common/text.h"

int currentLanguage = 1;
int languageCount = 0;
const char16_t* languageNames[kMaxLanguages] = {};
int translatedPercent[kMaxLanguages] = {};
bool importActive = false;
const char16_t* importedTexts[kTextIds] = {};
const char16_t* sectionTables[kMaxLanguages][kTextIds] = {};
const char16_t* commonTexts[kCommonIds] = {};
char16_t referenceTemplate[kReferenceTemplateUnits + 1] = {};

namespace {

// Receives "str:<id>?" for an id the imported translation lacks; valid until the next such lookup.
std::u16string& FallbackScratch() {
  static std::u16string scratch;
  return scratch;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f'; }

// The id at a line's start: blanks skipped, an optional sign, decimal digits up to the first
// other unit; no digits give 0. Values beyond the int range saturate (they are ignored anyway).
long long LeadingId(const char16_t* line) {
  while (IsBlank(*line)) ++line;
  bool negative = false;
  if (*line == u'+' || *line == u'-') negative = *line++ == u'-';
  long long value = 0;
  while (*line >= u'0' && *line <= u'9') {
    if (value < 1000000000LL) value = value * 10 + (*line - u'0');
    ++line;
  }
  return negative ? -value : value;
}

// Backslash-r and backslash-n become CR and LF, in place; the text gets a new end.
void ConvertEscapes(char16_t* s) {
  char16_t* out = s;
  while (*s != 0) {
    if (s[0] == u'\\' && (s[1] == u'r' || s[1] == u'n')) {
      *out++ = s[1] == u'r' ? u'\r' : u'\n';
      s += 2;
    } else {
      *out++ = *s++;
    }
  }
  *out = 0;
}

// Splits `text` into lines in place and calls `define(id, valueStart)` for every complete
// line with an "=" whose id lies in 0..idCount-1.
template <typename Define>
void ParseLines(char16_t* text, int idCount, Define define) {
  const size_t n = text::Length(text);
  size_t lineStart = 0;
  for (size_t i = 0; i < n; ++i) {
    if (text[i] != u'\n') continue;
    text[i] = 0;
    if (i > 0 && text[i - 1] == u'\r') text[i - 1] = 0;
    char16_t* line = text + lineStart;
    char16_t* equals = line;
    while (*equals != 0 && *equals != u'=') ++equals;
    if (*equals == u'=') {
      const long long id = LeadingId(line);
      if (id >= 0 && id < idCount) define(static_cast<int>(id), equals + 1);
    }
    lineStart = i + 1;
  }
}

}  // namespace

void ParseSection(char16_t* text, const char16_t* table[kTextIds]) {
  for (int id = 0; id < kTextIds; ++id) table[id] = nullptr;
  if (text == nullptr) return;
  ParseLines(text, kTextIds, [table](int id, char16_t* value) { table[id] = value; });
}

void ParseCommonBlock(char16_t* text, const char16_t* table[kCommonIds]) {
  if (text == nullptr) return;
  for (int id = 0; id < kCommonIds; ++id) table[id] = nullptr;
  ParseLines(text, kCommonIds, [table](int id, char16_t* value) {
    ConvertEscapes(value);
    table[id] = value;
  });
}

namespace StringTable {

const char16_t* Text(int id) {
  const bool validId = id >= 0 && id < kTextIds;
  if (importActive) {
    if (validId && importedTexts[id] != nullptr) return importedTexts[id];
    std::u16string& scratch = FallbackScratch();
    scratch = u"str:" + text::FromInt(id) + u"?";
    return scratch.c_str();
  }
  if (!validId) return nullptr;
  if (currentLanguage >= 0 && currentLanguage < kMaxLanguages && currentLanguage < languageCount &&
      sectionTables[currentLanguage][id] != nullptr) {
    return sectionTables[currentLanguage][id];
  }
  return sectionTables[kReferenceSection][id];
}

const char16_t* CommonText(int id) {
  if (id < 0 || id >= kCommonIds) return nullptr;
  return commonTexts[id];
}

}  // namespace StringTable
