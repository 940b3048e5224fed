#include "i18n/translation.h"

#include <algorithm>

#include "common/text.h"
#include "i18n/string_table.h"
#include "text_ids.h"

namespace {

void AppendIf(std::u16string& out, const char16_t* piece) {
  if (piece) out += piece;
}

// A UTF-16 chunk ends at its first zero unit; an odd last byte is a unit of its own.
void AppendUtf16Chunk(const unsigned char* bytes, size_t count, std::u16string& text) {
  for (size_t i = 0; i < count; i += 2) {
    const unsigned high = i + 1 < count ? bytes[i + 1] : 0u;
    const char16_t unit = static_cast<char16_t>(bytes[i] | (high << 8));
    if (unit == 0) return;
    text.push_back(unit);
  }
}

bool NonEmpty(const char16_t* s) { return s != nullptr && s[0] != 0; }

}  // namespace

std::u16string ExportFileName(const char16_t* productVersion) {
  std::u16string name;
  for (const char16_t* p = productVersion; p && *p; ++p) name.push_back(*p == u' ' ? u'_' : *p);
  return name + u"_translate.txt";
}

std::u16string TranslationTemplate(const char16_t* productVersion, const char16_t* note, const char16_t* referenceName,
                                   const char16_t* referenceBody) {
  std::u16string out = u"\r\nPlease don't forget! Write in e-mail subject: Strings for: ";
  AppendIf(out, productVersion);
  out += u" and Language Name i.e. : German / Deutsch ";
  out += u"\r\n\r\n";
  AppendIf(out, note);
  out += u"\r\n\r\n";
  out += u"##=";
  AppendIf(out, referenceName);
  out += u"\r\n\r\n\r\n";
  AppendIf(out, referenceBody);
  out += u"\r\n\r\n";
  return out;
}

std::string Utf16FileBytes(std::u16string_view content) {
  std::string bytes = "\xFF\xFE";
  bytes.reserve(2 + 2 * content.size());
  for (char16_t unit : content) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

bool StartsWithUtf16Mark(const unsigned char* bytes, size_t count) {
  return count >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
}

void AppendTextChunk(const char* chunk, size_t count, bool utf16, AnsiToUtf16 ansi, std::u16string& text) {
  if (utf16) {
    AppendUtf16Chunk(reinterpret_cast<const unsigned char*>(chunk), count, text);
    return;
  }
  const std::string_view bytes(chunk, count);
  text += ansi(bytes.substr(0, bytes.find('\0')));
}

std::u16string DecodeTextFile(std::string_view bytes, AnsiToUtf16 ansi) {
  const bool utf16 = StartsWithUtf16Mark(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  size_t position = 0;
  std::u16string text;
  AppendTextChunks(
      utf16,
      [&](char* buffer, size_t capacity) {
        const size_t n = std::min(capacity, bytes.size() - position);
        bytes.copy(buffer, n, position);
        position += n;
        return n;
      },
      ansi, text);
  return text;
}

std::u16string ImportReportText(const char16_t* const* reference, const char16_t* const* imported) {
  constexpr int kListedWithText = 9;
  int total = 0;
  int have = 0;
  int missing = 0;
  std::u16string list;
  for (int id = 0; id < kTextIds; ++id) {
    if (!NonEmpty(reference[id])) continue;
    ++total;
    if (NonEmpty(imported[id])) {
      ++have;
      continue;
    }
    ++missing;
    // Appended, not formatted into a fixed buffer: every missing id is listed.
    if (missing <= kListedWithText) {
      list += text::FromInt(id) + u"=" + reference[id] + u"\n";
    } else {
      if (missing == kListedWithText + 1) list += u"........\n";
      list += text::FromInt(id) + u",";
    }
  }
  // Without reference texts there is nothing to measure against: 0.
  const int percent = total == 0 ? 0 : static_cast<int>(static_cast<double>(have) / total * 100.0);
  std::u16string report = text::FromInt(percent) + u" %";
  if (missing > 0) report += u"\n\nmiss:\n" + list;
  return report;
}

std::u16string CurrentTranslationTemplate() {
  const char16_t* referenceName = kReferenceSection < languageCount ? languageNames[kReferenceSection] : nullptr;
  return TranslationTemplate(StringTable::CommonText(kCommonTextCaption),
                             StringTable::CommonText(kCommonTextTranslatorNote), referenceName, referenceTemplate);
}

std::u16string ActivateImportedText(std::u16string& importedText) {
  ParseSection(importedText.data(), importedTexts);
  importActive = true;
  return ImportReportText(sectionTables[kReferenceSection], importedTexts);
}
