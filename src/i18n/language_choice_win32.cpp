// The system's side of the language choice: the user's default language id.
#include <windows.h>

#include "i18n/language_choice.h"
#include "i18n/string_table.h"

void DetectLanguage() {
  currentLanguage = MatchLanguage(GetUserDefaultLangID(), sectionNames, sectionCount);
}
