// The language choice on the real system: the user's default language id and the
// settings file that keeps the user's own choice.
#include <windows.h>

#include "i18n/language_choice.h"
#include "i18n/string_table.h"
#include "settings/settings_file.h"

void DetectLanguage() { currentLanguage = MatchLanguage(GetUserDefaultLangID(), languageNames, languageCount); }

void RestoreLanguageChoice() {
  // No clamping: a stored index without a section shows the reference texts.
  currentLanguage = settingsFile.ReadInt(u"Program", u"m_lang_id", currentLanguage, -1, -1);
}

void SelectLanguage(int index) {
  currentLanguage = index;
  settingsFile.WriteInt(u"Program", u"m_lang_id", index);
  importActive = false;
}
