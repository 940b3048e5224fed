// The INI settings file: where it lives, and typed access to its values.
#pragma once

#include <string>

extern int portableMode;  // 1 while the settings file lives beside the executable

class SettingsFile {
 public:
  virtual ~SettingsFile() = default;

  // Chooses the file's location for a base name ("Glowmere"); sets portableMode.
  void Init(const char16_t* baseName);

  // The stored value or `def`, clamped to min..max unless either bound is -1.
  int ReadInt(const char16_t* section, const char16_t* key, int def, int min, int max);
  // Writes `value` as "%d"; `file` null means the settings file itself.
  void WriteInt(const char16_t* section, const char16_t* key, int value, const char16_t* file = nullptr);

  const std::u16string& Path() const { return path_; }

 private:
  std::u16string path_;
  std::u16string baseName_;
};

extern SettingsFile settingsFile;
