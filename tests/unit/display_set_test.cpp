// Levels per display through the gamma controller, with fake displays and a fake settings file.
#include "gamma/display_set.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "common/text.h"
#include "fake_gamma_platform.h"

namespace {

// Sections and keys compare without regard to case, as in the settings file.
class FakeStore final : public LevelStore {
 public:
  std::map<std::pair<std::u16string, std::u16string>, int> values;
  int writes = 0;
  bool Read(const std::u16string& section, const char16_t* key, int* value) override {
    auto found = values.find({text::Lowered(section), text::Lowered(key)});
    if (found == values.end()) return false;
    *value = found->second;
    return true;
  }
  void Write(const std::u16string& section, const char16_t* key, int value) override {
    ++writes;
    values[{text::Lowered(section), text::Lowered(key)}] = value;
  }
  void Put(const std::u16string& id, int r, int g, int b, int h) {
    const std::pair<const char16_t*, int> values[] = {{u"r", r}, {u"g", g}, {u"b", b}, {u"H", h}};
    for (const auto& kv : values) Write(DisplaySet::Section(id), kv.first, kv.second);
  }
};

// The displays as both the system's list and the gamma platform see them, and the rest of a dialog's parts.
struct Rig final : DisplayInfoSource {
  explicit Rig(std::vector<DisplayInfo> displays, bool attach = true) : list(std::move(displays)) {
    if (attach) Attach();
  }
  std::vector<DisplayInfo> Enumerate() override { return list; }
  void Attach() {
    platform.displays.clear();
    for (const DisplayInfo& d : list) platform.displays.push_back({d.deviceName, true});
  }
  std::vector<DisplayInfo> list;
  FakeGammaPlatform platform;
  GammaController controller{platform};
  FakeStore store;
  DisplaySet set;
};

DisplayInfo Display(int number, const char16_t* id, const char16_t* monitor = u"", bool hdr = false) {
  return {u"\\\\.\\DISPLAY" + text::FromInt(number), number, monitor, id, hdr};
}

ColorLevels Levels(int level) { return {level, level, level, level}; }

// What each display's hardware holds after an apply: its red level, or -1 when it got no ramp.
std::map<std::u16string, int> RedLevels(const FakeGammaPlatform& platform) {
  std::map<std::u16string, int> result;
  for (const auto& display : platform.displays) {
    auto loaded = platform.loaded.find(display.name);  // red entry 100 holds 100 * (level + 128), never clipped
    result[display.name] = loaded == platform.loaded.end() ? -1 : loaded->second[100] / 100 - 128;
  }
  return result;
}

const char16_t* const kD1 = u"\\\\.\\DISPLAY1";
const char16_t* const kD2 = u"\\\\.\\DISPLAY2";
const char16_t* const kD3 = u"\\\\.\\DISPLAY3";

TEST(DisplayNames, LabelsAndTheDisplayOption) {
  EXPECT_EQ(DisplayNumber(u"\\\\.\\DISPLAY12"), 12);
  EXPECT_EQ(DisplayNumber(u"\\\\.\\display3"), 3);
  for (const char16_t* bad : {u"\\\\.\\DISPLAY", u"\\\\.\\DISPLAY1x", u"DISPLAY1", u""}) {
    EXPECT_EQ(DisplayNumber(bad), 0) << text::ToUtf8(bad);
  }
  EXPECT_EQ(text::ToUtf8(DisplayLabel(Display(2, u"a", u"DELL U2720Q"), u"Display %s", u"HDR")), "2 - DELL U2720Q");
  EXPECT_EQ(text::ToUtf8(DisplayLabel(Display(3, u"b"), u"Bildschirm %s", u"HDR")), "Bildschirm 3");
  EXPECT_EQ(text::ToUtf8(DisplayLabel(Display(1, u"c", u"LG", true), u"Display %s", u"HDR")), "1 - LG - HDR");

  const std::vector<DisplayInfo> displays = {Display(1, u"a", u"DELL U2720Q"), Display(2, u"b", u"Dell P2419H"),
                                             Display(12, u"c", u"LG Ultra 2")};
  // "2": the number, not "LG Ultra 2"; "27": no display 27, a part of "U2720Q"; "u2720": any case;
  // "dell": two Dells, no guess.
  const struct { const char16_t* query; int found; } cases[] = {
      {u"2", 1}, {u"12", 2}, {u"27", 0}, {u"u2720", 0}, {u"dell", -1}, {u"", -1}};
  for (const auto& c : cases) EXPECT_EQ(FindDisplay(displays, c.query), c.found) << text::ToUtf8(c.query);
}

// Auto Color Management turns advanced colour on without HDR; only the mode report or
// advanced colour without enforced wide colour means HDR.
TEST(DisplayNames, HdrFromTheColourReports) {
  const struct { AdvancedColorReport report; bool hdr; const char* what; } cases[] = {
      {{true, 2, false, false, false}, true, "mode report: HDR"},
      {{true, 1, true, true, false}, false, "mode report: wide colour (ACM) wins over the older report"},
      {{true, 0, false, false, false}, false, "mode report: SDR"},
      {{false, 0, true, true, false}, true, "older report: advanced colour on"},
      {{false, 0, true, true, true}, false, "older report: ACM enforces wide colour"},
      {{false, 0, true, false, false}, false, "older report: off"},
      {{false, 2, false, true, false}, false, "no report at all"},
  };
  for (const auto& c : cases) EXPECT_EQ(IsHdr(c.report), c.hdr) << c.what;
}

// Three displays, the middle one in HDR: it gets no ramp, is not read back, and says so.
TEST(DisplaySet, ThreeDisplaysOneInHdr) {
  Rig r({Display(1, u"a"), Display(2, u"b", u"HDR TV", true), Display(3, u"c")});
  r.platform.displays[1].readback = FakeGammaPlatform::Display::KeepsIdentity;
  r.set.Start(r, r.store, Levels(60), true);
  EXPECT_EQ(r.controller.ApplyToDisplays(r.set, true), 1);
  EXPECT_FALSE(r.controller.RampIgnored()) << "an HDR display is not asked what it keeps";
  EXPECT_EQ(RedLevels(r.platform), (std::map<std::u16string, int>{{kD1, 60}, {kD2, -1}, {kD3, 60}}));
  EXPECT_EQ(r.platform.opened.count(kD2), 0u);
  EXPECT_FALSE(r.set.HdrNoteVisible()) << "All displays: the list marks the HDR one";
  r.set.Choose(2);
  EXPECT_TRUE(r.set.HdrNoteVisible());

  // HDR switched off: a display change, and the display gets its levels again.
  r.list[1].hdr = false;
  EXPECT_TRUE(r.set.Refresh(r, r.store));
  r.controller.ApplyToDisplays(r.set);
  EXPECT_EQ(RedLevels(r.platform)[kD2], 60);
  EXPECT_FALSE(r.set.HdrNoteVisible());

  // The only display, in HDR: no list, but the note.
  r.list = {Display(1, u"a", u"", true)};
  r.set.Refresh(r, r.store);
  EXPECT_FALSE(r.set.ListVisible());
  EXPECT_TRUE(r.set.HdrNoteVisible());
}

// A display unplugged keeps its levels (clamped as read) for its return; the choice falls
// back to All; a display never seen before gets the All levels.
TEST(DisplaySet, UnpluggedAndPluggedBackIn) {
  Rig r({Display(1, u"a"), Display(2, u"b")}, false);
  r.store.Put(u"b", 300, -4, 32, 33);
  r.set.Start(r, r.store, Levels(128), true);
  r.set.Choose(2);
  EXPECT_EQ(r.set.SliderLevels().brightness, 33) << "stored levels read at the start";
  EXPECT_EQ(r.set.SliderLevels().green, 0) << "and clamped";

  r.list.pop_back();
  EXPECT_TRUE(r.set.Refresh(r, r.store));
  EXPECT_TRUE(r.set.AllChosen()) << "the chosen display went away";
  EXPECT_FALSE(r.set.ListVisible());
  r.set.SetFromSliders(Levels(90), r.store);

  r.list = {Display(1, u"a"), Display(2, u"b"), Display(3, u"new")};
  r.Attach();
  EXPECT_TRUE(r.set.Refresh(r, r.store));
  r.controller.ApplyToDisplays(r.set);
  EXPECT_EQ(RedLevels(r.platform), (std::map<std::u16string, int>{{kD1, 90}, {kD2, 256}, {kD3, 90}}));

  // Attached but not yet listed (the refresh comes with the display change): All levels.
  r.platform.displays.push_back({u"\\\\.\\DISPLAY4", true});
  r.controller.ApplyToDisplays(r.set);
  EXPECT_EQ(RedLevels(r.platform)[u"\\\\.\\DISPLAY4"], 90);
  EXPECT_FALSE(r.set.Refresh(r, r.store)) << "the same displays: nothing to refill";
}

// Windows numbers the displays anew: the levels follow the monitor.
TEST(DisplaySet, RenumberedDisplaysKeepTheirLevels) {
  Rig r({Display(1, u"left", u"L"), Display(2, u"right", u"R")});
  r.set.Start(r, r.store, Levels(128), true);
  r.set.Choose(2);
  r.set.SetFromSliders(Levels(10), r.store);
  r.set.Choose(1);
  r.set.SetFromSliders(Levels(250), r.store);

  r.list = {Display(1, u"right", u"R"), Display(2, u"left", u"L")};
  EXPECT_TRUE(r.set.Refresh(r, r.store));
  EXPECT_EQ(r.set.ChoiceIndex(), 2) << "the choice follows the monitor to its new place";
  r.controller.ApplyToDisplays(r.set);
  EXPECT_EQ(RedLevels(r.platform), (std::map<std::u16string, int>{{kD1, 10}, {kD2, 250}}));

  // A restart with "restore" reads them back by id (run end to end); without it the stored
  // levels of the displays are not used, as [Start]'s are not.
  DisplaySet notRestored;
  notRestored.Start(r, r.store, Levels(128), false);
  r.controller.ApplyToDisplays(notRestored);
  EXPECT_EQ(RedLevels(r.platform), (std::map<std::u16string, int>{{kD1, 128}, {kD2, 128}}));
}

}  // namespace
