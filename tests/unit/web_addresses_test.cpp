#include "extras/web_addresses.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "build_config.h"
#include "common/text.h"
#include "extras/site_address.h"

namespace {

const std::string kGerman = GLOWMERE_SITE_GERMAN;
const std::string kEuropean = GLOWMERE_SITE_EUROPEAN;
const std::string kInternational = GLOWMERE_SITE_INTERNATIONAL;

std::string Narrow(const std::u16string& s) { return text::ToUtf8(s); }

TEST(SiteAddresses, EachEndsWithASlash) {
  for (const std::string& site : {kGerman, kEuropean, kInternational}) {
    ASSERT_FALSE(site.empty());
    EXPECT_EQ('/', site.back()) << "site address: " << site;
  }
}

TEST(SiteAddresses, GermanForLanguageZeroInternationalOtherwise) {
  EXPECT_EQ(kGerman, SiteAddress(0));
  EXPECT_EQ(kInternational, SiteAddress(1));
  EXPECT_EQ(kInternational, SiteAddress(12));
}

TEST(WebAddresses, LinkClickOpensTheToolsPage) {
  EXPECT_EQ(kGerman + "?page=Windows/Tools/Glowmere/1", LinkClickAddress(0));
  EXPECT_EQ(kInternational + "?page=Windows/Tools/Glowmere/1", LinkClickAddress(1));
}

TEST(WebAddresses, HomepageNamesTheProduct) {
  EXPECT_EQ(kGerman + "?seite=Freeware/Glowmere", Narrow(HomepageAddress(0, u"Glowmere")));
  EXPECT_EQ(kInternational + "?seite=Freeware/Glowmere", Narrow(HomepageAddress(1, u"Glowmere")));
}

TEST(WebAddresses, DonationPageKeepsTheDoubleSlash) {
  EXPECT_EQ(kGerman + "/?paypal&Program=Glowmere", Narrow(DonationAddress(0)));
  EXPECT_EQ(kInternational + "/?paypal&Program=Glowmere", Narrow(DonationAddress(1)));
  EXPECT_NE(std::string::npos, Narrow(DonationAddress(1)).find("//?paypal"));
}

TEST(WebAddresses, KindThreeIsTheDonationPageEveryOtherKindTheHomepage) {
  EXPECT_EQ(DonationAddress(1), WebPageAddress(3, 1, u"Glowmere"));
  for (int kind : {0, 1, 2, 4, -1}) {
    EXPECT_EQ(HomepageAddress(1, u"Glowmere"), WebPageAddress(kind, 1, u"Glowmere")) << "kind " << kind;
  }
}

struct UninstallSiteCase {
  int language;
  uint32_t queryResult;
  long bias;
  const std::string* expected;
  const char* name;
};

TEST(UninstallSiteAddress, FollowsLanguageThenTimeZone) {
  const UninstallSiteCase cases[] = {
      {0, 1, 0, &kGerman, "German whatever the zone"},
      {0, 0, 0, &kGerman, "German even when the query fails"},
      {0, 1, 600, &kGerman, "German even far from Europe"},
      {1, 1, -241, &kInternational, "bias -241"},
      {1, 1, -240, &kEuropean, "bias -240"},
      {1, 2, 0, &kEuropean, "bias 0, daylight time"},
      {1, 1, 300, &kEuropean, "bias 300"},
      {1, 1, 301, &kInternational, "bias 301"},
      {1, 0, 60, &kInternational, "query returned 0"},
      {1, 0xFFFFFFFFu, 60, &kInternational, "query failed"},
      {5, 1, -60, &kEuropean, "another language, bias -60"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(*c.expected, UninstallSiteAddress(c.language, c.queryResult, c.bias)) << c.name;
  }
}

TEST(WebAddresses, UninstallPageOnTheGivenSite) {
  EXPECT_EQ(kEuropean + "?page=Windows/Tools/Uninstall/Glowmere",
            Narrow(UninstallPageAddress(GLOWMERE_SITE_EUROPEAN)));
  EXPECT_EQ(kGerman + "?page=Windows/Tools/Uninstall/Glowmere", Narrow(UninstallPageAddress(GLOWMERE_SITE_GERMAN)));
}

}  // namespace
