// Checks the readable source of the language archive before the build packs it.
// The loader splits on every "##" and keys texts by the digits before "=", so a
// slip here silently shifts languages, loses texts or lowers the coverage that
// the language menu shows. This file has its own small line reader on purpose:
// it judges the source, not the program's parser.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "build_config.h"

namespace {

const char kArchivePath[] = GLOWMERE_SOURCE_DIR "/src/res/lang/archive.txt";

// Every named language section carries exactly these ids (besides text 0).
std::vector<int> RequiredIds() {
  const std::pair<int, int> ranges[] = {{40, 44},   {50, 53},   {60, 64},   {70, 77},
                                        {90, 92},   {97, 101},  {146, 150}, {161, 170},
                                        {200, 201}, {240, 246}};
  std::vector<int> ids;
  for (const auto& range : ranges)
    for (int id = range.first; id <= range.second; ++id) ids.push_back(id);
  return ids;
}

const char* const kSectionNames[] = {
    u8"German\tDeutsch",
    u8"Englisch\tEnglish",
    u8"Korean\t한국어\t",
    u8"French\tFrançais",
    u8"Chinese-Traditional\t正體中文",
    u8"Italian\tItaliano",
    u8"Japanese\t日本",
    u8"Arabic\tعربي",
    u8"Spanish\tEspañol",
    u8"Portuguese-BR\tPortuguês",
    u8"Simplified-Chinese\t简体中文",
    u8"Dutch\tNederlands",
    u8"Russian\tРусский",
    u8"Portuguese\tPortugal",
    u8"Spanish\tEspañol",
};
constexpr int kNamedSections = 15;
constexpr int kFirstLanguageBlock = 3;  // common block and two free texts come first
constexpr int kReferenceSection = 1;

struct Entry {
  std::string key;  // digits, "TranslatorName" or "TranslatorURL"
  std::string text;
};

struct Block {
  std::string header;              // the whole "##..." line
  std::vector<std::string> lines;  // the lines after it, up to the next header
  std::vector<Entry> entries;      // the lines holding "="
};

struct ArchiveSource {
  bool readable = false;
  std::string bytes;
  std::vector<std::string> linesBeforeFirstHeader;
  std::vector<Block> blocks;
};

ArchiveSource ReadArchiveSource() {
  ArchiveSource source;
  std::ifstream file(kArchivePath, std::ios::binary);
  if (!file) return source;
  source.readable = true;
  source.bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());

  std::string body = source.bytes;
  if (!body.empty() && body.back() == '\n') body.pop_back();
  std::size_t start = 0;
  while (start <= body.size()) {
    std::size_t end = body.find('\n', start);
    if (end == std::string::npos) end = body.size();
    std::string line = body.substr(start, end - start);
    if (line.compare(0, 2, "##") == 0) {
      source.blocks.push_back(Block{line, {}, {}});
    } else if (source.blocks.empty()) {
      source.linesBeforeFirstHeader.push_back(line);
    } else {
      Block& block = source.blocks.back();
      block.lines.push_back(line);
      std::size_t equals = line.find('=');
      if (equals != std::string::npos)
        block.entries.push_back(Entry{line.substr(0, equals), line.substr(equals + 1)});
    }
    start = end + 1;
  }
  return source;
}

const ArchiveSource& Source() {
  static const ArchiveSource source = ReadArchiveSource();
  return source;
}

