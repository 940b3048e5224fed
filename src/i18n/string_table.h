// Texts of every language, by numeric id, as the language archive provides them.
#pragma once

#include <cstdint>

constexpr int kMaxLanguages = 64;              // language sections the archive may hold
constexpr int kTextIds = 256;                  // ids 0..255 per language section
constexpr int kCommonIds = 128;                // ids 0..127 in the common block
constexpr int kReferenceSection = 1;           // fallback, completeness base and export source
constexpr int kReferenceTemplateUnits = 7047;  // longest reference body the export template keeps

// Language state shared by the dialog, the menus and the language choice.
extern int currentLanguage;                           // 1 at program start
extern int languageCount;                             // 0..64
extern const char16_t* languageNames[kMaxLanguages];  // "English<TAB>Native", null when nameless
extern int translatedPercent[kMaxLanguages];
extern bool importActive;  // an imported translation replaces the sections
extern const char16_t* importedTexts[kTextIds];

// Filled once by the archive load; every pointer points into the one decoded text.
extern const char16_t* sectionTables[kMaxLanguages][kTextIds];
extern const char16_t* commonTexts[kCommonIds];
// The reference section's body as it stood before parsing (line ends kept), zero-terminated;
// the translation export writes it out as the file to translate.
extern char16_t referenceTemplate[kReferenceTemplateUnits + 1];

namespace StringTable {
// Text of the current language with the fallbacks of the archive; null for no text.
const char16_t* Text(int id);
// Common text (no fallback); null when undefined.
const char16_t* CommonText(int id);
}  // namespace StringTable

// Fills `table` from zero-terminated "id=text" lines, in place: line ends become zeros and
// each entry points just after the first "=" of its line. Ids outside 0..255 and lines
// without "=" define nothing; text after the last line feed is not parsed. A null text
// leaves the table empty. Used for every archive section and for an imported translation.
void ParseSection(char16_t* text, const char16_t* table[kTextIds]);

// As ParseSection for the common block: 128 ids, and "\r" / "\n" in a text become CR / LF.
void ParseCommonBlock(char16_t* text, const char16_t* table[kCommonIds]);
