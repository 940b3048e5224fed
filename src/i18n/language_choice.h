// Which language section is active: detected, restored from the settings, or chosen.
#pragma once

void DetectLanguage();         // from the user's default language id
void RestoreLanguageChoice();  // "Program" / "m_lang_id" wins over detection
void SelectLanguage(int index);
