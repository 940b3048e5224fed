// The one owner of the levels, with fake displays and a fake settings file: what each display
// shows, and that only the user's moves write levels.
#include "levels/level_model.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "common/text.h"
#include "fake_gamma_port.h"

namespace {

using Keys = std::map<std::pair<std::u16string, std::u16string>, int>;

// Sections and keys compare without regard to case, as in the settings file. Writes wait in
// `queued` and reads see them first, as the settings file's pending values; a file that could
// not be read answers nothing else.
class FakeFile final : public LevelFilePort {
 public:
  Keys values, queued;
  bool readable = true;
  bool Read(const std::u16string& section, const char16_t* key, int* value) override {
    for (const Keys* keys : {&queued, &values}) {
      if (keys == &values && !readable) return false;
      auto found = keys->find({text::Lowered(section), text::Lowered(key)});
      if (found == keys->end()) continue;
      *value = found->second;
      return true;
    }
    return false;
  }
  void Write(const std::u16string& section, const char16_t* key, int value) override {
    queued[{text::Lowered(section), text::Lowered(key)}] = value;
  }
  void Put(const std::u16string& section, int level) {
    for (const char16_t* key : {u"r", u"g", u"b", u"h"}) values[{text::Lowered(section), key}] = level;
  }
  // The level queued for a section's red, or -1.
  int QueuedRed(const std::u16string& section) const {
    auto found = queued.find({text::Lowered(section), u"r"});
    return found == queued.end() ? -1 : found->second;
  }
};

// The displays as both the system's list and the gamma platform see them.
struct Rig final : DisplayListPort {
  explicit Rig(std::vector<DisplayInfo> displays) : list(std::move(displays)) {}
  std::vector<DisplayInfo> Enumerate() override { return list; }
  // What each listed display shows after an apply: its red level, or -1 for no ramp.
  std::map<std::u16string, int> Apply() {
    platform.displays.clear();
    platform.loaded.clear();
    for (const DisplayInfo& d : list) platform.displays.push_back({d.deviceName, true});
    controller.ApplyToDisplays(model);
    std::map<std::u16string, int> shown;
    for (const DisplayInfo& d : list) {
      auto loaded = platform.loaded.find(d.deviceName);  // red entry 100 holds 100 * (level + 128)
      shown[d.id] = loaded == platform.loaded.end() ? -1 : loaded->second[100] / 100 - 128;
    }
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

// A laptop panel with its own levels, an external monitor that follows All: undocked, the
// start and the sliders touch only the panel; docked again, the external has All's levels.
TEST(LevelModel, UndockedLaptopKeepsTheAllLevelsForTheExternal) {
  Rig r({Display(1, u"panel")});
  r.file.Put(kAll, 128);
  r.file.Put(Own(u"panel"), 90);
  r.model.Start(r, r.file, true);
  EXPECT_EQ(r.model.SliderLevels().red, 90) << "one display with its own levels: the sliders show them";
  EXPECT_EQ(r.Apply(), (Shown{{u"panel", 90}}));
  EXPECT_TRUE(r.file.queued.empty()) << "a start writes nothing";

  r.model.MoveSliders(Levels(80), r.file);
  EXPECT_EQ(r.file.QueuedRed(Own(u"panel")), 80);
  EXPECT_EQ(r.file.QueuedRed(kAll), -1) << "the panel's move is not an All move";

  r.list.push_back(Display(2, u"external"));
  EXPECT_TRUE(r.model.Refresh(r, r.file));
  EXPECT_EQ(r.Apply(), (Shown{{u"panel", 80}, {u"external", 128}}));
  EXPECT_EQ(r.model.SliderLevels().red, 128) << "two displays, All chosen: the All levels";
}

// Without Restore the displays show neutral until the user sets them, yet every display's
// own levels are known: an All move replaces those of the attached displays, not of the others.
TEST(LevelModel, WithoutRestoreOwnLevelsAreKnownButNotShown) {
  Rig r({Display(1, u"a"), Display(2, u"b")});
  r.file.Put(kAll, 60);
  r.file.Put(Own(u"a"), 30);
  r.file.Put(Own(u"away"), 20);
  r.model.Start(r, r.file, false);
  EXPECT_EQ(r.Apply(), (Shown{{u"a", 128}, {u"b", 128}})) << "neutral, though a has own levels";
  r.model.Choose(1);
  EXPECT_EQ(r.model.SliderLevels().red, 128);
  r.model.Choose(0);
  EXPECT_TRUE(r.file.queued.empty());

  r.model.MoveSliders(Levels(100), r.file);
  EXPECT_EQ(r.file.QueuedRed(kAll), 100);
  EXPECT_EQ(r.file.QueuedRed(Own(u"a")), 100) << "the attached display's own levels follow the All move";
  EXPECT_EQ(r.file.QueuedRed(Own(u"b")), -1) << "a display without own levels keeps following All";
  EXPECT_EQ(r.file.QueuedRed(Own(u"away")), -1) << "a display not attached keeps its own";
  EXPECT_EQ(r.Apply(), (Shown{{u"a", 100}, {u"b", 100}}));
}

// Display 2 is chosen and leaves: it stays chosen and in the list, a move changes it alone,
// and it comes back chosen with those levels. The other display and All are untouched.
TEST(LevelModel, AChosenDisplayThatLeavesStaysChosen) {
  Rig r({Display(1, u"a"), Display(2, u"b")});
  r.model.Start(r, r.file, true);
  r.model.Choose(2);
  r.list.pop_back();
  r.model.Refresh(r, r.file);
  EXPECT_TRUE(r.model.ChosenAway());
  EXPECT_EQ(r.model.ListEntries().size(), 2u) << "the away display keeps its entry";
  EXPECT_EQ(r.model.ChoiceIndex(), 2);
  EXPECT_TRUE(r.model.ListVisible());

  r.model.MoveSliders(Levels(40), r.file);
  EXPECT_EQ(r.file.QueuedRed(Own(u"b")), 40);
  EXPECT_EQ(r.file.QueuedRed(kAll), -1);
  EXPECT_EQ(r.file.QueuedRed(Own(u"a")), -1);
  EXPECT_EQ(r.Apply(), (Shown{{u"a", 128}}));

  r.list.push_back(Display(3, u"b"));  // back, under another number
  r.model.Refresh(r, r.file);
  EXPECT_FALSE(r.model.ChosenAway());
  EXPECT_EQ(r.model.ChoiceIndex(), 2);
  EXPECT_EQ(r.Apply(), (Shown{{u"a", 128}, {u"b", 40}}));

  // Choosing All while a display is away drops its entry.
  r.list.pop_back();
  r.model.Refresh(r, r.file);
  r.model.Choose(0);
  EXPECT_EQ(r.model.ListEntries().size(), 1u);
  EXPECT_FALSE(r.model.ListVisible());
}

// A start that could not read the file: nothing own is known and nothing written; the late
// read takes [Start] and each display's own levels as the file holds them, and the user's
// moves of this run win over the file.
TEST(LevelModel, ALateFileGivesEachDisplayItsOwnLevels) {
  for (bool userMovedAll : {false, true}) {
    Rig r({Display(1, u"a"), Display(2, u"b")});
    r.file.Put(kAll, 60);
    r.file.Put(Own(u"a"), 30);
    r.file.readable = false;
    r.model.Start(r, r.file, false);  // Restore unreadable: off
    if (userMovedAll) r.model.MoveSliders(Levels(200), r.file);
    const Keys queuedBefore = r.file.queued;
    r.file.readable = true;
    r.model.TakeLateFile(r.file, true);
    if (!userMovedAll) {
      EXPECT_TRUE(r.file.queued.empty()) << "taking the late file writes nothing";
      EXPECT_EQ(r.Apply(), (Shown{{u"a", 30}, {u"b", 60}}));
    } else {
      // The All move meant every display, display a included: its section follows.
      EXPECT_EQ(r.file.QueuedRed(Own(u"a")), 200);
      EXPECT_EQ(r.file.QueuedRed(kAll), 200);
      EXPECT_EQ(r.Apply(), (Shown{{u"a", 200}, {u"b", 200}}));
    }
  }
}

// Three displays, the middle one in HDR: it gets no ramp and takes none; the note follows it.
TEST(LevelModel, ADisplayInHdrGetsNoRamp) {
  Rig r({Display(1, u"a"), Display(2, u"b", true), Display(3, u"c")});
  r.file.Put(kAll, 60);
  r.model.Start(r, r.file, true);
  EXPECT_EQ(r.Apply(), (Shown{{u"a", 60}, {u"b", -1}, {u"c", 60}}));
  EXPECT_EQ(r.platform.opened.count(u"\\\\.\\DISPLAY2"), 0u);
  EXPECT_FALSE(r.model.HdrNoteVisible()) << "All displays: the list marks the HDR one";
  EXPECT_FALSE(r.model.TakesRamps(u"B"));
  EXPECT_TRUE(r.model.TakesRamps(u""));
  r.model.Choose(2);
  EXPECT_TRUE(r.model.HdrNoteVisible());

  r.list[1].hdr = false;  // HDR switched off: a display change, and it gets its levels again
  EXPECT_TRUE(r.model.Refresh(r, r.file));
  EXPECT_EQ(r.Apply()[u"b"], 60);

  r.list = {Display(1, u"a", true)};
  r.model.Refresh(r, r.file);
  r.model.Choose(0);
  EXPECT_TRUE(r.model.HdrNoteVisible()) << "the only display, in HDR";
  EXPECT_FALSE(r.model.TakesRamps(u""));
}

// Windows numbers the displays anew: the levels and the choice follow the monitor. A display
// seen for the first time gets the All levels; a -rgb move keeps the stored brightness.
TEST(LevelModel, LevelsFollowTheMonitor) {
  Rig r({Display(1, u"left"), Display(2, u"right")});
  r.model.Start(r, r.file, true);
  ASSERT_TRUE(r.model.SetDisplay(u"RIGHT", Levels(10), r.file));
  ASSERT_TRUE(r.model.SetDisplay(u"left", Levels(250), r.file));
  EXPECT_FALSE(r.model.SetDisplay(u"gone", Levels(1), r.file));
  r.model.Choose(2);

  r.list = {Display(1, u"right"), Display(2, u"left"), Display(3, u"new")};
  EXPECT_TRUE(r.model.Refresh(r, r.file));
  EXPECT_EQ(r.model.ChoiceIndex(), 1) << "the choice follows the monitor to its new place";
  EXPECT_EQ(r.Apply(), (Shown{{u"right", 10}, {u"left", 250}, {u"new", 128}}));

  r.model.SetAll({-1, 20, 30, 40}, r.file);
  EXPECT_EQ(r.model.AllLevels().brightness, 128);
  EXPECT_EQ(r.file.queued.count({u"start", u"h"}), 0u) << "a kept brightness is not written back";
  EXPECT_EQ(r.model.LevelsOf(u"left").brightness, 250);
}

// A layer on top (the evening's) changes the ramps each display gets, never the levels the
// sliders show or the file holds; a display in HDR still gets nothing.
TEST(LevelModel, ALayerChangesTheRampsNotTheLevels) {
  struct : RampLayer {
    GammaRamp Compose(const DisplayInfo&, const ColorLevels& levels) const override {
      return BuildRamp(levels.red - 28, levels.green - 28, levels.blue - 28);
    }
  } darker;
  Rig r({Display(1, u"a"), Display(2, u"b", true)});
  r.file.Put(kAll, 100);
  r.model.Start(r, r.file, true);
  r.model.SetLayer(&darker);
  EXPECT_EQ(r.Apply(), (Shown{{u"a", 72}, {u"b", -1}}));
  EXPECT_EQ(r.model.SliderLevels().red, 100);
  EXPECT_TRUE(r.file.queued.empty());
  r.model.SetLayer(nullptr);
  EXPECT_EQ(r.Apply(), (Shown{{u"a", 100}, {u"b", -1}}));
}

}  // namespace
