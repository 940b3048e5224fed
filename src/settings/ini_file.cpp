#include "settings/ini_file.h"

#include <cstring>

#include "common/text.h"

namespace ini {
namespace {

// Windows-1252 at 0x80..0x9F; the five unassigned bytes keep their own code point,
// as the platform's conversion does. Every other byte is Latin-1.
const char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t FromCp1252(unsigned char b) {
  return b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : static_cast<char16_t>(b);
}

// False for a character the ANSI file cannot hold.
bool ToCp1252(char16_t c, char* out) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    *out = static_cast<char>(c);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    if (kCp1252High[i] == c) {
      *out = static_cast<char>(0x80 + i);
      return true;
    }
  }
  return false;
}

// Where the text lies in the bytes. Structure (line feeds, brackets, '=', blanks) is
// ASCII, which in ANSI and UTF-8 is always a byte of its own, so lines are found on
// units of 1 or 2 bytes without decoding; only names and values are decoded.
struct Layout {
  Encoding encoding = Encoding::kAnsi;
  size_t unit = 1;   // bytes per unit
  size_t begin = 0;  // first byte after the byte-order mark
  size_t end = 0;    // end of the last whole unit (a stray odd byte of UTF-16 lies beyond)
};

Layout LayoutOf(std::string_view bytes) {
  Layout l;
  l.encoding = DetectEncoding(bytes);
  l.unit = l.encoding == Encoding::kUtf16Le ? 2 : 1;
  l.begin = l.encoding == Encoding::kUtf8 ? 3 : l.encoding == Encoding::kUtf16Le ? 2 : 0;
  l.end = l.begin + (bytes.size() - l.begin) / l.unit * l.unit;
  return l;
}

