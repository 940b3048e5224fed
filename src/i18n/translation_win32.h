// Commands for translators: export the reference texts, load a translated file.
#pragma once

#include <string>

void ExportTranslationTemplate();  // the menu's CMD_TRANSLATE
void ChooseTranslationFile();      // command 21335

// Reads, parses, activates the file's texts and shows the report box.
void ImportTranslation(const char16_t* path);
// Appends the file's text (UTF-16 after FF FE, else the ANSI code page); false if it cannot be opened.
bool ReadTextFile(const char16_t* path, std::u16string& text);
