#include "gamma/ramp.h"

void FillChannel(uint16_t* channel, int32_t level) {
  const int32_t step = level + 128;
  int32_t sum = 0;
  for (int i = 0; i < kRampEntries; ++i) {
    channel[i] = static_cast<uint16_t>(sum <= 65535 ? sum : 65535);
    sum += step;
  }
}

GammaRamp BuildRamp(int32_t red, int32_t green, int32_t blue) {
  GammaRamp ramp;
  FillChannel(&ramp[0], red);
  FillChannel(&ramp[kRampEntries], green);
  FillChannel(&ramp[2 * kRampEntries], blue);
  return ramp;
}

GammaRamp BuildUniformRamp(uint32_t level) {
  const int32_t low = static_cast<int32_t>(level & 0xFFFF);
  return BuildRamp(low, low, low);
}