char16_t UnitAt(std::string_view bytes, const Layout& l, size_t pos) {
  auto low = static_cast<unsigned char>(bytes[pos]);
  if (l.unit == 1) return low;
  return static_cast<char16_t>(low | static_cast<unsigned char>(bytes[pos + 1]) << 8);
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f'; }

// First unit equal to `c` in [from, to), or `to`.
size_t FindUnit(std::string_view bytes, const Layout& l, size_t from, size_t to, char16_t c) {
  if (l.unit == 1) {
    const void* hit = std::memchr(bytes.data() + from, c, to - from);
    return hit ? static_cast<size_t>(static_cast<const char*>(hit) - bytes.data()) : to;
  }
  for (size_t p = from; p < to; p += 2) {
    if (UnitAt(bytes, l, p) == c) return p;
  }
  return to;
}

std::u16string Decode(std::string_view bytes, const Layout& l, size_t from, size_t to) {
  std::u16string out;
  if (l.encoding == Encoding::kUtf8) return text::FromUtf8(bytes.substr(from, to - from));
  out.reserve((to - from) / l.unit);
  for (size_t p = from; p < to; p += l.unit) {
    char16_t c = UnitAt(bytes, l, p);
    out.push_back(l.unit == 1 ? FromCp1252(static_cast<unsigned char>(c)) : c);
  }
  return out;
}

std::string Encode(std::u16string_view s, Encoding encoding) {
  std::string out;
  if (encoding == Encoding::kUtf8) return text::ToUtf8(s);
  for (char16_t c : s) {
    if (encoding == Encoding::kUtf16Le) {
      out.push_back(static_cast<char>(c & 0xFF));
      out.push_back(static_cast<char>(c >> 8));
    } else {
      char b = '?';  // never reached: PlanWrite refuses what ANSI cannot spell
      ToCp1252(c, &b);
      out.push_back(b);
    }
  }
  return out;
}

bool Representable(std::u16string_view s, Encoding encoding) {
  if (encoding != Encoding::kAnsi) return true;
  char ignored;
  for (char16_t c : s) {
    if (!ToCp1252(c, &ignored)) return false;
  }
  return true;
}

std::u16string_view Trimmed(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

struct Line {
  size_t begin = 0;
  size_t contentEnd = 0;    // before its "\r\n" or "\n"
  size_t next = 0;          // where the next line begins
  bool terminated = false;  // a line feed ends it
};

bool NextLine(std::string_view bytes, const Layout& l, size_t pos, Line* line) {
  if (pos >= l.end) return false;
  size_t feed = FindUnit(bytes, l, pos, l.end, u'\n');
  line->begin = pos;
  line->terminated = feed != l.end;
  line->contentEnd = feed;
  if (line->terminated && feed > pos && UnitAt(bytes, l, feed - l.unit) == u'\r') line->contentEnd -= l.unit;
  line->next = line->terminated ? feed + l.unit : l.end;
  return true;
}

enum class Kind { kOther, kSection, kKey };

// Byte ranges of a section header's name, or of a key line's name and value, trimmed.
struct Parsed {
  Kind kind = Kind::kOther;
  size_t nameBegin = 0, nameEnd = 0;
  size_t valueBegin = 0, valueEnd = 0;
};

void Trim(std::string_view bytes, const Layout& l, size_t* from, size_t* to) {
  while (*from < *to && IsBlank(UnitAt(bytes, l, *from))) *from += l.unit;
  while (*to > *from && IsBlank(UnitAt(bytes, l, *to - l.unit))) *to -= l.unit;
}

Parsed ParseLine(std::string_view bytes, const Layout& l, const Line& line) {
  Parsed p;
  size_t from = line.begin, to = line.contentEnd;
  Trim(bytes, l, &from, &to);
  if (from == to) return p;
  char16_t first = UnitAt(bytes, l, from);
  if (first == u';') return p;
  if (first == u'[') {
    // The name runs to the last ']'; a header without one is no header.
    for (size_t close = to - l.unit; close > from; close -= l.unit) {
      if (UnitAt(bytes, l, close) != u']') continue;
      p.kind = Kind::kSection;
      p.nameBegin = from + l.unit;
      p.nameEnd = close;
      Trim(bytes, l, &p.nameBegin, &p.nameEnd);
      return p;
    }
    return p;
  }
  size_t equals = FindUnit(bytes, l, from, to, u'=');
  if (equals == to) return p;
  p.nameBegin = from;
  p.nameEnd = equals;
  Trim(bytes, l, &p.nameBegin, &p.nameEnd);
  if (p.nameBegin == p.nameEnd) return p;
  p.kind = Kind::kKey;
  p.valueBegin = equals + l.unit;
  p.valueEnd = to;
  Trim(bytes, l, &p.valueBegin, &p.valueEnd);
  return p;
}

// `lowered` is the trimmed, lower-cased name asked for.
bool NameMatches(std::string_view bytes, const Layout& l, size_t from, size_t to, const std::u16string& lowered) {
  // Cheap length test first, so long garbage lines are not decoded.
  size_t units = (to - from) / l.unit;
  if (l.encoding == Encoding::kUtf8 ? units < lowered.size() || units > 3 * lowered.size() : units != lowered.size()) {
    return false;
  }
  return text::Lowered(Decode(bytes, l, from, to)) == lowered;
}

struct Match {
  bool sectionFound = false;
  Line anchor;  // the last key line, or the header, of the first matching section
  bool keyFound = false;
  Line keyLine;
  Parsed key;
};

Match Find(std::string_view bytes, const Layout& l, const std::u16string& section, const std::u16string& key) {
  Match m;
  bool inMatching = false;
  bool inFirst = false;
  Line line;
  for (size_t pos = l.begin; NextLine(bytes, l, pos, &line); pos = line.next) {
    Parsed p = ParseLine(bytes, l, line);
    if (p.kind == Kind::kSection) {
      inMatching = NameMatches(bytes, l, p.nameBegin, p.nameEnd, section);
      inFirst = inMatching && !m.sectionFound;
      if (inFirst) {
        m.sectionFound = true;
        m.anchor = line;
      }
    } else if (p.kind == Kind::kKey && inMatching) {
      if (inFirst) m.anchor = line;
      if (NameMatches(bytes, l, p.nameBegin, p.nameEnd, key)) {
        m.keyFound = true;
        m.keyLine = line;
        m.key = p;
        return m;
      }
    }
  }
  return m;
}

std::u16string LoweredName(std::u16string_view name) { return text::Lowered(Trimmed(name)); }

bool HoldsLineBreakOrNul(std::u16string_view s) {
  return s.find_first_of(std::u16string_view(u"\r\n\0", 3)) != std::u16string_view::npos;
}

// The line end the file already uses (its first one); a file without one gets "\r\n".
std::u16string LineEndOf(std::string_view bytes, const Layout& l) {
  size_t feed = FindUnit(bytes, l, l.begin, l.end, u'\n');
  if (feed != l.end && (feed == l.begin || UnitAt(bytes, l, feed - l.unit) != u'\r')) return u"\n";
  return u"\r\n";
}

// The value as a read returns it: trimmed, unquoted, cut to length.
std::u16string ValueAsRead(std::string_view bytes, const Layout& l, const Parsed& key) {
  std::u16string text = Decode(bytes, l, key.valueBegin, key.valueEnd);
  if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') && text.back() == text.front()) {
    text = text.substr(1, text.size() - 2);
  }
  if (text.size() > kMaxValueLength) text.resize(kMaxValueLength);
  return text;
}

}  // namespace

