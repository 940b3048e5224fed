#include "tray/zoom_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>

void PrintTo(const ScreenRect& r, std::ostream* os) {
  *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace {

// A shell whose sources answer when set, counting how many were asked.
struct FakeSurroundings : TraySurroundings {
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
  struct Case {
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
  for (const Case& c : cases) {
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
      {"left", EdgeLeft, {0, 0, 60, 1080}, {0, 980, 60, 1064}},
      {"top", EdgeTop, {0, 0, 1920, 40}, {1820, 0, 1904, 40}},
      {"right", EdgeRight, {1860, 0, 1920, 1080}, {1860, 980, 1920, 1064}},
      {"bottom", EdgeBottom, {0, 1040, 1920, 1080}, {1820, 1040, 1904, 1080}},
      // A second monitor left of the primary one: negative coordinates.
      {"bottom, left monitor", EdgeBottom, {-1280, 984, 0, 1024}, {-100, 984, -16, 1024}},
  };
  for (const auto& c : cases) {
    ScreenRect target;
    EXPECT_TRUE(TargetFromTaskbarPosition(c.taskbar, c.edge, &target)) << c.name;
    EXPECT_EQ(target, c.expected) << c.name << " taskbar";
  }
  ScreenRect untouched{1, 2, 3, 4};
  EXPECT_FALSE(TargetFromTaskbarPosition(cases[3].taskbar, UINT32_MAX, &untouched));
  EXPECT_EQ(untouched, (ScreenRect{1, 2, 3, 4})) << "a refused edge must leave the target alone";
}

// Only a side longer than 150 (width) or 30 (height) is cut to that length; the
// work-area box keeps its size even in a smaller work area.
TEST(NotificationAreaRect, BoxesInTheBottomRightCorner) {
  const struct {
    const char* name;
    ScreenRect taskbar, expected;
  } cases[] = {
      {"exactly 150 x 30", {10, 20, 160, 50}, {10, 20, 160, 50}},
      {"151 x 31", {10, 20, 161, 51}, {11, 21, 161, 51}},
      {"narrow but high (vertical)", {0, 0, 60, 1080}, {0, 1050, 60, 1080}},
  };
  for (const auto& c : cases) EXPECT_EQ(TargetFromTaskbarWindow(c.taskbar), c.expected) << c.name;
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
      {{100, 200, 500, 400}, {1820, 1000, 1904, 1080}, 1, {386, 333, 734, 513}},
      {{-300, -250, -100, -50}, {10, 20, 30, 40}, 1, {-248, -205, -78, -35}},  // not -249, -79
      {{0, 0, 0, 0}, {840, 840, 840, 840}, 5, {699, 699, 699, 699}},  // not 700
      {{0, 0, 0, 0}, {6, 6, 6, 6}, 1, {1, 1, 1, 1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AnimationStepRect(c.from, c.to, c.step), c.expected) << "step " << c.step << " toward " << c.to.left;
  }
}

// Three draws give blue, green and red, each folded into the light half 128..255.
int scriptedDraws[3];
int nextDraw = 0;
uint32_t ColorFor(int blue, int green, int red) {
  scriptedDraws[0] = blue, scriptedDraws[1] = green, scriptedDraws[2] = red;
  nextDraw = 0;
  return ToColorRef(DrawStepColor([] { return scriptedDraws[nextDraw++ % 3]; }));
}

TEST(DrawStepColor, LightColourFromThreeDraws) {
  EXPECT_EQ(ColorFor(1, 2, 3), 0x818283u) << "0x00BBGGRR";
  EXPECT_EQ(nextDraw, 3) << "exactly three draws per step";
  EXPECT_EQ(ColorFor(0, 127, 128), 0x80FF80u);
  EXPECT_EQ(ColorFor(INT_MAX, 32767, 0), 0xFFFF80u);
}

}  // namespace
