#include "tray/zoom_geometry.h"

#include <gtest/gtest.h>

namespace {

// A shell whose sources answer when set, counting how many were asked.
struct FakeSurroundings : TraySurroundingsPort {
  const ScreenRect *notifyWindow = nullptr, *taskbarPosition = nullptr, *taskbarWindow = nullptr;
  uint32_t edge = EdgeBottom;
  int asked = 0;

  bool Answer(const ScreenRect* source, ScreenRect* rect) {
    ++asked;
    if (source) *rect = *source;
    return source != nullptr;
  }
  bool NotifyWindowRect(ScreenRect* rect) override { return Answer(notifyWindow, rect); }
  bool TaskbarPosition(ScreenRect* taskbar, uint32_t* reportedEdge) override {
    *reportedEdge = edge;
    return Answer(taskbarPosition, taskbar);
  }
  bool TaskbarWindowRect(ScreenRect* rect) override { return Answer(taskbarWindow, rect); }
  ScreenRect WorkArea() override {
    ++asked;
    return {0, 0, 1920, 1040};
  }
};

// The first source that answers decides, and no later one is asked.
TEST(NotificationAreaRect, FirstAnsweringSourceWins) {
  const ScreenRect notify{1700, 1042, 1916, 1078};
  const ScreenRect taskbar{0, 1040, 1920, 1080};
  const struct {
    const char* what;
    const ScreenRect *notify, *position;
    uint32_t edge;
    const ScreenRect* window;
    ScreenRect expected;
    int asked;
  } cases[] = {
      {"notify window", &notify, &taskbar, EdgeBottom, &taskbar, {1700, 1042, 1916, 1078}, 1},
      {"taskbar position", nullptr, &taskbar, EdgeBottom, &taskbar, {1820, 1040, 1904, 1080}, 2},
      {"unknown edge, taskbar window", nullptr, &taskbar, 4, &taskbar, {1770, 1050, 1920, 1080}, 3},
      {"work area", nullptr, nullptr, EdgeBottom, nullptr, {1770, 1010, 1920, 1040}, 4},
  };
  for (const auto& c : cases) {
    FakeSurroundings shell;
    shell.notifyWindow = c.notify;
    shell.taskbarPosition = c.position;
    shell.edge = c.edge;
    shell.taskbarWindow = c.window;
    EXPECT_EQ(NotificationAreaRect(shell), c.expected) << c.what;
    EXPECT_EQ(shell.asked, c.asked) << c.what;
  }
}

// The 84-pixel stretch from 100 to 16 pixels before the taskbar's bottom or right end.
TEST(NotificationAreaRect, TaskbarPositionGivesStretchNearTheEndForEveryEdge) {
  const struct {
    const char* name;
    uint32_t edge;
    ScreenRect taskbar, expected;
  } cases[] = {
      {"right", EdgeRight, {1860, 0, 1920, 1080}, {1860, 980, 1920, 1064}},
      // A second monitor left of the primary one: negative coordinates.
      {"bottom, left monitor", EdgeBottom, {-1280, 984, 0, 1024}, {-100, 984, -16, 1024}},
  };
  for (const auto& c : cases) {
    ScreenRect target;
    EXPECT_TRUE(TargetFromTaskbarPosition(c.taskbar, c.edge, &target)) << c.name;
    EXPECT_EQ(target, c.expected) << c.name << " taskbar";
  }
}

// At 150 % and 200 % scaling (96 DPI: above) the fallback targets keep their look: every distance grows
// with the DPI (an unscaled 84-pixel stretch would be half as long on a 200 % taskbar).
TEST(NotificationAreaRect, FallbackDistancesFollowTheDpi) {
  const ScreenRect bottomBar{0, 2100, 3840, 2160}, workArea{0, 0, 3840, 2100};
  const struct {
    int dpi;
    ScreenRect fromPosition, fromWindow, fromWorkArea;
  } cases[] = {
      {192, {3640, 2100, 3808, 2160}, {3540, 2100, 3840, 2160}, {3540, 2040, 3840, 2100}},
  };
  for (const auto& c : cases) {
    FakeSurroundings shell;
    shell.taskbarPosition = &bottomBar;
    EXPECT_EQ(NotificationAreaRect(shell, c.dpi), c.fromPosition) << c.dpi << " DPI, taskbar position";
    shell.taskbarPosition = nullptr;
    shell.taskbarWindow = &bottomBar;
    EXPECT_EQ(NotificationAreaRect(shell, c.dpi), c.fromWindow) << c.dpi << " DPI, taskbar window";
    shell.taskbarWindow = nullptr;
    EXPECT_EQ(TargetFromWorkArea(workArea, c.dpi), c.fromWorkArea) << c.dpi << " DPI, work area";
  }
}

}  // namespace
