// When a burst of events is acted on: the re-apply after display events, and the settings writes.
#include <gtest/gtest.h>

#include <vector>

#include "app/coalescer.h"

namespace {

// A message-timer stand-in with a clock: fires a timer once its time has come.
class FakeTimers final : public TimerPort {
 public:
  unsigned now = 0;
  bool running = false;
  unsigned due = 0;
  void Start(unsigned, unsigned ms) override { running = true; due = now + ms; }
  void Stop(unsigned) override { running = false; }
  bool Fires(unsigned at) { now = at; return running && now >= due; }
};

// A failed re-apply (a display refusing the ramp) is tried a bounded number of times; the
// burst itself is seen end to end.
TEST(Coalescer, RetriesAreBoundedPerBurst) {
  FakeTimers timers;
  Coalescer coalescer(3000, 300);
  int retries = 0;
  while (coalescer.Retry(timers) && retries < 10) ++retries;
  EXPECT_EQ(retries, Coalescer::kRetries);
  coalescer.Trigger(timers);
  EXPECT_TRUE(coalescer.Retry(timers)) << "a new burst may retry again";
}

// A drag of 85 steps, 20 ms apart, and 2 s of rest: writes at most every 500 ms
// during it and one 300 ms after its last step; none while the levels rest.
TEST(WriteSchedule, WritesWhenTheLevelsSettleAndAtLeastTwiceASecondDuringADrag) {
  FakeTimers timers;
  WriteSchedule schedule(3001, 300, 500);
  std::vector<unsigned> writes;
  for (unsigned t = 1000; t <= 5000; t += 10) {
    if (timers.Fires(t) && schedule.Expire(timers)) writes.push_back(t);
    if (t < 2700 && t % 20 == 0 && schedule.Changed(timers, t)) writes.push_back(t);
  }
  ASSERT_FALSE(writes.empty());
  EXPECT_EQ(writes.back(), 2680u + 300u) << "the last write comes 300 ms after the last step";
  for (size_t i = 1; i < writes.size(); ++i) {
    EXPECT_LE(writes[i] - writes[i - 1], 510u) << "write " << i << " came " << writes[i] - writes[i - 1]
                                               << " ms after the one before";
  }
  EXPECT_LE(writes.size(), 6u) << "writes seen: " << writes.size();
}

// A busy file is tried again after 1, 2 and 4 s, then left alone; a refused one not at all.
TEST(WriteSchedule, RetriesABusyFileAFewTimesAndARefusedOneNever) {
  for (bool busy : {true, false}) {
    FakeTimers timers;
    WriteSchedule schedule(3001, 300, 500);
    schedule.Changed(timers, 0);
    std::vector<unsigned> attempts;
    for (unsigned t = 0; t <= 60000; t += 10) {
      if (timers.Fires(t) && schedule.Expire(timers)) {
        attempts.push_back(t);
        schedule.Written(timers, busy);
      }
    }
    const std::vector<unsigned> expected =
        busy ? std::vector<unsigned>{300, 1300, 3300, 7300} : std::vector<unsigned>{300};
    EXPECT_EQ(attempts, expected) << (busy ? "busy" : "refused");
  }
}

}  // namespace
