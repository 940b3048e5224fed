#include "gamma/ramp_limit_offer.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_settings_port.h"

namespace {

// A No must hold across sessions, a Yes (or a fix that failed) must not silence later
// sessions, and no session asks twice.
TEST(RampLimitOffer, AsksOnceASessionAndNeverAgainAfterANo) {
  FakeSettingsPort platform;
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
  const std::string& file = platform.files[settings.Path()];
  EXPECT_NE(file.find("askrange=0"), std::string::npos) << "the No must be stored; file: " << file;

  SettingsFile nextLogon(platform);
  nextLogon.Init(u"Glowmere");
  RampLimitOffer thirdSession;
  EXPECT_FALSE(thirdSession.ShouldAsk(nextLogon)) << "asked again after the user said No";
}

}  // namespace