// Decodes the UTF-8 sequence at pos; returns its length, 0 when it is malformed
// (bad lead or continuation byte, overlong form, surrogate, beyond U+10FFFF).
std::size_t DecodeUtf8(const std::string& s, std::size_t pos, char32_t& cp) {
  const unsigned char lead = static_cast<unsigned char>(s[pos]);
  std::size_t length;
  char32_t minimum;
  if (lead < 0x80) { cp = lead; return 1; }
  if (lead >= 0xC2 && lead <= 0xDF) { length = 2; cp = lead & 0x1F; minimum = 0x80; }
  else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; cp = lead & 0x0F; minimum = 0x800; }
  else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; cp = lead & 0x07; minimum = 0x10000; }
  else return 0;
  if (pos + length > s.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>(s[pos + i]);
    if ((next & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

std::size_t Utf16Units(const std::string& s) {
  std::size_t units = 0;
  for (std::size_t pos = 0; pos < s.size();) {
    char32_t cp = 0;
    std::size_t length = DecodeUtf8(s, pos, cp);
    if (length == 0) length = 1;
    units += cp >= 0x10000 ? 2 : 1;
    pos += length;
  }
  return units;
}

bool IsId(const std::string& key) {
  return !key.empty() && key.size() <= 3 &&
         std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// printf-style conversions, "%%" included, sorted so that word order may change.
std::vector<std::string> Placeholders(const std::string& text) {
  std::vector<std::string> found;
  for (std::size_t pos = text.find('%'); pos != std::string::npos; pos = text.find('%', pos)) {
    std::size_t end = pos + 1;
    if (end < text.size() && text[end] == '%') {
      found.push_back("%%");
      pos = end + 1;
      continue;
    }
    while (end < text.size() && std::string("-+ #0123456789.hlL").find(text[end]) != std::string::npos)
      ++end;
    if (end < text.size() && std::string("cdiouxXsSp").find(text[end]) != std::string::npos)
      found.push_back(text.substr(pos, end + 1 - pos));
    else
      found.push_back("% (stray)");
    pos = end;
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::string Join(const std::vector<std::string>& items) {
  std::string joined;
  for (const auto& item : items) joined += (joined.empty() ? "" : " ") + item;
  return "{" + joined + "}";
}

// The letters that "&" underlines ("&&" is a literal ampersand), folded to lower
// case for the scripts whose keys have case; 0 stands for an "&" at the end.
std::vector<char32_t> Accelerators(const std::string& text) {
  std::vector<char32_t> letters;
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    if (text[pos] != '&') continue;
    if (pos + 1 < text.size() && text[pos + 1] == '&') { ++pos; continue; }
    char32_t cp = 0;
    if (pos + 1 >= text.size() || DecodeUtf8(text, pos + 1, cp) == 0) cp = 0;
    if (cp >= 'A' && cp <= 'Z') cp += 0x20;
    else if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) cp += 0x20;
    else if (cp >= 0x410 && cp <= 0x42F) cp += 0x20;
    else if (cp >= 0x400 && cp <= 0x40F) cp += 0x50;
    letters.push_back(cp);
  }
  return letters;
}

std::string SectionLabel(int index) {
  std::string name = kSectionNames[index];
  return "section " + std::to_string(index) + " (" + name.substr(0, name.find('\t')) + ")";
}

// Texts by key; a key met twice keeps every text so that doubles can be reported.
std::map<std::string, std::vector<std::string>> TextsByKey(const Block& block) {
  std::map<std::string, std::vector<std::string>> texts;
  for (const auto& entry : block.entries) texts[entry.key].push_back(entry.text);
  return texts;
}

class ArchiveSourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Source().readable) << "cannot read " << kArchivePath;
    ASSERT_EQ(Source().blocks.size(), std::size_t{kFirstLanguageBlock + kNamedSections + 1})
        << "expected 3 + 15 + 1 \"##\" header lines";
  }
  static const Block& Section(int index) { return Source().blocks[kFirstLanguageBlock + index]; }
  static std::string Text(int section, const std::string& key) {
    auto texts = TextsByKey(Section(section));
    auto found = texts.find(key);
    return found == texts.end() ? std::string() : found->second.front();
  }
};

TEST(ArchiveSourceEncoding, IsUtf8WithoutBomWithLfLineEnds) {
  ASSERT_TRUE(Source().readable) << "cannot read " << kArchivePath;
  const std::string& bytes = Source().bytes;
  EXPECT_NE(bytes.compare(0, 3, "\xEF\xBB\xBF"), 0) << "expected no byte-order mark, found one";
  EXPECT_EQ(bytes.find('\r'), std::string::npos)
      << "expected LF line ends only, found a CR at byte " << bytes.find('\r');
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes.back(), '\n') << "expected the final \"##\" line to end with LF";
  for (std::size_t pos = 0; pos < bytes.size();) {
    char32_t cp = 0;
    std::size_t length = DecodeUtf8(bytes, pos, cp);
    ASSERT_NE(length, 0u) << "expected valid UTF-8, found a malformed sequence at byte " << pos;
    pos += length;
  }
}

