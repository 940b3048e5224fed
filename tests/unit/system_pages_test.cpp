// The System menu's pages: which program each command starts, and the WOW64 redirection around it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extras/system_pages.h"
#include "res/resource_ids.h"

namespace {

class FakeSystemPagePort final : public SystemPagePort {
 public:
  bool wow64 = false;
  bool disableWorks = true;
  std::vector<std::string> calls;
  bool IsWow64() override { return wow64; }
  bool DisableRedirection(void** previous) override {
    calls.push_back("disable");
    *previous = reinterpret_cast<void*>(0x55);
    return disableWorks;
  }
  void RevertRedirection(void* previous) override {
    calls.push_back(previous == reinterpret_cast<void*>(0x55) ? "revert saved" : "revert other");
  }
  void ShellOpen(const SystemPage& page) override {
    calls.push_back(std::string("open ") + page.file + (page.parameters ? std::string(" ") + page.parameters : ""));
  }
};

// Redirection is off only around the start, and only when it was switched off.
TEST(SystemPages, Wow64RedirectionIsOffOnlyAroundTheStart) {
  struct Case {
    bool wow64, disableWorks;
    int command;
    std::vector<std::string> calls;
  } cases[] = {
      {true, true, CMD_MOBILITY_CENTER, {"disable", "open mblctr.exe", "revert saved"}},
      {false, true, CMD_POWER_OPTIONS, {"open control.exe powercfg.cpl"}},
      {true, false, CMD_SCREENSAVER, {"disable", "open control.exe desk.cpl ,1"}},
  };
  for (const auto& c : cases) {
    FakeSystemPagePort platform;
    platform.wow64 = c.wow64;
    platform.disableWorks = c.disableWorks;
    OpenSystemPage(platform, *SystemPageForCommand(c.command));
    EXPECT_EQ(platform.calls, c.calls) << "command " << c.command;
  }
}

}  // namespace
