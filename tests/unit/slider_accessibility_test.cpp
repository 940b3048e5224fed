#include "dialog/slider_accessibility.h"
#include "dialog/level_text.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// Records what a screen reader would be told.
struct FakeAnnotations : SliderAnnotationPort {
  bool screenReader = true, available = true;
  int readyCalls = 0;
  std::vector<std::string> calls;
  bool ScreenReaderActive() override { return screenReader; }
  bool Ready() override {
    ++readyCalls;
    return available;
  }
  void SetName(int slider, const std::u16string& name) override { calls.push_back(Line("name", slider, name)); }
  void SetValue(int slider, const std::u16string& value) override { calls.push_back(Line("value", slider, value)); }
  static std::string Line(const char* what, int slider, const std::u16string& text) {
    return std::string(what) + " " + std::to_string(slider) + " " + std::string(text.begin(), text.end());
  }
};

std::map<int, std::u16string> texts;
std::u16string TextOf(int id) { return texts.count(id) ? texts[id] : u"?"; }
const std::map<int, std::u16string> kEnglish = {{42, u"Brightness"}, {70, u"Red"}, {71, u"Green"}, {72, u"Blue"}};
const std::map<int, std::u16string> kDutch = {{42, u"Helderheid"}, {70, u"Rood"}, {71, u"Groen"}, {72, u"Blauw"}};

TEST(SliderAccessibility, NamesAreTheLabelsAndValuesThePercentagesShown) {
  FakeAnnotations port;
  SliderAccessibility accessibility;
  texts = kEnglish;
  accessibility.Update(port, {64, 200, 1, 256}, TextOf, false);
  EXPECT_EQ(port.calls, (std::vector<std::string>{"name 0 Brightness", "name 1 Red", "name 2 Green", "name 3 Blue",
                                                  "value 0 -25 %", "value 1 28 %", "value 2 -49 %", "value 3 50 %"}));

  // A new language names them again; only the value that changed is set again.
  port.calls.clear();
  texts = kDutch;
  accessibility.Update(port, {64, 200, 128, 256}, TextOf, true);
  EXPECT_EQ(port.calls, (std::vector<std::string>{"name 0 Helderheid", "name 1 Rood", "name 2 Groen", "name 3 Blauw",
                                                  "value 2 0 %"}));
}

// Without a screen reader nothing is loaded; without the service nothing is set. Once a
// screen reader starts, the names and the current values follow.
TEST(SliderAccessibility, WorksOnlyWhileAScreenReaderRuns) {
  FakeAnnotations port;
  SliderAccessibility accessibility;
  texts = kEnglish;
  port.screenReader = false;
  accessibility.Update(port, {128, 128, 128, 128}, TextOf, true);
  EXPECT_EQ(port.readyCalls, 0) << "the annotation service must not be loaded without a screen reader";
  port.screenReader = true;
  port.available = false;
  accessibility.Update(port, {128, 128, 128, 128}, TextOf, false);
  EXPECT_TRUE(port.calls.empty());
  port.available = true;
  accessibility.Update(port, {0, 0, 0, 0}, TextOf, false);
  EXPECT_EQ(port.calls.size(), 8u) << "expected four names and four values once the service is there";
  EXPECT_EQ(port.calls.back(), "value 3 -50 %");
}

// The sliders move to another display's levels (a choice in the list, a refresh): the labels
// and what a screen reader hears move with them, in one call.
TEST(SliderViewPort, LabelsAndAccessibleValuesFollowEveryMove) {
  struct : SliderViewPort {
    int positions[4] = {}, heard[4] = {};
    std::string labels[4];
    void SetPosition(int slider, int level) override { positions[slider] = level; }
    void SetLabel(int slider, const std::string& text) override { labels[slider] = text; }
    void SetAccessibleValues(const int (&levels)[4]) override { std::copy(levels, levels + 4, heard); }
  } view;
  ShowLevelsOn(view, {64, 64, 64, 64});
  EXPECT_EQ(std::vector<std::string>(view.labels, view.labels + 4),
            (std::vector<std::string>{" -25 %", " -25 %", " -25 %", " -25 %"}));
  ShowLevelsOn(view, {128, 200, 128, 1});
  EXPECT_EQ(std::vector<std::string>(view.labels, view.labels + 4),
            (std::vector<std::string>{"RGB", " 28 %", " 0 %", " -49 %"}));
  EXPECT_EQ(std::vector<int>(view.positions, view.positions + 4), (std::vector<int>{128, 200, 128, 1}));
  EXPECT_EQ(std::vector<int>(view.heard, view.heard + 4), (std::vector<int>{128, 200, 128, 1}));
}

}  // namespace