Encoding DetectEncoding(std::string_view bytes) {
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') return Encoding::kUtf16Le;
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return Encoding::kUtf8;
  return Encoding::kAnsi;
}

bool ReadValue(std::string_view bytes, std::u16string_view section, std::u16string_view key, std::u16string* value) {
  std::u16string wantedSection = LoweredName(section);
  std::u16string wantedKey = LoweredName(key);
  if (wantedSection.empty() || wantedKey.empty()) return false;
  Layout l = LayoutOf(bytes);
  Match m = Find(bytes, l, wantedSection, wantedKey);
  if (!m.keyFound) return false;
  *value = ValueAsRead(bytes, l, m.key);
  return true;
}

bool IsForeignEncoding(std::string_view bytes) { return bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF'; }

bool PlanWrite(std::string_view bytes, std::u16string_view section, std::u16string_view key, std::u16string_view value,
               Edit* edit) {
  section = Trimmed(section);
  key = Trimmed(key);
  Layout l = LayoutOf(bytes);
  // A name that would not read back as itself would make every later write add a new line,
  // and a value that would not would be stored as something else.
  if (IsForeignEncoding(bytes) || section.empty() || key.empty() || HoldsLineBreakOrNul(section) ||
      HoldsLineBreakOrNul(key) || HoldsLineBreakOrNul(value) || key.find(u'=') != std::u16string_view::npos ||
      key.front() == u'[' || key.front() == u';' || !Representable(section, l.encoding) ||
      !Representable(key, l.encoding) || !Representable(value, l.encoding)) {
    return false;
  }
  std::u16string eol = LineEndOf(bytes, l);
  std::u16string keyLine = std::u16string(key) + u"=" + std::u16string(value);
  Match m = Find(bytes, l, text::Lowered(section), text::Lowered(key));

  *edit = Edit();
  std::u16string insert;
  if (m.keyFound) {
    if (ValueAsRead(bytes, l, m.key) == value) return true;
    // Keep the name as the file spells it; replace from there to the line end.
    edit->at = m.key.nameEnd;
    edit->removed = m.keyLine.contentEnd - m.key.nameEnd;
    insert = u"=" + std::u16string(value);
  } else if (m.sectionFound) {
    edit->at = m.anchor.next;
    insert = (m.anchor.terminated ? u"" : eol) + keyLine + eol;
  } else {
    edit->at = l.end;
    bool openLastLine = l.end > l.begin && UnitAt(bytes, l, l.end - l.unit) != u'\n';
    insert = (openLastLine ? eol : u"") + u"[" + std::u16string(section) + u"]" + eol + keyLine + eol;
  }
  edit->insert = Encode(insert, l.encoding);
  return true;
}

bool WriteValue(std::string* bytes, std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  Edit edit;
  if (!PlanWrite(*bytes, section, key, value, &edit)) return false;
  bytes->replace(edit.at, edit.removed, edit.insert);
  return true;
}

bool ReadFileValue(FilePort& store, const std::u16string& path, std::u16string_view section, std::u16string_view key,
                   std::u16string* value) {
  std::string bytes;
  if (store.ReadFileBytes(path, &bytes) != ReadResult::kOk) return false;
  return ReadValue(bytes, section, key, value);
}

WriteResult WriteFileValues(FilePort& store, const std::u16string& path, const std::vector<Assignment>& values) {
  std::string bytes;
  ReadResult read = store.ReadFileBytes(path, &bytes);
  if (read == ReadResult::kBusy) return WriteResult::kBusy;
  if (read == ReadResult::kFailed || IsForeignEncoding(bytes)) return WriteResult::kRefused;
  if (read == ReadResult::kMissing) bytes.clear();
  bool invalid = false;
  std::string changed(bytes);
  std::u16string ignored;
  for (const Assignment& a : values) {
    if (a.onlyIfAbsent && ReadValue(changed, a.section, a.key, &ignored)) continue;
    invalid = !WriteValue(&changed, a.section, a.key, a.value) || invalid;
  }
  WriteResult result = changed == bytes ? WriteResult::kOk : store.ReplaceFileBytes(path, {changed});
  return result == WriteResult::kOk && invalid ? WriteResult::kInvalid : result;
}

bool WriteFileValue(FilePort& store, const std::u16string& path, std::u16string_view section, std::u16string_view key,
                    std::u16string_view value) {
  return WriteFileValues(store, path, {{std::u16string(section), std::u16string(key), std::u16string(value)}}) ==
         WriteResult::kOk;
}

}  // namespace ini
