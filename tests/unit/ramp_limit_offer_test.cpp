#include "app/ramp_limit_offer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// One settings file in memory, beside the executable (portable mode).
class OneFilePlatform : public SettingsPlatform {
 public:
  std::u16string ExecutablePath() override { return u"C:\\Tools\\Glowmere_p.exe"; }
  std::u16string AppDataFolder() override { return u""; }
  void CreateFolder(const std::u16string&) override {}
  unsigned Milliseconds() override { return 0; }
  void Pause(unsigned) override {}
  int PathKind(const std::u16string& path) override { return path == u"C:\\Tools" ? 2 : exists ? 1 : 0; }
  ini::ReadResult ReadFileBytes(const std::u16string&, std::string* bytes) override {
    if (!exists) return ini::ReadResult::kMissing;
    *bytes = file;
    return ini::ReadResult::kOk;
  }
  ini::WriteResult ReplaceFileBytes(const std::u16string&, const std::vector<std::string_view>& pieces) override {
    file.clear();
    for (std::string_view piece : pieces) file += piece;
    exists = true;
    return ini::WriteResult::kOk;
  }
  std::string file;
  bool exists = false;
};

// A No must hold across sessions, a Yes (or a fix that failed) must not silence later
// sessions, and no session asks twice.
TEST(RampLimitOffer, AsksOnceASessionAndNeverAgainAfterANo) {
  OneFilePlatform platform;
  SettingsFile settings(platform);
  settings.Init(u"Glowmere");

  RampLimitOffer firstSession;
  EXPECT_TRUE(firstSession.ShouldAsk(settings));
  firstSession.Answered(settings, true);
  EXPECT_FALSE(firstSession.ShouldAsk(settings)) << "asked twice in one session";
  settings.WritePending();

  RampLimitOffer secondSession;
  EXPECT_TRUE(secondSession.ShouldAsk(settings)) << "a Yes must not silence later sessions";
  secondSession.Answered(settings, false);
  ASSERT_EQ(settings.WritePending(), ini::WriteResult::kOk);
  EXPECT_NE(platform.file.find("askrange=0"), std::string::npos) << "the No must be stored; file: " << platform.file;

  SettingsFile nextLogon(platform);
  nextLogon.Init(u"Glowmere");
  RampLimitOffer thirdSession;
  EXPECT_FALSE(thirdSession.ShouldAsk(nextLogon)) << "asked again after the user said No";
}

}  // namespace
