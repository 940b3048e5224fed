#include "app/level_text.h"

std::string FormatPercent(int32_t level) {
  const int32_t percent = (level - 128) * 100 / 256;
  std::string digits = std::to_string(percent < 0 ? -percent : percent);
  return std::string(" ") + (percent < 0 ? "-" : "") + digits + " %";
}

int UpdateIfChanged(int32_t& stored, int32_t value) {
  if (stored == value) return 0;
  stored = value;
  return 1;
}
