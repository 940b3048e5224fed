#include "tray/zoom_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>
#include <vector>

void PrintTo(const ScreenRect& r, std::ostream* os) {
  *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace {

// A shell whose sources answer as configured, recording which ones were asked.
struct FakeSurroundings : TraySurroundings {
  bool hasNotifyWindow = false;
  ScreenRect notifyWindow;
  bool hasTaskbarPosition = false;
  ScreenRect taskbarPosition;
  uint32_t edge = EdgeBottom;
  bool hasTaskbarWindow = false;
  ScreenRect taskbarWindow;
  ScreenRect workArea;
  std::vector<std::string> asked;

  bool NotifyWindowRect(ScreenRect* rect) override {
    asked.push_back("notify window");
    if (hasNotifyWindow) *rect = notifyWindow;
    return hasNotifyWindow;
  }
  bool TaskbarPosition(ScreenRect* taskbar, uint32_t* reportedEdge) override {
    asked.push_back("taskbar position");
    if (hasTaskbarPosition) {
      *taskbar = taskbarPosition;
      *reportedEdge = edge;
    }
    return hasTaskbarPosition;
  }
  bool TaskbarWindowRect(ScreenRect* rect) override {
    asked.push_back("taskbar window");
    if (hasTaskbarWindow) *rect = taskbarWindow;
    return hasTaskbarWindow;
  }
  ScreenRect WorkArea() override {
    asked.push_back("work area");
    return workArea;
  }
};

const ScreenRect kBottomTaskbar{0, 1040, 1920, 1080};
const ScreenRect kWorkArea{0, 0, 1920, 1040};

TEST(NotificationAreaRect, NotifyWindowWinsAndNothingElseIsAsked) {
  FakeSurroundings shell;
  shell.hasNotifyWindow = true;
  shell.notifyWindow = {1700, 1042, 1916, 1078};
  shell.hasTaskbarPosition = shell.hasTaskbarWindow = true;
  shell.taskbarPosition = shell.taskbarWindow = kBottomTaskbar;
  shell.workArea = kWorkArea;

  EXPECT_EQ(NotificationAreaRect(shell), (ScreenRect{1700, 1042, 1916, 1078}));
  EXPECT_EQ(shell.asked, std::vector<std::string>{"notify window"});
}

// The 84-pixel stretch from 100 to 16 pixels before the taskbar's bottom or right end.
TEST(NotificationAreaRect, TaskbarPositionGivesStretchNearTheEndForEveryEdge) {
  struct Case {
    const char* name;
    uint32_t edge;
    ScreenRect taskbar;
    ScreenRect expected;
  };
  const Case cases[] = {
      {"left", EdgeLeft, {0, 0, 60, 1080}, {0, 980, 60, 1064}},
      {"top", EdgeTop, {0, 0, 1920, 40}, {1820, 0, 1904, 40}},
      {"right", EdgeRight, {1860, 0, 1920, 1080}, {1860, 980, 1920, 1064}},
      {"bottom", EdgeBottom, {0, 1040, 1920, 1080}, {1820, 1040, 1904, 1080}},
      // A second monitor left of the primary one: negative coordinates.
      {"bottom, left monitor", EdgeBottom, {-1280, 984, 0, 1024}, {-100, 984, -16, 1024}},
  };
  for (const Case& c : cases) {
    FakeSurroundings shell;
    shell.hasTaskbarPosition = true;
    shell.taskbarPosition = c.taskbar;
    shell.edge = c.edge;
    shell.hasTaskbarWindow = true;
    shell.taskbarWindow = kBottomTaskbar;
    EXPECT_EQ(NotificationAreaRect(shell), c.expected) << c.name << " taskbar";
    EXPECT_EQ(shell.asked, (std::vector<std::string>{"notify window", "taskbar position"})) << c.name;
  }
}

TEST(NotificationAreaRect, UnknownEdgeFallsThroughToTheTaskbarWindow) {
  FakeSurroundings shell;
  shell.hasTaskbarPosition = true;
  shell.taskbarPosition = kBottomTaskbar;
  shell.edge = 4;
  shell.hasTaskbarWindow = true;
  shell.taskbarWindow = kBottomTaskbar;

  EXPECT_EQ(NotificationAreaRect(shell), (ScreenRect{1770, 1050, 1920, 1080}));
  ScreenRect untouched{1, 2, 3, 4};
  EXPECT_FALSE(TargetFromTaskbarPosition(kBottomTaskbar, UINT32_MAX, &untouched));
  EXPECT_EQ(untouched, (ScreenRect{1, 2, 3, 4})) << "a refused edge must leave the target alone";
}

// Only a side longer than 150 (width) or 30 (height) is cut to that length.
TEST(NotificationAreaRect, TaskbarWindowCutToItsBottomRightCorner) {
  struct Case {
    const char* name;
    ScreenRect taskbar;
    ScreenRect expected;
  };
  const Case cases[] = {
      {"wide and high", {0, 1040, 1920, 1080}, {1770, 1050, 1920, 1080}},
      {"exactly 150 x 30", {10, 20, 160, 50}, {10, 20, 160, 50}},
      {"151 x 31", {10, 20, 161, 51}, {11, 21, 161, 51}},
      {"narrow but high (vertical)", {0, 0, 60, 1080}, {0, 1050, 60, 1080}},
  };
  for (const Case& c : cases) {
    FakeSurroundings shell;
    shell.hasTaskbarWindow = true;
    shell.taskbarWindow = c.taskbar;
    shell.workArea = kWorkArea;
    EXPECT_EQ(NotificationAreaRect(shell), c.expected) << c.name;
    EXPECT_EQ(shell.asked, (std::vector<std::string>{"notify window", "taskbar position", "taskbar window"}))
        << c.name;
  }
}

TEST(NotificationAreaRect, WorkAreaOnlyGivesBoxInItsBottomRightCorner) {
  FakeSurroundings shell;
  shell.workArea = kWorkArea;
  EXPECT_EQ(NotificationAreaRect(shell), (ScreenRect{1770, 1010, 1920, 1040}));
  EXPECT_EQ(shell.asked,
            (std::vector<std::string>{"notify window", "taskbar position", "taskbar window", "work area"}));

  // The box keeps its size even when the work area is smaller.
  EXPECT_EQ(TargetFromWorkArea({0, 0, 100, 20}), (ScreenRect{-50, -10, 100, 20}));
}

// Worked steps: a sixth of the way per step, truncated toward zero. The step fraction
// is the double just below a sixth, so a whole-pixel sixth can land one pixel short.
TEST(AnimationStepRect, WorkedSteps) {
  struct Case {
    ScreenRect from, to;
    int step;
    ScreenRect expected;
  } cases[] = {
      {{100, 200, 500, 400}, {1820, 1000, 1904, 1080}, 0, {100, 200, 500, 400}},
      {{100, 200, 500, 400}, {1820, 1000, 1904, 1080}, 1, {386, 333, 734, 513}},
      {{100, 200, 500, 400}, {1820, 1000, 1904, 1080}, 5, {1533, 866, 1670, 966}},
      {{-300, -250, -100, -50}, {10, 20, 30, 40}, 1, {-248, -205, -78, -35}},  // not -249, -79
      {{-300, -250, -100, -50}, {10, 20, 30, 40}, 5, {-41, -25, 8, 25}},
      {{0, 0, 0, 0}, {840, 840, 840, 840}, 5, {699, 699, 699, 699}},
      {{0, 0, 0, 0}, {6, 6, 6, 6}, 1, {1, 1, 1, 1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AnimationStepRect(c.from, c.to, c.step), c.expected) << "step " << c.step << " toward " << c.to.left;
  }
}

// Draws come from a scripted sequence.
std::vector<int> scriptedDraws;
size_t nextDraw = 0;
int ScriptedDraw() { return scriptedDraws.at(nextDraw++); }

StepColor ColorFor(std::vector<int> draws) {
  scriptedDraws = std::move(draws);
  nextDraw = 0;
  return DrawStepColor(ScriptedDraw);
}

TEST(DrawStepColor, BlueGreenRedFromThreeDrawsAndAlwaysLight) {
  const StepColor color = ColorFor({1, 2, 3});
  EXPECT_EQ(nextDraw, 3u) << "exactly three draws per step";
  EXPECT_EQ(color.blue, 129);
  EXPECT_EQ(color.green, 130);
  EXPECT_EQ(color.red, 131);
  EXPECT_EQ(ToColorRef(color), 0x818283u) << "0x00BBGGRR";

  const struct {
    int draw;
    uint32_t color;
  } cases[] = {{0, 0x808080u}, {127, 0xFFFFFFu}, {128, 0x808080u}, {INT_MAX, 0xFFFFFFu}};
  for (const auto& c : cases) EXPECT_EQ(ToColorRef(ColorFor({c.draw, c.draw, c.draw})), c.color) << "draw " << c.draw;
  EXPECT_EQ(ToColorRef(ColorFor({32767, 0, 32767})), 0xFF80FFu);
}

}  // namespace
