#include "gamma/ramp.h"

#include <gtest/gtest.h>

namespace {

// Worked rows: the entry for each input index at a channel level. Clipping starts where the
// product passes full scale: at level 192 between entries 204 and 205.
const int kIndexes[10] = {0, 1, 64, 127, 128, 170, 171, 204, 205, 255};
const struct {
  int level;
  uint16_t at[10];
} kWorkedRows[] = {
    {0, {0, 128, 8192, 16256, 16384, 21760, 21888, 26112, 26240, 32640}},
    {128, {0, 256, 16384, 32512, 32768, 43520, 43776, 52224, 52480, 65280}},
    {192, {0, 320, 20480, 40640, 40960, 54400, 54720, 65280, 65535, 65535}},
    {256, {0, 384, 24576, 48768, 49152, 65280, 65535, 65535, 65535, 65535}},
};

TEST(GammaRamp, ChannelCurveMatchesTheWorkedRows) {
  for (const auto& row : kWorkedRows) {
    uint16_t channel[kRampEntries];
    FillChannel(channel, row.level);
    for (int k = 0; k < 10; ++k) EXPECT_EQ(channel[kIndexes[k]], row.at[k]) << row.level << ", entry " << kIndexes[k];
  }
}

}  // namespace
