// Placeholder until the language archive arrives: a small English table.
#include "i18n/string_table.h"

int currentLanguage = 1;
int sectionCount = 0;
const char16_t* sectionNames[kMaxSections] = {};
int translatedPercent[kMaxSections] = {};
bool importActive = false;
const char16_t* importedTexts[kTextIds] = {};

namespace StringTable {

const char16_t* Text(int id) {
  switch (id) {
    case 40: return u"Start with Windows";
    case 41: return u"Restore at program start";
    case 42: return u"Brightness";
    case 43: return u"&Reset";
    case 44: return u"&Exit";
    case 50: return u"&Program";
    case 51: return u"&Donate";
    case 52: return u"&Homepage";
    case 53: return u"&Uninstall";
    case 60: return u"System";
    case 61: return u"&Screensaver";
    case 62: return u"&Power options";
    case 63: return u"&Mobility Center";
    case 64: return u"MS settings - battery";
    default: return nullptr;
  }
}

const char16_t* CommonText(int id) { return id == 19 ? u"Glowmere 1.77" : nullptr; }

}  // namespace StringTable
