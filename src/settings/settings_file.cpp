// Placeholder until the INI file arrives: values kept in memory only.
#include "settings/settings_file.h"

#include <map>

int portableMode = 0;
SettingsFile settingsFile;

namespace {
std::map<std::u16string, int>& Values() {
  static std::map<std::u16string, int> values;
  return values;
}
}  // namespace

void SettingsFile::Init(const char16_t* baseName) { baseName_ = baseName; }

int SettingsFile::ReadInt(const char16_t* section, const char16_t* key, int def, int min, int max) {
  auto it = Values().find(std::u16string(section) + u"/" + key);
  int value = it == Values().end() ? def : it->second;
  if (min == -1 || max == -1) return value;
  if (value > max) value = max;
  return value < min ? min : value;
}

void SettingsFile::WriteInt(const char16_t* section, const char16_t* key, int value, const char16_t*) {
  Values()[std::u16string(section) + u"/" + key] = value;
}