TEST_F(ArchiveSourceTest, HeadersComeInTheExpectedOrder) {
  EXPECT_TRUE(Source().linesBeforeFirstHeader.empty())
      << "expected the text to start with \"##\", found " << Source().linesBeforeFirstHeader.size()
      << " line(s) before it";
  for (int i = 0; i < kFirstLanguageBlock; ++i)
    EXPECT_EQ(Source().blocks[i].header, "##") << "header of block " << i;
  for (int i = 0; i < kNamedSections; ++i)
    EXPECT_EQ(Section(i).header, std::string("##=") + kSectionNames[i]) << SectionLabel(i);
  const Block& last = Source().blocks.back();
  EXPECT_EQ(last.header, "##") << "expected a final nameless \"##\" line";
  EXPECT_TRUE(last.lines.empty()) << "expected nothing after the final \"##\", found "
                                  << last.lines.size() << " line(s)";

  // The loader splits on every "##", wherever it stands: only the headers may hold one.
  int delimiters = 0;
  const std::string& bytes = Source().bytes;
  for (std::size_t pos = 0; pos + 1 < bytes.size();) {
    if (bytes[pos] == '#' && bytes[pos + 1] == '#') { ++delimiters; pos += 2; }
    else ++pos;
  }
  EXPECT_EQ(delimiters, static_cast<int>(Source().blocks.size()))
      << "expected \"##\" only at the start of the header lines";
}

TEST_F(ArchiveSourceTest, CommonBlockDefinesOnlyTheVersionedProductName) {
  const Block& common = Source().blocks[0];
  ASSERT_EQ(common.entries.size(), 1u) << "expected one common text, found " << common.entries.size();
  EXPECT_EQ(common.entries[0].key, "19");
  // The window caption shows this text, so it follows the project version.
  EXPECT_EQ(common.entries[0].text, "Glowmere " GLOWMERE_VERSION_TEXT);
}

TEST_F(ArchiveSourceTest, FreeTextBlocksDefineNothing) {
  for (int block = 1; block <= 2; ++block) {
    const auto& lines = Source().blocks[block].lines;
    EXPECT_GE(lines.size(), 3u) << "free text block " << block << " expected a few lines";
    for (const auto& line : lines)
      EXPECT_EQ(line.find('='), std::string::npos)
          << "free text block " << block << ": expected no \"=\", found in: " << line;
  }
}

