// The one owner of the levels, with fake displays and a fake settings file: what each display
// shows, and that only the user's moves write levels.
#include "levels/level_model.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "common/text.h"
#include "fake_gamma_port.h"

namespace {

using Keys = std::map<std::pair<std::u16string, std::u16string>, int>;

// Names compare without regard to case, as in the settings file. Writes wait in `queued` and reads
// see them first, as the file's pending values; a file that could not be read answers only those.
class FakeFile final : public LevelFilePort {
 public:
  Keys values, queued;
  bool readable = true;
  bool Read(const std::u16string& section, const char16_t* key, int* value) override {
    const Keys::key_type name{text::Lowered(section), text::Lowered(key)};
    const Keys& keys = queued.count(name) || !readable ? queued : values;
    const auto found = keys.find(name);
    if (found != keys.end()) *value = found->second;
    return found != keys.end();
  }
  void Write(const std::u16string& section, const char16_t* key, int value) override {
    queued[{text::Lowered(section), text::Lowered(key)}] = value;
  }
  // The sections written, each with its red level, in order of their lower-cased names.
  std::string Written() const {
    std::string written;
    for (const auto& [name, level] : queued)
      if (name.second == u"r") written += text::ToUtf8(name.first) + "=" + std::to_string(level) + " ";
    return written;
  }
};

// The displays as both the system's list and the gamma platform see them.
struct Rig final : DisplayListPort {
  // The displays, and the level the file holds for each of r, g, b and H in these sections.
  Rig(std::vector<DisplayInfo> displays, const std::map<std::u16string, int>& stored = {}) : list(std::move(displays)) {
    for (const auto& [section, level] : stored)
      for (const char16_t* key : {u"r", u"g", u"b", u"h"}) file.values[{text::Lowered(section), key}] = level;
  }
  std::vector<DisplayInfo> Enumerate() override { return list; }
  // What each listed display shows after an apply: its red level, or -1 for no ramp.
  std::map<std::u16string, int> Apply() {
    platform = FakeGammaPort{};
    for (const DisplayInfo& d : list) platform.displays.push_back({d.deviceName, true});
    controller.ApplyToDisplays(model);
    std::map<std::u16string, int> shown;
    for (const DisplayInfo& d : list)  // red entry 100 holds 100 * (level + 128)
      shown[d.id] = platform.loaded.count(d.deviceName) ? platform.loaded[d.deviceName][100] / 100 - 128 : -1;
    return shown;
  }
  std::vector<DisplayInfo> list;
  FakeGammaPort platform;
  GammaController controller{platform};
  FakeFile file;
  LevelModel model;
};

DisplayInfo Display(int number, const char16_t* id, bool hdr = false) {
  return {u"\\\\.\\DISPLAY" + text::FromInt(number), number, u"", id, hdr};
}
ColorLevels Levels(int level) { return {level, level, level, level}; }
using Shown = std::map<std::u16string, int>;
const std::u16string kAll = u"Start";
std::u16string Own(const char16_t* id) { return LevelModel::Section(id); }

// A laptop panel with its own levels, undocked from the external monitor that follows All: the
// start and the sliders touch only the panel, so All's levels wait for the external; docked
// again, it has them.
TEST(LevelModel, UndockedLaptopKeepsTheAllLevelsForTheExternal) {
  Rig r({Display(1, u"panel")}, {{kAll, 120}, {Own(u"panel"), 90}});
  r.model.Start(r, r.file, true);
  EXPECT_EQ(r.model.SliderLevels().red, 90) << "one display with its own levels: the sliders show them";
  EXPECT_EQ(r.Apply(), (Shown{{u"panel", 90}}));
  EXPECT_EQ(r.file.Written(), "") << "a start writes nothing";
  r.model.MoveSliders(Levels(80), r.file);
  EXPECT_EQ(r.file.Written(), "display panel=80 ") << "the panel's move is not an All move";
  r.list.push_back(Display(2, u"external"));
  EXPECT_TRUE(r.model.Refresh(r, r.file));
  EXPECT_EQ(r.Apply(), (Shown{{u"panel", 80}, {u"external", 120}}));
}

// Without Restore the displays show neutral until the user sets them, yet every display's
// own levels are known: an All move replaces those of the attached displays, not of the others.
TEST(LevelModel, WithoutRestoreOwnLevelsAreKnownButNotShown) {
  Rig r({Display(1, u"a"), Display(2, u"b")}, {{kAll, 60}, {Own(u"a"), 30}, {Own(u"away"), 20}});
  r.model.Start(r, r.file, false);
  EXPECT_EQ(r.Apply(), (Shown{{u"a", 128}, {u"b", 128}})) << "neutral, though a has own levels";
  r.model.Choose(1);
  EXPECT_EQ(r.model.SliderLevels().red, 128) << "a chosen: its sliders show what it shows";
  r.model.Choose(0);
  EXPECT_EQ(r.file.Written(), "");
  r.model.MoveSliders(Levels(100), r.file);
  EXPECT_EQ(r.file.Written(), "display a=100 start=100 ") << "All, and the own levels of attached displays";
  EXPECT_EQ(r.Apply(), (Shown{{u"a", 100}, {u"b", 100}}));
}

// Display 2 is chosen and leaves: it stays chosen and in the list, a move changes it alone,
// and it comes back chosen with those levels. Choosing All while it is away drops its entry.
TEST(LevelModel, AChosenDisplayThatLeavesStaysChosen) {
  Rig r({Display(1, u"a"), Display(2, u"b")});
  r.model.Start(r, r.file, true);
  r.model.Choose(2);
  r.list.pop_back();
  r.model.Refresh(r, r.file);
  EXPECT_EQ(r.model.ListEntries().size(), 2u) << "the away display keeps its entry";
  EXPECT_EQ(r.model.ChoiceIndex(), 2);
  r.model.MoveSliders(Levels(40), r.file);
  EXPECT_EQ(r.file.Written(), "display b=40 ");

  r.list.push_back(Display(3, u"b"));  // back, under another number
  r.model.Refresh(r, r.file);
  EXPECT_FALSE(r.model.ChosenAway());
  EXPECT_EQ(r.Apply(), (Shown{{u"a", 128}, {u"b", 40}}));

  r.list.pop_back();
  r.model.Refresh(r, r.file);
  r.model.Choose(0);
  EXPECT_EQ(r.model.ListEntries().size(), 1u);
}

// A start that could not read the file: nothing own is known and nothing written; the late
// read takes [Start] and each display's own levels as the file holds them, and writes nothing,
// unless the user moved All in this run: that move meant display a too, so a's section follows.
TEST(LevelModel, ALateFileGivesEachDisplayItsOwnLevels) {
  for (bool movedAll : {false, true}) {
    Rig r({Display(1, u"a"), Display(2, u"b")}, {{kAll, 60}, {Own(u"a"), 30}});
    r.file.readable = false;
    r.model.Start(r, r.file, false);  // Restore unreadable: off
    if (movedAll) r.model.MoveSliders(Levels(200), r.file);
    r.file.readable = true;
    r.model.TakeLateFile(r.file, true);
    EXPECT_EQ(r.file.Written(), movedAll ? "display a=200 start=200 " : "");
    EXPECT_EQ(r.Apply(), (movedAll ? Shown{{u"a", 200}, {u"b", 200}} : Shown{{u"a", 30}, {u"b", 60}}));
  }
}

// Three displays, the middle one in HDR: it gets no ramp, not even under a layer (the evening's), which
// changes the ramps, never the levels the sliders show or the file holds. The HDR note follows it.
TEST(LevelModel, ADisplayInHdrGetsNoRampAndALayerChangesOnlyTheRamps) {
  struct : RampLayer {
    GammaRamp Compose(const DisplayInfo&, const ColorLevels& levels) const override {
      return BuildRamp(levels.red - 28, levels.green - 28, levels.blue - 28);
    }
  } darker;
  Rig r({Display(1, u"a"), Display(2, u"b", true), Display(3, u"c")}, {{kAll, 60}});
  r.model.Start(r, r.file, true);
  EXPECT_EQ(r.Apply(), (Shown{{u"a", 60}, {u"b", -1}, {u"c", 60}}));
  EXPECT_EQ(r.platform.opened.count(u"\\\\.\\DISPLAY2"), 0u);
  r.model.SetLayer(&darker);
  EXPECT_EQ(r.Apply(), (Shown{{u"a", 32}, {u"b", -1}, {u"c", 32}}));
  EXPECT_EQ(r.model.SliderLevels().red, 60);
  EXPECT_EQ(r.file.Written(), "");
  EXPECT_FALSE(r.model.HdrNoteVisible()) << "All displays: the list marks the HDR one";
  EXPECT_TRUE(!r.model.TakesRamps(u"B") && r.model.TakesRamps(u""));
  r.model.Choose(2);
  EXPECT_TRUE(r.model.HdrNoteVisible());

  r.list[1].hdr = false;  // HDR switched off: a display change, and it gets its levels again
  EXPECT_TRUE(r.model.Refresh(r, r.file));
  EXPECT_EQ(r.Apply()[u"b"], 32);

  r.list = {Display(1, u"a", true)};
  r.model.Refresh(r, r.file);
  r.model.Choose(0);
  EXPECT_TRUE(r.model.HdrNoteVisible() && !r.model.TakesRamps(u"")) << "the only display, in HDR";
}

// Windows numbers the displays anew: the levels and the choice follow the monitor. A display
// seen for the first time gets the All levels; a -rgb move keeps the stored brightness.
TEST(LevelModel, LevelsFollowTheMonitor) {
  Rig r({Display(1, u"left"), Display(2, u"right")}, {{kAll, 60}});
  r.model.Start(r, r.file, true);
  ASSERT_TRUE(r.model.SetDisplay(u"RIGHT", Levels(10), r.file) && r.model.SetDisplay(u"left", Levels(250), r.file));
  EXPECT_FALSE(r.model.SetDisplay(u"gone", Levels(1), r.file));
  r.model.Choose(2);

  r.list = {Display(1, u"right"), Display(2, u"left"), Display(3, u"new")};
  EXPECT_TRUE(r.model.Refresh(r, r.file));
  EXPECT_EQ(r.model.ChoiceIndex(), 1) << "the choice follows the monitor to its new place";
  EXPECT_EQ(r.Apply(), (Shown{{u"right", 10}, {u"left", 250}, {u"new", 60}}));

  r.model.SetAll({-1, 20, 30, 40}, r.file);
  EXPECT_EQ(r.model.AllLevels().brightness, 60);
  EXPECT_EQ(r.file.Written(), "display left=20 display right=20 start=20 ") << "All and each attached display's own";
  EXPECT_EQ(r.file.queued.count({u"start", u"h"}), 0u) << "a kept brightness is not written back";
  EXPECT_EQ(r.model.LevelsOf(u"left").brightness, 250);
}

}  // namespace
