// The levels' sections of the settings file, for the level model: reads see values not yet
// written, and writes wait for the file's next replacement.
#pragma once

#include "levels/level_model.h"

class SettingsLevelFile final : public LevelFilePort {
 public:
  bool Read(const std::u16string& section, const char16_t* key, int* value) override;
  void Write(const std::u16string& section, const char16_t* key, int value) override;
};
