// Which of the maker's sites the uninstall page goes to: by language, then by time zone (the
// other pages' sites by language are run end to end).
#include "extras/site_address.h"

#include <gtest/gtest.h>

#include <string>

#include "build_config.h"

namespace {

TEST(SiteAddress, UninstallPageFollowsLanguageThenTimeZone) {
  const std::string german = GLOWMERE_SITE_GERMAN, european = GLOWMERE_SITE_EUROPEAN,
                    international = GLOWMERE_SITE_INTERNATIONAL;
  constexpr uint32_t kStandard = 1, kUnknown = 0, kFailed = 0xFFFFFFFFu;
  // Bias in minutes, UTC = local time + bias: Berlin -60, Dubai -240, London 0, Azores 60,
  // New York 300 (Chicago, 360, is run end to end).
  const struct {
    int language;
    uint32_t result;
    long bias;
    const std::string& expected;
  } cases[] = {
      {0, kStandard, 300, german},         {0, kFailed, 0, german},
      {1, kStandard, -60, european},       {1, kStandard, -240, european},
      {1, kStandard, -241, international}, {2, kStandard, 0, european},
      {2, kStandard, 60, european},        {3, kStandard, 300, european},
      {3, kStandard, 301, international},  {1, kUnknown, -60, international},
      {1, kFailed, -60, international},    {1, 2, -60, european},  // daylight time in effect
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UninstallSiteAddress(c.language, c.result, c.bias), c.expected)
        << "language " << c.language << ", query result " << c.result << ", bias " << c.bias;
  }
}

}  // namespace
