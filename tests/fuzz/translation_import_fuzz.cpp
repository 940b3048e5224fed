// Arbitrary bytes as an imported translation file: decoded, parsed in place and reported.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/text.h"
#include "i18n/string_table.h"
#include "i18n/translation.h"

namespace {

std::u16string Latin1(std::string_view ansi) { return text::Widen(ansi); }

// Reference texts at a spread of ids, so the report has texts, dots and plain ids to write.
const char16_t* const* ReferenceTexts() {
  static const char16_t* table[kTextIds] = {};
  for (int id = 0; id < kTextIds; id += 3) table[id] = u"reference";
  return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string text = DecodeTextFile(std::string_view(reinterpret_cast<const char*>(data), size), Latin1);
  const char16_t* table[kTextIds];
  ParseSection(text.data(), table);

  // Every entry must lie inside the parsed text and end there.
  const char16_t* begin = text.data();
  const char16_t* end = begin + text.size();
  for (const char16_t* entry : table) {
    if (entry == nullptr) continue;
    if (entry < begin || entry > end) std::abort();
    if (entry + text::Length(entry) > end) std::abort();
  }

  const std::u16string report = ImportReportText(ReferenceTexts(), table);
  if (report.empty() || report[0] < u'0' || report[0] > u'9') std::abort();
  return 0;
}
