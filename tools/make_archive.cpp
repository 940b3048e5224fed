// Builds the language archive that Glowmere.exe carries, and checks a linked executable.
//
//   make_archive build <archive.txt> <out.bin>
//     UTF-8 source (LF or CR LF line ends) -> UTF-16LE with a byte-order mark and CR LF
//     line ends -> 4-byte little-endian length + LZARI stream -> framed by the two marker
//     lines. Between the stream and the end marker stand 16 spaces of filler: the format
//     has room for more, but every byte of it would be a byte of the executable.
//     The result is decoded again before it is written; a mismatch fails the build.
//
//   make_archive check-exe <Glowmere.exe>
//     Fails unless each marker line occurs exactly once, the start marker first: the
//     loader takes the first occurrences, so a stray copy would hide the archive.
//
//   make_archive header <archive.txt> <text_names.txt> <version> <text_ids.h>
//     Writes the named text ids that code asks for (kTextStartWithWindows = 40, ...) from
//     text_names.txt, after reading archive.txt as the program does. Fails when a name's
//     text is missing, a reference text has no name, or the caption (common text 19) is
//     not "Glowmere <version>". A new text takes one line "<id> <Name>" in text_names.txt.
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/text.h"
#include "i18n/language_archive_core.h"
#include "i18n/lzari_decoder.h"
#include "i18n/string_table.h"
#include "lzari_encoder.h"

