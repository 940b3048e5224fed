// Finding, expanding and splitting the language archive carried in the executable.
#pragma once

namespace LanguageArchive {
// Reads the own executable, expands the archive and builds the text tables.
// On failure shows the error box, posts a quit request with exit code 0 and returns false.
bool Load();
}  // namespace LanguageArchive