TEST_F(ArchiveSourceTest, EveryNamedSectionDefinesEveryIdOnce) {
  const std::vector<int> required = RequiredIds();
  ASSERT_EQ(required.size(), 54u);
  for (int s = 0; s < kNamedSections; ++s) {
    const Block& section = Section(s);
    const auto texts = TextsByKey(section);
    for (const char* key : {"TranslatorName", "TranslatorURL"}) {
      auto found = texts.find(key);
      ASSERT_NE(found, texts.end()) << SectionLabel(s) << ": expected a " << key << " line, found none";
      EXPECT_EQ(found->second.size(), 1u) << SectionLabel(s) << ": " << key << " defined more than once";
      EXPECT_FALSE(found->second.front().empty()) << SectionLabel(s) << ": " << key << " is empty";
    }
    for (int id : required) {
      auto found = texts.find(std::to_string(id));
      if (found == texts.end()) {
        ADD_FAILURE() << SectionLabel(s) << ", id " << id << ": expected a text, found none";
        continue;
      }
      EXPECT_EQ(found->second.size(), 1u)
          << SectionLabel(s) << ", id " << id << ": expected once, found " << found->second.size() << " times";
      const std::string& text = found->second.front();
      EXPECT_FALSE(text.empty()) << SectionLabel(s) << ", id " << id << ": expected a text, found empty";
      EXPECT_EQ(text.find("##"), std::string::npos) << SectionLabel(s) << ", id " << id << ": holds \"##\"";
      if (!text.empty()) {
        EXPECT_TRUE(text.front() != ' ' && text.back() != ' ')
            << SectionLabel(s) << ", id " << id << ": expected no blank at either end of \"" << text << "\"";
      }
    }
    for (const auto& entry : section.entries) {
      bool known = entry.key == "TranslatorName" || entry.key == "TranslatorURL" ||
                   (IsId(entry.key) &&
                    std::count(required.begin(), required.end(), std::stoi(entry.key)) == 1);
      EXPECT_TRUE(known) << SectionLabel(s) << ": unexpected key \"" << entry.key << "\"";
    }
    for (const auto& line : section.lines) {
      bool tagOrBlank = line.empty() || (line.front() == '[' && line.back() == ']');
      EXPECT_TRUE(line.find('=') != std::string::npos || tagOrBlank)
          << SectionLabel(s) << ": expected id=text, a [tag] or a blank line, found: " << line;
    }
  }
}

TEST_F(ArchiveSourceTest, IdsStandInTheSameOrderInEverySection) {
  auto keyOrder = [](const Block& block) {
    std::vector<std::string> keys;
    for (const auto& entry : block.entries) keys.push_back(entry.key);
    return Join(keys);
  };
  const std::string reference = keyOrder(Section(kReferenceSection));
  for (int s = 0; s < kNamedSections; ++s)
    EXPECT_EQ(keyOrder(Section(s)), reference) << SectionLabel(s);
}

TEST_F(ArchiveSourceTest, GermanAndEnglishDialogAndMenuTextsAreExact) {
  struct Row { const char* id; const char* english; const char* german; };
  const Row rows[] = {
      {"40", "Start with Windows", "Mit Windows Starten"},
      {"41", "Restore at program start", "Bei Programmstart Wiederherstellen"},
      {"42", "Brightness", "Hellligkeit"},
      {"43", "&Reset", "&Reset"},
      {"44", "&Exit", "&Beenden"},
      {"50", "&Program", "&Programm"},
      {"51", "&Donate", "&Spenden"},
      {"52", "&Homepage", "&Homepage"},
      {"53", "&Uninstall", "&Deinstallieren"},
      {"60", "System", "System"},
      {"61", "&Screensaver", "&Bildschirmschoner"},
      {"62", "&Power options", "&Energieoptionen"},
      {"63", "&Mobility Center", u8"&Mobilitätszentrum"},
      {"64", "MS settings - battery", "MS-Einstellungen und Akku"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Text(1, row.id), row.english) << SectionLabel(1) << ", id " << row.id;
    EXPECT_EQ(Text(0, row.id), row.german) << SectionLabel(0) << ", id " << row.id;
  }
}

TEST_F(ArchiveSourceTest, PlaceholdersMatchTheEnglishText) {
  for (int id : RequiredIds()) {
    const std::string key = std::to_string(id);
    const auto expected = Placeholders(Text(kReferenceSection, key));
    for (int s = 0; s < kNamedSections; ++s)
      EXPECT_EQ(Join(Placeholders(Text(s, key))), Join(expected))
          << SectionLabel(s) << ", id " << id << ": \"" << Text(s, key) << "\"";
  }
}

