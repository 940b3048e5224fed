// Finding, expanding and splitting the language archive; the tables live in string_table.cpp.
#include "i18n/language_archive_core.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "common/text.h"
#include "i18n/lzari_decoder.h"
#include "i18n/string_table.h"

namespace LanguageArchive {

namespace {

// Read through a volatile so the compiler cannot fold the markers back into literals.
volatile unsigned char markerShift = 1;

// Letters of both markers, each stored one code above its real value.
constexpr char kShiftedLetters[] = "TETHEHTEISFFUFUCDONKVLS";  // "SDSGDGSDHREETETBCNMJUKR"
constexpr size_t kLetterCount = sizeof(kShiftedLetters) - 1;

size_t PutRun(unsigned char* out, size_t at, unsigned char c, size_t count) {
  for (size_t i = 0; i < count; ++i) out[at++] = c;
  return at;
}

size_t PutLetters(unsigned char* out, size_t at) {
  for (size_t i = 0; i < kLetterCount; ++i) out[at++] = static_cast<unsigned char>(kShiftedLetters[i] - markerShift);
  return at;
}

// The one decoded text every table points into; lives until the next load or process end.
std::unique_ptr<char16_t[]>& TextBuffer() {
  static std::unique_ptr<char16_t[]> buffer;
  return buffer;
}

char16_t* sectionBodies[kMaxLanguages] = {};
char16_t* commonBlock = nullptr;  // writable view of blockStarts[0] for its parse

bool IsNonEmpty(const char16_t* s) { return s != nullptr && s[0] != 0; }

// Cuts the text into blocks at every "##": common block, two free texts, then sections.
void SplitBlocks(char16_t* text) {
  const size_t n = text::Length(text);
  int delimiters = 0;
  size_t j = 0;
  while (j < n) {
    if (text[j] != u'#' || text[j + 1] != u'#') {
      ++j;
      continue;
    }
    text[j] = 0;
    size_t resume = j + 2;
    // The two units after "##" are its line end; a text ending right there gets an empty block.
    char16_t* afterLine = text + std::min(j + 4, n);
    if (delimiters < 3) {
      blockStarts[delimiters] = afterLine;
      if (delimiters == 0) commonBlock = afterLine;
    } else if (languageCount < kMaxLanguages) {
      if (text[j + 2] == u'=') {
        const size_t nameStart = j + 3;
        size_t cr = nameStart;
        while (cr < n && text[cr] != u'\r') ++cr;
        languageNames[languageCount] = text + nameStart;
        if (cr < n) {
          text[cr] = 0;
          sectionBodies[languageCount] = text + cr + 1;  // begins with the header's LF
          resume = cr + 1;
        } else {
          // A header cut off before its line end: the name runs to the end, the body is empty.
          sectionBodies[languageCount] = text + n;
          resume = n;
        }
      } else {
        sectionBodies[languageCount] = afterLine;
      }
      ++languageCount;
    }
    ++delimiters;
    j = resume;
  }
}

// Keeps the reference body with its line ends for the export, cut to the template's size.
void CopyReferenceTemplate() {
  size_t units = 0;
  if (languageCount > kReferenceSection) {
    const char16_t* body = sectionBodies[kReferenceSection];
    units = std::min<size_t>(text::Length(body), kReferenceTemplateUnits);
    // Never keep half of a surrogate pair at the cut.
    if (units == kReferenceTemplateUnits && body[units - 1] >= 0xD800 && body[units - 1] <= 0xDBFF) --units;
    std::copy(body, body + units, referenceTemplate);
  }
  referenceTemplate[units] = 0;
}

void ComputePercentages() {
  const char16_t* const* reference = sectionTables[kReferenceSection];
  int total = 0;
  for (int id = 0; id < kTextIds; ++id) total += IsNonEmpty(reference[id]);
  for (int k = 0; k < languageCount; ++k) {
    int have = 0;
    for (int id = 0; id < kTextIds; ++id) have += IsNonEmpty(reference[id]) && IsNonEmpty(sectionTables[k][id]);
    // Without reference texts there is nothing to be complete against: 0, not a division by 0.
    translatedPercent[k] = total == 0 ? 0 : static_cast<int>(static_cast<double>(have) / total * 100);
  }
}

// Splits and parses a zero-terminated text that the text buffer owns.
void BuildTables(char16_t* text) {
  SplitBlocks(text);
  CopyReferenceTemplate();
  for (int k = 0; k < languageCount; ++k) ParseSection(sectionBodies[k], sectionTables[k]);
  ComputePercentages();
  if (commonBlock != nullptr) ParseCommonBlock(commonBlock, commonTexts);
}

uint32_t ReadLittleEndian32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

const char16_t* blockStarts[3] = {};

void ComposeStartMarker(unsigned char (&marker)[kStartMarkerSize]) {
  size_t at = 0;
  marker[at++] = '\n';
  marker[at++] = '<';
  marker[at++] = '!';
  marker[at++] = '-';
  marker[at++] = ' ';
  at = PutRun(marker, at, '-', 6);
  at = PutLetters(marker, at);
  at = PutRun(marker, at, '-', 10);
  marker[at++] = '\n';
}

void ComposeEndMarker(unsigned char (&marker)[kEndMarkerSize]) {
  size_t at = 0;
  marker[at++] = '\n';
  at = PutRun(marker, at, '-', 7);
  at = PutLetters(marker, at);
  at = PutRun(marker, at, '-', 8);
  marker[at++] = ' ';
  at = PutRun(marker, at, '-', 2);
  marker[at++] = '>';
  marker[at++] = '\n';
}

ptrdiff_t FindBytes(const unsigned char* data, size_t length, const unsigned char* pattern, size_t patternLength) {
  if (patternLength > length) return -1;
  for (size_t p = 0; p + patternLength <= length; ++p) {
    size_t i = 0;
    while (i < patternLength && data[p + i] == pattern[i]) ++i;
    if (i == patternLength) return static_cast<ptrdiff_t>(p);
  }
  return -1;
}

bool FindArchiveBlock(const unsigned char* image, size_t imageSize, ArchiveBlock* block) {
  unsigned char start[kStartMarkerSize];
  unsigned char end[kEndMarkerSize];
  ComposeStartMarker(start);
  ComposeEndMarker(end);
  const ptrdiff_t s = FindBytes(image, imageSize, start, kStartMarkerSize);
  const ptrdiff_t e = FindBytes(image, imageSize, end, kEndMarkerSize);
  if (s < 0 || e < 0) return false;
  const size_t blockStart = static_cast<size_t>(s) + kStartMarkerSize;
  if (static_cast<size_t>(e) < blockStart) return false;
  block->data = image + blockStart;
  block->size = static_cast<size_t>(e) - blockStart;
  return true;
}

void Clear() {
  std::fill(std::begin(blockStarts), std::end(blockStarts), nullptr);
  commonBlock = nullptr;
  std::fill(std::begin(sectionBodies), std::end(sectionBodies), nullptr);
  std::fill(std::begin(languageNames), std::end(languageNames), nullptr);
  std::fill(std::begin(translatedPercent), std::end(translatedPercent), 0);
  for (auto& table : sectionTables) std::fill(std::begin(table), std::end(table), nullptr);
  std::fill(std::begin(commonTexts), std::end(commonTexts), nullptr);
  referenceTemplate[0] = 0;
  languageCount = 0;
  TextBuffer().reset();
}

bool TextBufferBytes(uint32_t length, uint32_t* bytes) {
  if (length > (UINT32_MAX - 10) / 2) return false;
  *bytes = 2 * length + 10;
  return true;
}

bool LoadFromBlock(const unsigned char* block, size_t size, uint32_t maxDecodedBytes) {
  Clear();
  // The stream's header is its first 4 bytes; a shorter block holds no archive.
  if (block == nullptr || size < kLengthHeaderSize) return false;
  const uint32_t length = ReadLittleEndian32(block);
  uint32_t bufferBytes = 0;
  if (length > maxDecodedBytes || length > kMaxDecodedBytes || length > LzariLengthLimit(size) ||
      !TextBufferBytes(length, &bufferBytes))
    return false;
  // 2L + 10 bytes as the decoder's capacity: all L bytes are stored, with room for the ends.
  std::unique_ptr<char16_t[]> buffer(new (std::nothrow) char16_t[bufferBytes / 2]());
  if (!buffer) return false;
  unsigned char* bytes = reinterpret_cast<unsigned char*>(buffer.get());

  LzariDecoder decoder;
  if (!decoder.DecodeFromMemory(block, size, bytes, bufferBytes)) return false;
  // Two zero units right after the text; for an odd L the half unit before them ends in 0.
  std::memset(bytes + length, 0, 4);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  for (size_t i = 0; i < bufferBytes / 2; ++i) buffer[i] = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
#endif
  TextBuffer() = std::move(buffer);
  BuildTables(TextBuffer().get());
  return true;
}

bool LoadFromImage(const unsigned char* image, size_t imageSize, uint32_t maxDecodedBytes) {
  ArchiveBlock block;
  if (!FindArchiveBlock(image, imageSize, &block)) {
    Clear();
    return false;
  }
  return LoadFromBlock(block.data, block.size, maxDecodedBytes);
}

void LoadFromText(std::u16string_view text) {
  Clear();
  const size_t units = std::min(text.size(), text.find(u'\0'));
  std::unique_ptr<char16_t[]> buffer(new char16_t[units + 2]());
  std::copy(text.begin(), text.begin() + units, buffer.get());
  TextBuffer() = std::move(buffer);
  BuildTables(TextBuffer().get());
}

}  // namespace LanguageArchive
