#include "tray/tray_watchdog_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// A shell holding at most the one icon, and the watchdog thread; every call is logged.
struct FakeTray : TrayIconPort, WatchdogThreadPort {
  Log log;
  bool ownerExists = true, present = true, running = false;

  bool OwnerExists() override { return ownerExists; }
  bool IsPresent() override {
    log.push_back("probe");
    return present;
  }
  void AddOrUpdate() override {
    log.push_back("add");
    present = true;
  }
  void Remove() override {
    log.push_back(running ? "remove while watchdog runs" : "remove");
    present = false;
  }
  bool IsRunning() override { return running; }
  void Start() override {
    log.push_back(running ? "start a second watchdog" : "start");
    running = true;
  }
  void StopAndWait() override {
    log.push_back("stop and wait");
    running = false;
  }
  void RequestReadd() override { log.push_back("request readd"); }
};

TEST(TrayWatchdogStep, ReaddsOnlyAMissingIconOfALiveWindowAndEndsAtStop) {
  using W = WatchdogWake;
  struct Case {
    const char* name;
    bool present, ownerExists;
    WatchdogWake wake;
    bool goesOn;
    Log expected;
  };
  const Case cases[] = {
      {"icon present", true, true, W::PeriodElapsed, true, {"probe"}},
      {"icon lost", false, true, W::PeriodElapsed, true, {"probe", "add"}},
      {"readd asked", false, true, W::ReaddRequested, true, {"add"}},
      {"stop", false, true, W::StopRequested, false, {}},
      {"window gone, readd asked", false, false, W::ReaddRequested, true, {}},
  };
  for (const auto& c : cases) {
    FakeTray tray;
    tray.present = c.present;
    tray.ownerExists = c.ownerExists;
    EXPECT_EQ(TrayWatchdogStep(tray, c.wake), c.goesOn) << c.name;
    EXPECT_EQ(tray.log, c.expected) << c.name;
  }
}

// A running watchdog is stopped before the icon changes and runs again afterwards; while it
// runs it alone adds the icon, and it never runs while the icon is removed.
TEST(TrayIconLifetime, WatchdogNeverRunsWhileTheIconChanges) {
  enum Op { Create, CreateWithoutWatchdog, Destroy, Readd };
  const struct {
    const char* name;
    Op op;
    bool running;
    Log expected;
  } cases[] = {
      {"first create", Create, false, {"store fields", "add", "start"}},
      {"second create", Create, true, {"stop and wait", "store fields", "add", "start"}},
      {"create without watchdog", CreateWithoutWatchdog, false, {"store fields", "add"}},
      {"create without watchdog, one running",
       CreateWithoutWatchdog,
       true,
       {"stop and wait", "store fields", "add", "start"}},
      {"destroy", Destroy, true, {"stop and wait", "remove"}},
      {"destroy without watchdog", Destroy, false, {"remove"}},
      {"readd without watchdog", Readd, false, {"add"}},
  };
  for (const auto& c : cases) {
    FakeTray tray;
    tray.running = c.running;
    if (c.op == Destroy) {
      DestroyTrayIcon(tray, tray);
    } else if (c.op == Readd) {
      ReaddTrayIcon(tray, tray);
    } else {
      CreateTrayIcon(tray, tray, c.op == Create, [&] { tray.log.push_back("store fields"); });
    }
    EXPECT_EQ(tray.log, c.expected) << c.name;
    EXPECT_EQ(tray.running, c.op == Destroy ? false : c.running || c.op == Create) << c.name;
  }
}

}  // namespace
