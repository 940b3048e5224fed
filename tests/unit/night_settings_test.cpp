#include "night/night_settings.h"

#include <gtest/gtest.h>

#include <map>

#include "common/text.h"

namespace {

class FakeValues final : public NightValuesPort {
 public:
  bool Value(const char16_t* key, std::u16string* text) const override {
    const auto found = values.find(key);
    if (found == values.end()) return false;
    *text = found->second;
    return true;
  }
  std::map<std::u16string, std::u16string> values;
};

// Key=text lines as written back, for comparing whole sections in one message.
std::string Section(const NightSettings& settings) {
  std::string lines;
  for (const auto& entry : NightSettingsTexts(settings)) {
    lines += text::ToUtf8(entry.key) + "=" + text::ToUtf8(entry.text) + "\n";
  }
  return lines;
}

std::string Section(const std::map<std::u16string, std::u16string>& values) {
  std::string lines;
  for (const char16_t* key : {u"On", u"Sun", u"Start", u"End", u"Latitude", u"Longitude", u"Temperature", u"Brightness",
                              u"Transition", u"PauseFullScreen", u"PausedUntil"}) {
    lines += text::ToUtf8(key) + "=" + text::ToUtf8(values.at(key)) + "\n";
  }
  return lines;
}

const std::map<std::u16string, std::u16string> kDefaults = {{u"On", u"0"},
                                                            {u"Sun", u"0"},
                                                            {u"Start", u"21:00"},
                                                            {u"End", u"07:00"},
                                                            {u"Latitude", u""},
                                                            {u"Longitude", u""},
                                                            {u"Temperature", u"3400"},
                                                            {u"Brightness", u"0"},
                                                            {u"Transition", u"30"},
                                                            {u"PauseFullScreen", u"0"},
                                                            {u"PausedUntil", u""}};
const std::map<std::u16string, std::u16string> kGood = {{u"On", u"1"},
                                                        {u"Sun", u"1"},
                                                        {u"Start", u"22:30"},
                                                        {u"End", u"06:45"},
                                                        {u"Latitude", u"52.52"},
                                                        {u"Longitude", u"-13.405"},
                                                        {u"Temperature", u"2700"},
                                                        {u"Brightness", u"-40"},
                                                        {u"Transition", u"45"},
                                                        {u"PauseFullScreen", u"1"},
                                                        {u"PausedUntil", u"2026-12-08 22:15"}};

TEST(NightSettings, EmptySectionGivesDefaults) {
  std::vector<std::u16string> bad;
  const NightSettings settings = ReadNightSettings(FakeValues(), &bad);
  EXPECT_EQ(Section(settings), Section(kDefaults));
  EXPECT_FALSE(settings.schedule.haveLocation || settings.paused);
  EXPECT_TRUE(bad.empty());
}

// One unusable value at a time among good ones: that key alone is reported and defaulted. A bad
// latitude or longitude leaves no location, so both are written back empty.
TEST(NightSettings, BadValuesAreReportedAndDefaulted) {
  const struct {
    const char16_t* key;
    const char16_t* value;
  } cases[] = {
      {u"On", u"yes"},
      {u"On", u"2"},
      {u"Sun", u"-1"},
      {u"Start", u"24:00"},
      {u"Start", u"7:5"},
      {u"Start", u"dusk"},
      {u"End", u"12:60"},
      {u"End", u"0700"},
      {u"Latitude", u"91"},
      {u"Latitude", u"52,5"},
      {u"Latitude", u"N52"},
      {u"Longitude", u"-180.5"},
      {u"Temperature", u"1800"},
      {u"Temperature", u"6600"},
      {u"Temperature", u"warm"},
      {u"Brightness", u"5"},
      {u"Brightness", u"-81"},
      {u"Brightness", u"--3"},
      {u"Transition", u"121"},
      {u"Transition", u"-1"},
      {u"PauseFullScreen", u"true"},
      {u"PausedUntil", u"2026-02-30 22:15"},
      {u"PausedUntil", u"2026-12-08 24:00"},
      {u"PausedUntil", u"tomorrow"},
  };
  for (const auto& c : cases) {
    FakeValues values;
    values.values = kGood;
    values.values[c.key] = c.value;
    std::map<std::u16string, std::u16string> expected = kGood;
    expected[c.key] = kDefaults.at(c.key);
    if (expected[u"Latitude"].empty() || expected[u"Longitude"].empty()) {
      expected[u"Latitude"] = expected[u"Longitude"] = u"";
    }
    std::vector<std::u16string> bad;
    const NightSettings settings = ReadNightSettings(values, &bad);
    const std::string what = text::ToUtf8(c.key) + "=" + text::ToUtf8(c.value);
    EXPECT_EQ(Section(settings), Section(expected)) << what;
    ASSERT_EQ(bad.size(), 1u) << what;
    EXPECT_EQ(text::ToUtf8(bad[0]), text::ToUtf8(c.key)) << what;
  }
}

TEST(NightSettings, AcceptsLooserForms) {
  FakeValues values;
  values.values = {{u"Start", u" 7:05 "},   {u"Temperature", u"3450"}, {u"Brightness", u"-0"},
                   {u"Latitude", u"+52.5"}, {u"Longitude", u""},       {u"PausedUntil", u"2026-12-08 7:05"}};
  std::vector<std::u16string> bad;
  const NightSettings settings = ReadNightSettings(values, &bad);
  EXPECT_TRUE(bad.empty()) << bad.size() << " reported";
  EXPECT_EQ(settings.schedule.startMinute, 7 * 60 + 5);
  EXPECT_EQ(settings.temperature, 3500) << "to the nearest 100";
  EXPECT_FALSE(settings.schedule.haveLocation) << "a latitude without a longitude is no location";
  EXPECT_TRUE(settings.paused && settings.pausedDate == (LocalDate{2026, 12, 8}) && settings.pausedMinute == 425);
}

TEST(NightSettings, ParseDegrees) {
  const struct {
    const char16_t* text;
    char16_t separator;
    double limit;
    bool ok;
    double degrees;
  } cases[] = {
      {u"52.52", u'.', 90, true, 52.52}, {u"52,52", u',', 90, true, 52.52},
      {u"52.52", u',', 90, true, 52.52}, {u" -0.1278 ", u'.', 180, true, -0.1278},
      {u"+13.4", u',', 180, true, 13.4}, {u"-180", u'.', 180, true, -180},
      {u"52,52", u'.', 90, false, 0},    {u"52;5", u',', 90, false, 0},
      {u"90.0001", u'.', 90, false, 0},  {u"1.2.3", u'.', 90, false, 0},
      {u"1e3", u'.', 180, false, 0},     {u"5 2", u'.', 90, false, 0},
      {u"", u'.', 90, false, 0},         {u"-", u'.', 90, false, 0},
      {u".", u',', 90, false, 0},
  };
  for (const auto& c : cases) {
    double degrees = 0;
    const std::string what = text::ToUtf8(c.text) + " with '" + static_cast<char>(c.separator) + "'";
    ASSERT_EQ(ParseDegrees(c.text, c.separator, c.limit, &degrees), c.ok) << what;
    if (c.ok) EXPECT_DOUBLE_EQ(degrees, c.degrees) << what;
  }
}

TEST(NightSettings, FormatsReadBackUnchanged) {
  EXPECT_EQ(text::ToUtf8(FormatClock(0)), "00:00");
  EXPECT_EQ(text::ToUtf8(FormatClock(7 * 60)), "07:00");
  EXPECT_EQ(text::ToUtf8(FormatClock(1439)), "23:59");
  EXPECT_EQ(text::ToUtf8(FormatPausedUntil({2026, 12, 8}, 22 * 60 + 15)), "2026-12-08 22:15");
  EXPECT_EQ(text::ToUtf8(FormatDegrees(-0.12784)), "-0.1278");
  EXPECT_EQ(text::ToUtf8(FormatDegrees(13)), "13");
  EXPECT_EQ(text::ToUtf8(FormatDegrees(-0.00001)), "0");

  NightSettings settings;
  settings.schedule.startMinute = 0;
  settings.schedule.endMinute = 1439;
  settings.schedule.haveLocation = true;
  settings.schedule.latitude = -33.8688;
  settings.schedule.longitude = 151.2093;
  settings.paused = true;
  settings.pausedDate = {2027, 1, 1};
  settings.pausedMinute = 5;
  FakeValues values;
  for (const auto& entry : NightSettingsTexts(settings)) values.values[entry.key] = entry.text;
  std::vector<std::u16string> bad;
  const NightSettings back = ReadNightSettings(values, &bad);
  EXPECT_TRUE(bad.empty());
  EXPECT_EQ(Section(back), Section(settings));
  EXPECT_EQ(back.schedule.latitude, -33.8688);
  EXPECT_TRUE(back.pausedDate == settings.pausedDate && back.pausedMinute == 5);
}

}  // namespace