namespace {

using Bytes = std::vector<unsigned char>;

const std::string kStartMarker = "\n<!- ------SDSGDGSDHREETETBCNMJUKR----------\n";
const std::string kEndMarker = "\n-------SDSGDGSDHREETETBCNMJUKR-------- -->\n";
constexpr size_t kFiller = 16;

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

// The archive text: BOM, then the source with every line end as CR LF.
bool SourceToWideText(std::string source, std::u16string* out, std::string* error) {
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
  out->assign(1, u'\uFEFF');
  for (size_t i = 0; i < wide.size(); ++i) {
    if (wide[i] == u'\r' && i + 1 < wide.size() && wide[i + 1] == u'\n') continue;
    if (wide[i] == u'\n') *out += u'\r';
    *out += wide[i];
  }
  return true;
}

// The archive text as UTF-16LE bytes.
bool SourceToArchiveText(std::string source, Bytes* out, std::string* error) {
  std::u16string crlf;
  if (!SourceToWideText(std::move(source), &crlf, error)) return false;
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
  const size_t filler = kFiller;
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
  std::cout << "language archive: " << archiveText.size() << " bytes of text, " << stream << " bytes compressed, "
            << filler << " bytes of filler, block " << block.size() << " bytes\n";
  return 0;
}

std::vector<size_t> Occurrences(const std::string& data, const std::string& pattern) {
  std::vector<size_t> found;
  for (size_t at = data.find(pattern); at != std::string::npos; at = data.find(pattern, at + 1)) found.push_back(at);
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

// One line of text_names.txt: "[common] <id> <Name> [optional]".
struct TextName {
  bool common = false;
  int id = 0;
  std::string name;
  bool optional = false;
  int line = 0;
};

bool IsName(const std::string& name) {
  if (name.empty() || !std::isupper(static_cast<unsigned char>(name[0]))) return false;
  for (char c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  return true;
}

bool ReadNames(const std::string& path, std::vector<TextName>* names, std::string* error) {
  std::string bytes;
  if (!ReadFile(path, &bytes)) {
    *error = "cannot read " + path;
    return false;
  }
  std::istringstream lines(bytes);
  std::string line;
  std::set<std::string> seenNames;
  std::set<std::pair<bool, int>> seenIds;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::vector<std::string> w{std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
    if (w.empty() || w[0][0] == '#') continue;
    TextName entry;
    entry.line = number;
    size_t at = 0;
    if (w[at] == "common") {
      entry.common = true;
      ++at;
    }
    const std::string where = path + ":" + std::to_string(number) + ": ";
    const int maxId = entry.common ? kCommonIds - 1 : kTextIds - 1;
    if (w.size() < at + 2 || w.size() > at + 3 || (w.size() == at + 3 && w[at + 2] != "optional") ||
        w[at].find_first_not_of("0123456789") != std::string::npos || w[at].size() > 3 || std::stoi(w[at]) < 1 ||
        std::stoi(w[at]) > maxId || !IsName(w[at + 1])) {
      *error = where + "expected \"[common] <id 1.." + std::to_string(maxId) +
               "> <CapitalisedName> [optional]\", got \"" + line + "\"";
      return false;
    }
    entry.id = std::stoi(w[at]);
    entry.name = w[at + 1];
    entry.optional = w.size() == at + 3;
    if (!seenNames.insert((entry.common ? "common " : "") + entry.name).second ||
        !seenIds.insert({entry.common, entry.id}).second) {
      *error = where + "the id or the name of \"" + line + "\" is already taken";
      return false;
    }
    names->push_back(entry);
  }
  return true;
}

bool HasText(const char16_t* text) { return text != nullptr && text[0] != 0; }

int Header(const std::string& sourcePath, const std::string& namesPath, const std::string& version,
           const std::string& outPath) {
  std::string source;
  std::u16string wide;
  std::string error;
  std::vector<TextName> names;
  if (!ReadFile(sourcePath, &source))
    error = "cannot read " + sourcePath;
  else if (!SourceToWideText(source, &wide, &error))
    error = sourcePath + ": " + error;
  else
    ReadNames(namesPath, &names, &error);
  if (!error.empty()) {
    std::cerr << "make_archive: " << error << "\n";
    return 1;
  }
  LanguageArchive::LoadFromText(wide);
  int failures = 0;
  // The caption shows the version; a release must not show the previous one.
  const std::string caption = commonTexts[19] ? text::ToUtf8(commonTexts[19]) : std::string("(none)");
  if (caption != "Glowmere " + version) {
    std::cerr << "make_archive: " << sourcePath << ": the caption, common text 19, is \"" << caption
              << "\"; the project's version asks for \"Glowmere " << version << "\"\n";
    ++failures;
  }
  bool named[kTextIds] = {};
  for (const TextName& n : names) {
    const char16_t* text = n.common ? commonTexts[n.id] : sectionTables[kReferenceSection][n.id];
    if (!n.common) named[n.id] = true;
    if (!HasText(text) && !n.optional) {
      std::cerr << "make_archive: " << namesPath << ":" << n.line << ": " << n.name << " names "
                << (n.common ? "common text " : "text ") << n.id << ", which " << sourcePath
                << (n.common ? " does not define" : " does not define in its reference section (English)") << "\n";
      ++failures;
    }
  }
  for (int id = 1; id < kTextIds; ++id) {
    if (HasText(sectionTables[kReferenceSection][id]) && !named[id]) {
      std::cerr << "make_archive: " << sourcePath << ": text " << id << " has no name: add a line \"" << id
                << " <Name>\" to " << namesPath << "\n";
      ++failures;
    }
  }
  LanguageArchive::Clear();
  if (failures != 0) return 1;
  std::ostringstream header;
  header << "// Named text ids, generated by make_archive from src/res/lang/text_names.txt after\n"
            "// checking them against archive.txt. To add one, see text_names.txt.\n#pragma once\n\n";
  for (const TextName& n : names)
    header << "constexpr int " << (n.common ? "kCommonText" : "kText") << n.name << " = " << n.id << ";\n";
  const std::string text = header.str();
  if (!WriteFile(outPath, Bytes(text.begin(), text.end()))) {
    std::cerr << "make_archive: cannot write " << outPath << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "build" && argc == 4) return Build(argv[2], argv[3]);
  if (command == "check-exe" && argc == 3) return CheckExe(argv[2]);
  if (command == "header" && argc == 6) return Header(argv[2], argv[3], argv[4], argv[5]);
  std::cerr << "usage: make_archive build <archive.txt> <out.bin>\n"
               "       make_archive check-exe <Glowmere.exe>\n"
               "       make_archive header <archive.txt> <text_names.txt> <version> <text_ids.h>\n";
  return 2;
}
