// Commands for translators: export the reference texts, load a translated file.
#pragma once

void ExportTranslationTemplate();  // command 21334
void ChooseTranslationFile();      // command 21335
