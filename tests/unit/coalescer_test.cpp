// When a burst of events is acted on: the re-apply after display events, and the settings
// writes during and after a drag and while the file is busy.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "common/coalescer.h"

namespace {

// A message timer with a clock. `starvedUntil`: before then it never fires, as WM_TIMER
// never comes while a flood of slider messages fills the queue.
class FakeTimers final : public TimerPort {
 public:
  unsigned now = 0;
  unsigned starvedUntil = 0;
  bool running = false;
  unsigned due = 0;
  void Start(unsigned, unsigned ms) override {
    running = true;
    due = now + ms;
  }
  void Stop(unsigned) override { running = false; }
  bool Fires(unsigned at) {
    now = at;
    return running && now >= due && now >= starvedUntil;
  }
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

// A drag of 85 steps, 20 ms apart, then 2 s of rest: a write within every half second of
// the drag, whether or not the timer gets through, and one 300 ms after its last step.
TEST(WriteSchedule, WritesAtLeastTwiceASecondDuringADragAndOnceWhenItSettles) {
  for (bool starved : {false, true}) {
    SCOPED_TRACE(starved ? "timer starved during the drag" : "timer delivered");
    FakeTimers timers;
    timers.starvedUntil = starved ? 2700 : 0;
    WriteSchedule schedule(3001, 300, 500);
    std::vector<unsigned> writes;
    for (unsigned t = 1000; t <= 5000; t += 10) {
      if (timers.Fires(t) && schedule.Expire(timers)) writes.push_back(t);
      if (t < 2700 && t % 20 == 0 && schedule.Changed(timers, t)) writes.push_back(t);
    }
    ASSERT_FALSE(writes.empty());
    // 1.68 s of dragging: a write at 1500, 2000 and 2500 (or the step after a starved one).
    EXPECT_GE(std::count_if(writes.begin(), writes.end(), [](unsigned w) { return w < 2680; }), 3);
    // Half a second, plus one step when a starved run only starts at the step after a write.
    unsigned previous = 1000;  // the first step
    for (unsigned w : writes) {
      EXPECT_LE(w - previous, 530u) << "a write at " << w << " ms, " << w - previous << " ms after the one before";
      previous = w;
    }
    EXPECT_EQ(writes.back(), 2680u + 300u) << "the last write comes 300 ms after the last step";
    EXPECT_LE(writes.size(), 6u) << "writes seen: " << writes.size();
  }
}

// A busy file is tried after 1, 2 and 4 s, then every 30 s (one let go in either phase is run
// end to end); a refused (read-only) one is not tried again.
TEST(WriteSchedule, RetriesABusyFileQuicklyThenSlowlyUntilItIsStored) {
  // busyUntil: attempts before this find the file busy.
  const struct {
    const char* what;
    bool refused;
    unsigned busyUntil;
    std::vector<unsigned> attempts;
  } cases[] = {
      {"busy throughout", false, 1000000, {300, 1300, 3300, 7300, 37300, 67300, 97300}},
      {"refused", true, 0, {300}},
  };
  for (const auto& c : cases) {
    FakeTimers timers;
    WriteSchedule schedule(3001, 300, 500);
    schedule.Changed(timers, 0);
    std::vector<unsigned> attempts;
    for (unsigned t = 0; t <= 100000; t += 10) {
      if (timers.Fires(t) && schedule.Expire(timers)) {
        attempts.push_back(t);
        schedule.Written(timers, !c.refused && t < c.busyUntil);
      }
    }
    EXPECT_EQ(attempts, c.attempts) << c.what;
    EXPECT_EQ(schedule.Scheduled(), c.busyUntil > 100000) << c.what << ": a retry still waiting";
  }
  // A change after the slow pace has begun stores it soon, and a busy file then starts the
  // quick tries afresh.
  FakeTimers timers;
  WriteSchedule schedule(3001, 300, 500);
  schedule.Changed(timers, 0);
  for (int i = 0; i < 5; ++i) schedule.Written(timers, true);
  timers.now = 5000;
  schedule.Changed(timers, 5000);
  EXPECT_TRUE(timers.Fires(5300) && schedule.Expire(timers)) << "a change waits 300 ms, not the slow pace";
  schedule.Written(timers, true);
  EXPECT_EQ(timers.due, 6300u) << "the first quick retry again";
}

}  // namespace
