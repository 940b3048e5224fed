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

// German site for language 0, the international one for any other; the donation
// page keeps its double slash.
TEST(WebAddresses, ExactPagesOnTheLanguagesSite) {
  const struct {
    int language;
    const std::string& site;
  } cases[] = {{0, kGerman}, {12, kInternational}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.site, SiteAddress(c.language)) << "language " << c.language;
    EXPECT_EQ(c.site + "?page=Windows/Tools/Glowmere/1", LinkClickAddress(c.language)) << "language " << c.language;
    const std::string homepage = c.site + "?seite=Freeware/Glowmere";
    const std::string donation = c.site + "/?paypal&Program=Glowmere";
    EXPECT_EQ(homepage, text::ToUtf8(HomepageAddress(c.language, u"Glowmere"))) << "language " << c.language;
    EXPECT_EQ(donation, text::ToUtf8(DonationAddress(c.language))) << "language " << c.language;
    EXPECT_EQ(donation, text::ToUtf8(WebPageAddress(3, c.language, u"Glowmere"))) << "kind 3 is the donation page";
    for (int kind : {0, 1, 2, 4, -1}) {
      EXPECT_EQ(homepage, text::ToUtf8(WebPageAddress(kind, c.language, u"Glowmere"))) << "kind " << kind;
    }
  }
}

// The uninstall page: German for language 0, else European for biases -240..300.
TEST(WebAddresses, UninstallPageFollowsLanguageThenTimeZone) {
  const struct {
    int language;
    uint32_t queryResult;
    long bias;
    const std::string& site;
    const char* name;
  } cases[] = {
      {0, 0, 0, kGerman, "German even when the query fails"},
      {1, 1, -241, kInternational, "bias -241"},
      {1, 1, -240, kEuropean, "bias -240"},
      {1, 2, 0, kEuropean, "bias 0, daylight time"},
      {1, 1, 300, kEuropean, "bias 300"},
      {1, 1, 301, kInternational, "bias 301"},
      {1, 0, 60, kInternational, "query returned 0"},
      {5, 0xFFFFFFFFu, 60, kInternational, "query failed"},
  };
  for (const auto& c : cases) {
    const char* site = UninstallSiteAddress(c.language, c.queryResult, c.bias);
    EXPECT_EQ(c.site, site) << c.name;
    EXPECT_EQ(c.site + "?page=Windows/Tools/Uninstall/Glowmere", text::ToUtf8(UninstallPageAddress(site))) << c.name;
  }
}

}  // namespace
