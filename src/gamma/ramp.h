// Gamma ramps computed from channel levels: entry i = min(i * (level + 128), 65535).
#pragma once

#include <array>
#include <cstdint>

constexpr int kRampEntries = 256;
// Red 0..255, green 256..511, blue 512..767: the layout SetDeviceGammaRamp takes.
using GammaRamp = std::array<uint16_t, 3 * kRampEntries>;

// One channel's 256 entries for a level (a running sum, clipped at full scale).
void FillChannel(uint16_t* channel, int32_t level);
GammaRamp BuildRamp(int32_t red, int32_t green, int32_t blue);
// The same curve in all three channels; only the low 16 bits of `level` count.
GammaRamp BuildUniformRamp(uint32_t level);
