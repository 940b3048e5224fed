// Builds the language archive that Glowmere.exe carries, and checks a linked executable.
//
//   make_archive build <archive.txt> <out.bin>
//     UTF-8 source (LF or CR LF line ends) -> UTF-16LE with a byte-order mark and CR LF
//     line ends -> 4-byte little-endian length + LZARI stream -> framed by the two marker
//     lines. Between the stream and the end marker stands a filler of spaces: at least
//     1024 of them, and as many more as make the block (length, stream, filler) a multiple
//     of 4096 bytes, so that a somewhat larger translation fits into the same space.
//     The result is decoded again before it is written; a mismatch fails the build.
//
//   make_archive check-exe <Glowmere.exe>
//     Fails unless each marker line occurs exactly once, the start marker first: the
//     loader takes the first occurrences, so a stray copy would hide the archive.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "common/text.h"
#include "i18n/lzari_decoder.h"
#include "lzari_encoder.h"

namespace {

using Bytes = std::vector<unsigned char>;

const std::string kStartMarker = "\n<!- ------SDSGDGSDHREETETBCNMJUKR----------\n";
const std::string kEndMarker = "\n-------SDSGDGSDHREETETBCNMJUKR-------- -->\n";
constexpr size_t kBlockAlignment = 4096;
constexpr size_t kMinimumFiller = 1024;

bool ReadFile(const std::string& path, std::string* bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  bytes->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

// The archive text: BOM, then the source with every line end as CR LF, as UTF-16LE bytes.
bool SourceToArchiveText(std::string source, Bytes* out, std::string* error) {
  if (source.compare(0, 3, "\xEF\xBB\xBF") == 0) source.erase(0, 3);
  const std::u16string wide = text::FromUtf8(source);
  if (text::ToUtf8(wide) != source) {
    *error = "the source is not valid UTF-8";
    return false;
  }
  if (wide.find(u'\0') != std::u16string::npos) {
    *error = "the source holds a NUL character, which would end the text early";
    return false;
  }
  std::u16string crlf = u"\uFEFF";
  for (size_t i = 0; i < wide.size(); ++i) {
    if (wide[i] == u'\r' && i + 1 < wide.size() && wide[i + 1] == u'\n') continue;
    if (wide[i] == u'\n') crlf += u'\r';
    crlf += wide[i];
  }
  out->clear();
  for (char16_t unit : crlf) {
    out->push_back(static_cast<unsigned char>(unit & 0xFF));
    out->push_back(static_cast<unsigned char>(unit >> 8));
  }
  return true;
}

// Decodes a block as the loader does and compares it with the text it came from.
bool DecodesTo(const Bytes& block, const Bytes& expected) {
  Bytes decoded(2 * expected.size() + 10);
  LzariDecoder decoder;
  if (!decoder.DecodeFromMemory(block.data(), block.size(), decoded.data(), decoded.size())) return false;
  decoded.resize(expected.size());
  return decoder.DeclaredLength() == expected.size() && decoded == expected;
}

int Build(const std::string& sourcePath, const std::string& outPath) {
  std::string source;
  if (!ReadFile(sourcePath, &source)) {
    std::cerr << "make_archive: cannot read " << sourcePath << "\n";
    return 1;
  }
  Bytes archiveText;
  std::string error;
  if (!SourceToArchiveText(source, &archiveText, &error)) {
    std::cerr << "make_archive: " << sourcePath << ": " << error << "\n";
    return 1;
  }
  Bytes block = LzariEncode(archiveText.data(), archiveText.size());  // 4-byte length, then the stream
  const size_t stream = block.size() - 4;
  size_t filler = kMinimumFiller;
  filler += (kBlockAlignment - (block.size() + filler) % kBlockAlignment) % kBlockAlignment;
  block.insert(block.end(), filler, ' ');
  if (!DecodesTo(block, archiveText)) {
    std::cerr << "make_archive: the compressed archive does not decode to its text\n";
    return 1;
  }
  Bytes framed(kStartMarker.begin(), kStartMarker.end());
  framed.insert(framed.end(), block.begin(), block.end());
  framed.insert(framed.end(), kEndMarker.begin(), kEndMarker.end());
  if (!WriteFile(outPath, framed)) {
    std::cerr << "make_archive: cannot write " << outPath << "\n";
    return 1;
  }
  std::cout << "language archive: " << archiveText.size() << " bytes of text, " << stream
            << " bytes compressed, " << filler << " bytes of filler, block " << block.size()
            << " bytes\n";
  return 0;
}

std::vector<size_t> Occurrences(const std::string& data, const std::string& pattern) {
  std::vector<size_t> found;
  for (size_t at = data.find(pattern); at != std::string::npos; at = data.find(pattern, at + 1))
    found.push_back(at);
  return found;
}

int CheckExe(const std::string& exePath) {
  std::string image;
  if (!ReadFile(exePath, &image)) {
    std::cerr << "make_archive: cannot read " << exePath << "\n";
    return 1;
  }
  const std::vector<size_t> starts = Occurrences(image, kStartMarker);
  const std::vector<size_t> ends = Occurrences(image, kEndMarker);
  bool ok = true;
  if (starts.size() != 1) {
    std::cerr << "make_archive: " << exePath << " holds the start marker " << starts.size()
              << " times, expected exactly once\n";
    ok = false;
  }
  if (ends.size() != 1) {
    std::cerr << "make_archive: " << exePath << " holds the end marker " << ends.size()
              << " times, expected exactly once\n";
    ok = false;
  }
  if (ok && ends[0] < starts[0] + kStartMarker.size() + 4) {
    std::cerr << "make_archive: " << exePath << ": the end marker at " << ends[0]
              << " does not follow the start marker at " << starts[0] << " with a block between\n";
    ok = false;
  }
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "build" && argc == 4) return Build(argv[2], argv[3]);
  if (command == "check-exe" && argc == 3) return CheckExe(argv[2]);
  std::cerr << "usage: make_archive build <archive.txt> <out.bin>\n"
               "       make_archive check-exe <Glowmere.exe>\n";
  return 2;
}
