#include "settings/autostart.h"

namespace autostart {

std::u16string RunValueData(std::u16string_view executablePath) {
  return u"\"" + std::u16string(executablePath) + u"\" -bg";
}

std::u16string StoredText(std::string_view data) {
  std::u16string text;
  for (size_t i = 0; i < data.size(); i += 2) {
    // An odd last byte meets the zero fill a real query buffer has behind the data.
    auto low = static_cast<unsigned char>(data[i]);
    auto high = i + 1 < data.size() ? static_cast<unsigned char>(data[i + 1]) : 0;
    char16_t unit = static_cast<char16_t>(low | high << 8);
    if (unit == 0) break;
    text.push_back(unit);
  }
  return text;
}

bool WriteRunValue(RunRegistryPort& registry, const std::u16string& valueName, const std::u16string& data) {
  std::unique_ptr<RunKeyPort> key = registry.OpenRunKey();
  return key && key->SetString(valueName, data);
}

bool AddAutostart(RunRegistryPort& registry, const std::u16string& valueName, const std::u16string& executablePath) {
  if (executablePath.empty()) return false;
  return WriteRunValue(registry, valueName, RunValueData(executablePath));
}

bool RemoveAutostart(RunRegistryPort& registry, const std::u16string& valueName) {
  std::unique_ptr<RunKeyPort> key = registry.OpenRunKey();
  return key && key->DeleteValue(valueName);
}

bool IsAutostartSet(RunRegistryPort& registry, const std::u16string& valueName, const std::u16string& executablePath) {
  std::unique_ptr<RunKeyPort> key = registry.OpenRunKey();
  if (!key) return false;
  const std::u16string expected = RunValueData(executablePath);
  // A foreign value beyond the limit counts as missing; our own data for a long path
  // (up to 32,767 characters) must still read back, or the box would never show it.
  size_t ownBytes = 2 * expected.size() + 2;
  size_t limit = ownBytes > kQueryLimitBytes ? ownBytes : kQueryLimitBytes;
  std::string data;
  if (!key->QueryValue(valueName, limit, &data)) return false;
  if (!executablePath.empty() && StoredText(data) != expected) key->SetString(valueName, expected);
  return true;
}

}  // namespace autostart
