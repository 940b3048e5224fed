// The user's four slider values.
#pragma once

#include <cstdint>

constexpr int32_t kLevelMin = 0;
constexpr int32_t kLevelMax = 256;  // 257 positions: 0..256 inclusive
constexpr int32_t kLevelNeutral = 128;

struct ColorLevels {
  int32_t brightness = kLevelNeutral;  // acts only by being copied into the three channels
  int32_t red = kLevelNeutral;
  int32_t green = kLevelNeutral;
  int32_t blue = kLevelNeutral;
};
