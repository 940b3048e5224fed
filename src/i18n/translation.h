// Translation files: the template a translator fills in, and reading a filled one back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// "<caption text (kCommonTextCaption) with blanks as _>_translate.txt", the export's name in
// the temporary folder.
std::u16string ExportFileName(const char16_t* productVersion);

// The template's text (without byte-order mark): a request to the translator, the
// optional note (kCommonTextTranslatorNote), the reference section's header and its body.
// A null piece adds nothing.
std::u16string TranslationTemplate(const char16_t* productVersion, const char16_t* note, const char16_t* referenceName,
                                   const char16_t* referenceBody);
// The same from the loaded archive.
std::u16string CurrentTranslationTemplate();

// The bytes written to disk: FF FE, then the units little-endian, no terminating zero.
std::string Utf16FileBytes(std::u16string_view content);

// Import files are read in chunks of this many bytes; each chunk is decoded by itself.
constexpr size_t kTextFileChunk = 1024;
// Only this much of an import file is read: room for a million UTF-16 units, some hundred
// times a whole translation, so a wrong file chosen cannot exhaust a 32-bit process.
constexpr size_t kMaxTextFileBytes = 2000000;

// Converts text in the system's ANSI code page.
using AnsiToUtf16 = std::u16string (*)(std::string_view ansi);

// True when a file's first two bytes are the UTF-16 little-endian mark FF FE.
bool StartsWithUtf16Mark(const unsigned char* bytes, size_t count);

// Appends one chunk of a file: as UTF-16 or as ANSI text.
// A zero unit (UTF-16) or zero byte (ANSI) ends the chunk's text.
void AppendTextChunk(const char* chunk, size_t count, bool utf16, AnsiToUtf16 ansi, std::u16string& text);

// Appends every chunk `read(buffer, capacity)` delivers until it returns 0 or the file's
// first kMaxTextFileBytes are read; a zero in one chunk drops only the rest of that chunk.
// A UTF-16 file's byte-order mark is not text: it would stick to the first line's id.
template <typename ReadChunk>
void AppendTextChunks(bool utf16, ReadChunk read, AnsiToUtf16 ansi, std::u16string& text) {
  char chunk[kTextFileChunk];
  for (size_t total = 0; total < kMaxTextFileBytes;) {
    const size_t wanted = kMaxTextFileBytes - total < kTextFileChunk ? kMaxTextFileBytes - total : kTextFileChunk;
    size_t n = read(chunk, wanted);
    if (n == 0) return;
    n = n < wanted ? n : wanted;
    const size_t mark = total == 0 && utf16 && n >= 2 ? 2 : 0;
    AppendTextChunk(chunk + mark, n - mark, utf16, ansi, text);
    total += n;
  }
}

// What reading a file with these bytes appends, for callers that hold the bytes.
std::u16string DecodeTextFile(std::string_view bytes, AnsiToUtf16 ansi);

// The report box text: "<percent> %", then, when texts are missing, "\n\nmiss:\n", the
// first nine missing ids as "id=reference text\n", a line of dots and every further id
// as "id,". `reference` and `imported` hold 256 entries each.
std::u16string ImportReportText(const char16_t* const* reference, const char16_t* const* imported);

// Parses `importedText` in place into the imported table, makes every text come from
// it and returns the report. The text must stay unchanged while the import is active.
std::u16string ActivateImportedText(std::u16string& importedText);