TEST_F(ArchiveSourceTest, AcceleratorsStandWhereTheEnglishTextHasOne) {
  for (int id : RequiredIds()) {
    const std::string key = std::to_string(id);
    const std::size_t expected = Accelerators(Text(kReferenceSection, key)).size();
    for (int s = 0; s < kNamedSections; ++s) {
      const auto letters = Accelerators(Text(s, key));
      EXPECT_EQ(letters.size(), expected)
          << SectionLabel(s) << ", id " << id << ": expected " << expected << " \"&\", found "
          << letters.size() << " in \"" << Text(s, key) << "\"";
      for (char32_t letter : letters)
        EXPECT_TRUE(letter != 0 && letter != ' ')
            << SectionLabel(s) << ", id " << id << ": \"&\" marks no letter in \"" << Text(s, key) << "\"";
    }
  }
}

TEST_F(ArchiveSourceTest, AcceleratorsAreDistinctWithinEachMenu) {
  struct Group { const char* name; std::vector<int> ids; bool withLanguageMenu; };
  const Group groups[] = {
      {"program menu", {52, 51, 53, 44}, false},
      {"System menu", {61, 62, 63, 64}, false},
      {"dialog buttons", {43, 44}, false},
      {"menu bar", {50, 60}, true},  // beside the fixed "&LNG"
  };
  for (int s = 0; s < kNamedSections; ++s) {
    for (const Group& group : groups) {
      std::map<char32_t, int> owner;
      if (group.withLanguageMenu) owner['l'] = -1;
      for (int id : group.ids) {
        for (char32_t letter : Accelerators(Text(s, std::to_string(id)))) {
          auto inserted = owner.emplace(letter, id);
          EXPECT_TRUE(inserted.second)
              << SectionLabel(s) << ", id " << id << ": " << group.name << " letter U+" << std::hex
              << static_cast<unsigned long>(letter) << std::dec << " already used by "
              << (inserted.first->second < 0 ? std::string("&LNG") : "id " + std::to_string(inserted.first->second));
        }
      }
    }
  }
}

TEST_F(ArchiveSourceTest, PortableRuleTextNamesTheMarkerAndTheFiles) {
  for (int s = 0; s < kNamedSections; ++s) {
    const std::string text = Text(s, "100");
    for (const char* needed : {"_p", "Glowmere_p.exe", "Glowmere.ini"})
      EXPECT_NE(text.find(needed), std::string::npos)
          << SectionLabel(s) << ", id 100: expected \"" << needed << "\" in \"" << text << "\"";
  }
}

TEST_F(ArchiveSourceTest, TranslatorUrlsStayOnTheExampleDomain) {
  for (int s = 0; s < kNamedSections; ++s) {
    const std::string url = Text(s, "TranslatorURL");
    const std::string scheme = "https://";
    ASSERT_EQ(url.compare(0, scheme.size(), scheme), 0) << SectionLabel(s) << ": TranslatorURL " << url;
    const std::string host = url.substr(scheme.size(), url.find('/', scheme.size()) - scheme.size());
    const std::string domain = ".example";
    EXPECT_TRUE(host.size() > domain.size() &&
                host.compare(host.size() - domain.size(), domain.size(), domain) == 0)
        << SectionLabel(s) << ": expected a host under .example, found " << host;
    EXPECT_EQ(url.back(), '/') << SectionLabel(s) << ": TranslatorURL " << url;
  }
}

// The translation export copies the reference body into a buffer of 7047 UTF-16
// units: the header's LF, then every line with CR LF as the archive stores it.
TEST_F(ArchiveSourceTest, ReferenceSectionFitsTheExportTemplate) {
  std::size_t units = 1;
  for (const auto& line : Section(kReferenceSection).lines) units += Utf16Units(line) + 2;
  EXPECT_LE(units, 7047u) << "reference section body in UTF-16 units";
}

}  // namespace
