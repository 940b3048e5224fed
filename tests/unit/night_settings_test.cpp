#include "night/night_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>

#include "common/text.h"

namespace {

constexpr const char* kKeys[] = {"On",         "Sun",         "Start",      "End",        "Latitude",
                                 "Longitude",  "Temperature", "Brightness", "Transition", "PauseFullScreen",
                                 "PausedUntil"};
using Texts = std::array<std::string, 11>;  // one per key, in kKeys' order
const Texts kDefaults = {"0", "0", "21:00", "07:00", "", "", "3400", "0", "30", "0", ""};
const Texts kGood = {"1", "1", "22:30", "06:45", "52.52", "-13.405", "2700", "-40", "45", "1", "2026-12-08 22:15"};

struct FakeValues final : NightValuesPort {
  FakeValues() = default;
  explicit FakeValues(const Texts& texts) {
    for (size_t i = 0; i < texts.size(); ++i) values[kKeys[i]] = texts[i];
  }
  explicit FakeValues(const NightSettings& settings) {
    for (const auto& entry : NightSettingsTexts(settings)) values[text::ToUtf8(entry.key)] = text::ToUtf8(entry.text);
  }
  bool Value(const char16_t* key, std::u16string* text) const override {
    const auto found = values.find(text::ToUtf8(key));
    if (found != values.end()) *text = text::FromUtf8(found->second);
    return found != values.end();
  }
  std::map<std::string, std::string> values;
};

// Key=text lines, for comparing whole sections in one message.
std::string Lines(const Texts& texts) {
  std::string lines;
  for (size_t i = 0; i < texts.size(); ++i) lines += std::string(kKeys[i]) + "=" + texts[i] + "\n";
  return lines;
}
std::string Lines(const NightSettings& settings) {
  std::string lines;
  for (const auto& entry : NightSettingsTexts(settings)) {
    lines += text::ToUtf8(entry.key) + "=" + text::ToUtf8(entry.text) + "\n";
  }
  return lines;
}

TEST(NightSettings, EmptySectionGivesDefaults) {
  std::vector<std::u16string> bad;
  EXPECT_EQ(Lines(ReadNightSettings(FakeValues(), &bad)), Lines(kDefaults));
  EXPECT_TRUE(bad.empty());
}

// One unusable value at a time among good ones: that key alone is reported and defaulted. A bad latitude or longitude
// leaves no location, so both are written back empty.
TEST(NightSettings, BadValuesAreReportedAndDefaulted) {
  for (const std::string line :
       {"On=2", "Start=24:00", "Start=7:5", "End=12:60", "End=0700", "Latitude=91", "Latitude=52,5", "Longitude=-180.5",
        "Temperature=1800", "Temperature=6600", "Brightness=5", "Brightness=-81", "Brightness=--3", "Transition=121",
        "Transition=-1", "PausedUntil=2026-02-30 22:15", "PausedUntil=2026-12-08 24:00",
        "PausedUntil=2026/12/08 22:15"}) {
    const std::string key = line.substr(0, line.find('='));
    const size_t index = std::find(std::begin(kKeys), std::end(kKeys), key) - std::begin(kKeys);
    FakeValues values(kGood);
    values.values[key] = line.substr(key.size() + 1);
    Texts expected = kGood;
    expected[index] = kDefaults[index];
    if (key == "Latitude" || key == "Longitude") expected[4] = expected[5] = "";
    std::vector<std::u16string> bad;
    EXPECT_EQ(Lines(ReadNightSettings(values, &bad)), Lines(expected)) << line;
    ASSERT_EQ(bad.size(), 1u) << line;
    EXPECT_EQ(text::ToUtf8(bad[0]), key);
  }
}

TEST(NightSettings, AcceptsLooserForms) {
  FakeValues values;
  values.values = {{"Start", " 7:05 "},   {"Temperature", "3450"}, {"Brightness", "-0"},
                   {"Latitude", "+52.5"}, {"Longitude", ""},       {"PausedUntil", "2026-12-08 7:05"}};
  std::vector<std::u16string> bad;
  const NightSettings settings = ReadNightSettings(values, &bad);
  EXPECT_TRUE(bad.empty()) << bad.size() << " reported";
  EXPECT_EQ(settings.schedule.startMinute, 7 * 60 + 5);
  EXPECT_EQ(settings.temperature, 3500) << "to the nearest 100";
  EXPECT_FALSE(settings.schedule.haveLocation) << "a latitude without a longitude is no location";
  EXPECT_TRUE(settings.paused && settings.pausedDate == (LocalDate{2026, 12, 8}) && settings.pausedMinute == 425);
}

// '.' always, the locale's separator besides, nothing else; up to the limit (90 here) either way.
TEST(NightSettings, ParseDegrees) {
  const double kRejected = -1000;
  const struct {
    const char16_t* text;
    char16_t separator;
    double degrees;
  } cases[] = {
      {u"52,52", u',', 52.52},       {u"52.52", u',', 52.52},     {u" -0.1278 ", u'.', -0.1278},
      {u"+13.4", u',', 13.4},        {u"-90", u'.', -90},         {u"52,52", u'.', kRejected},
      {u"90.0001", u'.', kRejected}, {u"1.2.3", u'.', kRejected}, {u"5 2", u'.', kRejected},
      {u".", u',', kRejected},
  };
  for (const auto& c : cases) {
    double degrees = kRejected;
    EXPECT_EQ(ParseDegrees(c.text, c.separator, 90, &degrees), c.degrees != kRejected) << text::ToUtf8(c.text);
    EXPECT_TRUE(c.degrees == kRejected || degrees == c.degrees) << text::ToUtf8(c.text) << " gave " << degrees;
  }
}

// Degrees to 4 decimals, without trailing zeros or a lone minus; every value read back as written.
TEST(NightSettings, FormatsReadBackUnchanged) {
  EXPECT_EQ(text::ToUtf8(FormatDegrees(-0.12784)), "-0.1278");
  EXPECT_EQ(text::ToUtf8(FormatDegrees(13)), "13");
  EXPECT_EQ(text::ToUtf8(FormatDegrees(-0.00001)), "0");

  // 00:00 to 23:59 at Sydney, paused until 2027-01-01 00:05.
  const NightSettings settings{
      {false, false, 0, 1439, -33.8688, 151.2093, true}, 3400, 0, false, true, {2027, 1, 1}, 5};
  std::vector<std::u16string> bad;
  const NightSettings back = ReadNightSettings(FakeValues(settings), &bad);
  EXPECT_TRUE(bad.empty());
  EXPECT_EQ(Lines(back), Lines(settings));
  EXPECT_EQ(back.schedule.latitude, -33.8688);
}

}  // namespace
