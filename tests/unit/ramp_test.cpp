#include "gamma/ramp.h"

#include <gtest/gtest.h>

namespace {

// Worked rows: entry value for input index i at a channel level.
struct WorkedRow {
  int level;
  uint16_t at[8];  // i = 0, 1, 64, 127, 128, 170, 171, 255
};
const int kIndexes[8] = {0, 1, 64, 127, 128, 170, 171, 255};
const WorkedRow kWorkedRows[] = {
    {0, {0, 128, 8192, 16256, 16384, 21760, 21888, 32640}},
    {64, {0, 192, 12288, 24384, 24576, 32640, 32832, 48960}},
    {128, {0, 256, 16384, 32512, 32768, 43520, 43776, 65280}},
    {192, {0, 320, 20480, 40640, 40960, 54400, 54720, 65535}},
    {256, {0, 384, 24576, 48768, 49152, 65280, 65535, 65535}},
};

TEST(GammaRamp, ChannelCurveMatchesTheWorkedRows) {
  for (const WorkedRow& row : kWorkedRows) {
    uint16_t channel[kRampEntries];
    FillChannel(channel, row.level);
    for (int k = 0; k < 8; ++k) {
      EXPECT_EQ(channel[kIndexes[k]], row.at[k]) << "level " << row.level << ", entry " << kIndexes[k];
    }
  }
}

TEST(GammaRamp, ClippingStartsWhereTheProductPassesFullScale) {
  uint16_t channel[kRampEntries];
  FillChannel(channel, 192);
  EXPECT_LT(channel[204], 65535);
  for (int i = 205; i < kRampEntries; ++i) EXPECT_EQ(channel[i], 65535) << "level 192, entry " << i;
}

}  // namespace
