// Placeholder until the language choice arrives.
#include "i18n/language_choice.h"
#include "i18n/string_table.h"

void DetectLanguage() {}
void RestoreLanguageChoice() {}
void SelectLanguage(int index) {
  currentLanguage = index;
  importActive = false;
}
