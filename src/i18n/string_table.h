// Texts of every language, by numeric id, as the language archive provides them.
#pragma once

#include <cstdint>

constexpr int kMaxSections = 64;     // language sections the archive may hold
constexpr int kTextIds = 256;        // ids 0..255 per language section
constexpr int kCommonIds = 128;      // ids 0..127 in the common block
constexpr int kReferenceSection = 1; // fallback, completeness base and export source

// Language state shared by the dialog, the menus and the language choice.
extern int currentLanguage;                        // 1 at program start
extern int sectionCount;                           // 0..64
extern const char16_t* sectionNames[kMaxSections]; // "English<TAB>Native", null when nameless
extern int translatedPercent[kMaxSections];
extern bool importActive;                          // an imported translation replaces the sections
extern const char16_t* importedTexts[kTextIds];

namespace StringTable {
// Text of the current language with the fallbacks of the archive; null for no text.
const char16_t* Text(int id);
// Common text (no fallback); null when undefined.
const char16_t* CommonText(int id);
}  // namespace StringTable
