// Placeholder until the language archive arrives.
#include "i18n/language_archive.h"

namespace LanguageArchive {
bool Load() { return true; }
}  // namespace LanguageArchive
