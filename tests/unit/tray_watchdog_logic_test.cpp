#include "tray/tray_watchdog_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// A shell holding at most the one icon; every call is logged.
struct FakeIcon : TrayIconPort {
  explicit FakeIcon(Log& log) : log(log) {}
  Log& log;
  bool ownerExists = true;
  bool present = true;
  const bool* watchdogRunning = nullptr;  // to check what Remove sees

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
    log.push_back(watchdogRunning && *watchdogRunning ? "remove while watchdog runs" : "remove");
    present = false;
  }
};

struct FakeWatchdog : WatchdogThreadPort {
  explicit FakeWatchdog(Log& log) : log(log) {}
  Log& log;
  bool running = false;

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

TEST(TrayWatchdogStep, ProbeReaddsOnlyAMissingIcon) {
  struct Case {
    const char* name;
    bool present;
    Log expected;
  };
  const Case cases[] = {
      {"icon present", true, {"probe"}},
      {"icon lost", false, {"probe", "add"}},
  };
  for (const Case& c : cases) {
    Log log;
    FakeIcon icon(log);
    icon.present = c.present;
    EXPECT_TRUE(TrayWatchdogStep(icon, WatchdogWake::PeriodElapsed)) << c.name;
    EXPECT_EQ(log, c.expected) << c.name;
  }
}

TEST(TrayWatchdogStep, ReaddRequestAddsAtOnce) {
  Log log;
  FakeIcon icon(log);
  icon.present = false;
  EXPECT_TRUE(TrayWatchdogStep(icon, WatchdogWake::ReaddRequested));
  EXPECT_EQ(log, Log{"add"});
}

TEST(TrayWatchdogStep, StopEndsWithoutTouchingTheShell) {
  Log log;
  FakeIcon icon(log);
  icon.present = false;
  EXPECT_FALSE(TrayWatchdogStep(icon, WatchdogWake::StopRequested));
  EXPECT_EQ(log, Log{});
}

TEST(TrayWatchdogStep, NoIconForAWindowThatIsGone) {
  for (WatchdogWake wake : {WatchdogWake::PeriodElapsed, WatchdogWake::ReaddRequested}) {
    Log log;
    FakeIcon icon(log);
    icon.present = false;
    icon.ownerExists = false;
    EXPECT_TRUE(TrayWatchdogStep(icon, wake)) << "keeps waiting for its stop";
    EXPECT_EQ(log, Log{}) << "wake " << static_cast<int>(wake);
  }
}

TEST(RunTrayWatchdog, WaitsOnePeriodBetweenProbesAndEndsAtStop) {
  Log log;
  FakeIcon icon(log);
  const std::vector<WatchdogWake> wakes = {WatchdogWake::PeriodElapsed, WatchdogWake::PeriodElapsed,
                                           WatchdogWake::ReaddRequested, WatchdogWake::StopRequested,
                                           WatchdogWake::PeriodElapsed};
  std::vector<uint32_t> timeouts;
  size_t next = 0;
  RunTrayWatchdog(icon, [&](uint32_t timeoutMs) {
    timeouts.push_back(timeoutMs);
    if (next == 1) icon.present = false;  // the shell lost the icon during the second wait
    return wakes.at(next++);
  });
  EXPECT_EQ(timeouts, (std::vector<uint32_t>{5000, 5000, 5000, 5000})) << "nothing waited for after the stop";
  EXPECT_EQ(log, (Log{"probe", "probe", "add", "add"}));
}

TEST(CreateTrayIcon, FirstCreateAddsThenStartsTheWatchdog) {
  Log log;
  FakeIcon icon(log);
  FakeWatchdog watchdog(log);
  CreateTrayIcon(icon, watchdog, true, [&] { log.push_back("store fields"); });
  EXPECT_EQ(log, (Log{"store fields", "add", "start"}));
  EXPECT_TRUE(watchdog.running);
}

TEST(CreateTrayIcon, SecondCreateStopsTheFirstWatchdogBeforeAnythingElse) {
  Log log;
  FakeIcon icon(log);
  FakeWatchdog watchdog(log);
  CreateTrayIcon(icon, watchdog, true, [&] { log.push_back("store fields"); });
  log.clear();
  CreateTrayIcon(icon, watchdog, true, [&] { log.push_back("store fields"); });
  EXPECT_EQ(log, (Log{"stop and wait", "store fields", "add", "start"}));
}

TEST(CreateTrayIcon, WithoutWatchdogFlag) {
  Log log;
  FakeIcon icon(log);
  FakeWatchdog watchdog(log);
  CreateTrayIcon(icon, watchdog, false, [&] { log.push_back("store fields"); });
  EXPECT_EQ(log, (Log{"store fields", "add"})) << "no watchdog asked for, none started";

  // A watchdog already running keeps going, but not while its fields change.
  watchdog.running = true;
  log.clear();
  CreateTrayIcon(icon, watchdog, false, [&] { log.push_back("store fields"); });
  EXPECT_EQ(log, (Log{"stop and wait", "store fields", "add", "start"}));
}

TEST(DestroyTrayIcon, WatchdogHasEndedBeforeTheIconIsRemoved) {
  Log log;
  FakeIcon icon(log);
  FakeWatchdog watchdog(log);
  icon.watchdogRunning = &watchdog.running;
  watchdog.running = true;
  DestroyTrayIcon(icon, watchdog);
  EXPECT_EQ(log, (Log{"stop and wait", "remove"}));
  EXPECT_FALSE(icon.present);
}

TEST(DestroyTrayIcon, WithoutWatchdogOnlyRemoves) {
  Log log;
  FakeIcon icon(log);
  FakeWatchdog watchdog(log);
  DestroyTrayIcon(icon, watchdog);
  EXPECT_EQ(log, Log{"remove"});
}

TEST(ReaddTrayIcon, RunningWatchdogDoesTheAddSoItStaysTheOnlyWriter) {
  Log log;
  FakeIcon icon(log);
  FakeWatchdog watchdog(log);
  watchdog.running = true;
  ReaddTrayIcon(icon, watchdog);
  EXPECT_EQ(log, Log{"request readd"});

  watchdog.running = false;
  log.clear();
  ReaddTrayIcon(icon, watchdog);
  EXPECT_EQ(log, Log{"add"}) << "without a watchdog the caller adds at once";
}

}  // namespace
