// Arbitrary bytes as a settings file: reads never crash, a write reads back, and a
// write changes nothing but its own line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "common/text.h"
#include "settings/ini_file.h"

namespace {

const char16_t* const kSections[] = {u"Start", u"start", u" Program ", u"TestIni", u"\u00C4rger", u"[x]", u""};
const char16_t* const kKeys[] = {u"r", u"H", u"h", u"m_lang_id", u"M", u"\u00E4", u"a=b", u";c", u" "};
const char16_t* const kValues[] = {u"128", u"", u"-5", u"a b", u"\u00E4", u"x=y"};

template <size_t N>
const char16_t* Pick(const char16_t* const (&list)[N], uint8_t byte) {
  return list[byte % N];
}

void Require(bool condition) {
  if (!condition) std::abort();
}

// Whether the key is found, and its value.
using Probe = std::pair<bool, std::u16string>;

Probe ReadProbe(const std::string& bytes, const char16_t* section, const char16_t* key) {
  Probe p;
  p.first = ini::ReadValue(bytes, section, key, &p.second);
  return p;
}

std::u16string Folded(const char16_t* name) {
  std::u16string s(name);
  while (!s.empty() && s.front() == u' ') s.erase(0, 1);
  while (!s.empty() && s.back() == u' ') s.pop_back();
  return text::Lowered(s);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const char16_t* section = Pick(kSections, data[0]);
  const char16_t* key = Pick(kKeys, data[1]);
  std::u16string value = data[2] == 255 ? std::u16string(2000, u'v') : Pick(kValues, data[2]);
  const std::string before(reinterpret_cast<const char*>(data) + 3, size - 3);

  std::vector<Probe> probes;
  for (const char16_t* s : kSections) {
    for (const char16_t* k : kKeys) probes.push_back(ReadProbe(before, s, k));
  }

  std::string after = before;
  if (!ini::WriteValue(&after, section, key, value)) {
    Require(after == before);
    return 0;
  }
  Require(ini::DetectEncoding(after) == ini::DetectEncoding(before));

  // The written key reads back (as much of it as a read returns).
  Probe written = ReadProbe(after, section, key);
  Require(written == Probe(true, value.substr(0, ini::kMaxValueLength)));

  // Every other key reads as before.
  size_t i = 0;
  for (const char16_t* s : kSections) {
    for (const char16_t* k : kKeys) {
      const Probe& old = probes[i++];
      if (Folded(s) == Folded(section) && Folded(k) == Folded(key)) continue;
      Require(ReadProbe(after, s, k) == old);
    }
  }

  // Only one line's bytes may go: what was removed holds no line feed.
  if (ini::DetectEncoding(before) != ini::Encoding::kUtf16Le) {
    size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) ++prefix;
    size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
      ++suffix;
    }
    Require(before.substr(prefix, before.size() - prefix - suffix).find('\n') == std::string::npos);
  }

  // Writing the same value again changes nothing.
  std::string again = after;
  Require(ini::WriteValue(&again, section, key, value) && again == after);
  return 0;
}
