// Which language section is active: detected, restored from the settings, or chosen.
#pragma once

#include <cstdint>

// One way to recognise a system language in a section name ("English<TAB>Native").
struct LanguageMatchRow {
  uint16_t primary;          // primary language id (low 10 bits of a language id)
  uint16_t sub;              // sublanguage id (upper 6 bits); 0 accepts any
  const char16_t* firstKey;  // looked for without regard to case
  const char16_t* secondKey;
  bool bothKeys;  // true: both keys must occur; false: either is enough
};

constexpr int kLanguageMatchRows = 15;
extern const LanguageMatchRow LanguageMatchTable[kLanguageMatchRows];

// Index of the first section (archive order) whose name an applicable row accepts,
// or the reference section when none does. `names` may hold nulls.
int MatchLanguage(uint16_t langId, const char16_t* const* names, int count);

void DetectLanguage();         // from the user's default language id
void RestoreLanguageChoice();  // "Program" / "m_lang_id" wins over detection
void SelectLanguage(int index);
