// Arbitrary bytes through the archive loader: as a file image (markers searched), as a bare
// block (length + stream + filler) or as an already decoded UTF-16 text; then every lookup.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/text.h"
#include "i18n/language_archive_core.h"
#include "i18n/string_table.h"

namespace {

// Keeps each run short; the loader's own cap is far larger.
constexpr uint32_t kFuzzDecodedCap = 8 * 1024;

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

// Reads every text the tables can hand out, to the last unit, so overreads show.
void VisitEverything() {
  Require(languageCount >= 0 && languageCount <= kMaxLanguages);
  for (int k = 0; k < kMaxLanguages; ++k) {
    text::Length(languageNames[k]);
    Require(translatedPercent[k] >= 0 && translatedPercent[k] <= 100);
  }
  Require(text::Length(referenceTemplate) <= static_cast<size_t>(kReferenceTemplateUnits));
  // Every section, plus the out-of-range languages that fall back to the reference.
  for (int language = -1; language <= languageCount; ++language) {
    currentLanguage = language;
    for (int id = -1; id <= kTextIds; ++id) text::Length(StringTable::Text(id));
  }
  currentLanguage = 1;
  for (int id = -1; id <= kCommonIds; ++id) text::Length(StringTable::CommonText(id));
  for (const char16_t* start : LanguageArchive::blockStarts) text::Length(start);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t mode = data[0] % 3;
  const uint8_t* body = data + 1;
  const size_t bodySize = size - 1;
  if (mode == 0) {
    LanguageArchive::LoadFromImage(body, bodySize, kFuzzDecodedCap);
  } else if (mode == 1) {
    LanguageArchive::LoadFromBlock(body, bodySize, kFuzzDecodedCap);
  } else {
    std::u16string text(bodySize / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char16_t>(body[2 * i] | body[2 * i + 1] << 8);
    LanguageArchive::LoadFromText(text);
  }
  VisitEverything();
  LanguageArchive::Clear();
  return 0;
}
