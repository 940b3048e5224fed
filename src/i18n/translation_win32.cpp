// Placeholder until the translation commands arrive.
#include "i18n/translation_win32.h"

void ExportTranslationTemplate() {}
void ChooseTranslationFile() {}
