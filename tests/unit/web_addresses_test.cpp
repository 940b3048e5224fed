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

// Every menu kind but 3 (donation) opens the homepage; the donation page keeps its double slash.
TEST(WebAddresses, PageKinds) {
  for (int kind : {0, 1, 2, 3, 4, -1}) {
    EXPECT_EQ(text::ToUtf8(WebPageAddress(kind, 0, u"Glowmere")),
              kGerman + (kind == 3 ? "/?paypal&Program=Glowmere" : "?seite=Freeware/Glowmere")) << "kind " << kind;
  }
}

// The uninstall page: German for language 0, else European for biases -240..300.
TEST(WebAddresses, UninstallPageFollowsLanguageThenTimeZone) {
  const struct { int language; uint32_t queryResult; long bias; const std::string& site; const char* name; } cases[] = {
      {0, 0, 0, kGerman, "German even when the query fails"},
      {1, 1, -241, kInternational, "bias -241"},
      {1, 1, -240, kEuropean, "bias -240"},
      {1, 2, 0, kEuropean, "bias 0, daylight time"},
      {1, 1, 300, kEuropean, "bias 300"},
      {1, 1, 301, kInternational, "bias 301"},
      {5, 0xFFFFFFFFu, 60, kInternational, "query failed"},
  };
  for (const auto& c : cases) {
    const char* site = UninstallSiteAddress(c.language, c.queryResult, c.bias);
    EXPECT_EQ(c.site, site) << c.name;
    EXPECT_EQ(c.site + "?page=Windows/Tools/Uninstall/Glowmere", text::ToUtf8(UninstallPageAddress(site))) << c.name;
  }
}

}  // namespace
