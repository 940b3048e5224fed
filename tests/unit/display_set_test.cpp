// Display names, numbers, the "-display" option's matching and the HDR rule.
#include "gamma/display_set.h"

#include <gtest/gtest.h>

#include "common/text.h"

namespace {

DisplayInfo Display(int number, const char16_t* id, const char16_t* monitor = u"", bool hdr = false) {
  return {u"\\\\.\\DISPLAY" + text::FromInt(number), number, monitor, id, hdr};
}

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
  // "2": the number, not "LG Ultra 2"; digits alone are a number only, so "27" (no display 27)
  // is not "U2720Q"; "u2720": any case; "dell": two Dells, no guess.
  const struct {
    const char16_t* query;
    int found;
  } cases[] = {{u"2", 1},   {u"12", 2},    {u"27", -1}, {u"5", -1},          {u"u2720", 0},
               {u"U27", 0}, {u"dell", -1}, {u"", -1},   {u"99999999999", -1}};
  for (const auto& c : cases) EXPECT_EQ(FindDisplay(displays, c.query), c.found) << text::ToUtf8(c.query);
  EXPECT_EQ(text::ToUtf8(DisplayNumbers(displays)), "1, 2, 12");
}

// Auto Color Management turns advanced colour on without HDR; only the mode report or
// advanced colour without enforced wide colour means HDR.
TEST(DisplayNames, HdrFromTheColourReports) {
  const struct {
    AdvancedColorReport report;
    bool hdr;
    const char* what;
  } cases[] = {
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

}  // namespace
