#include "levels/settings_level_file_win32.h"

#include <climits>

#include "settings/settings_file.h"

bool SettingsLevelFile::Read(const std::u16string& section, const char16_t* key, int* value) {
  const int read = settingsFile.ReadInt(section.c_str(), key, INT_MIN, -1, -1);
  if (read == INT_MIN) return false;
  *value = read;
  return true;
}

void SettingsLevelFile::Write(const std::u16string& section, const char16_t* key, int value) {
  settingsFile.SetPending(section.c_str(), key, value);
}
