#include "extras/web_addresses.h"

#include "common/product_name.h"
#include "common/text.h"
#include "extras/site_address.h"

std::string LinkClickAddress(int language) {
  return std::string(SiteAddress(language)) + "?page=Windows/Tools/Glowmere/1";
}

std::u16string HomepageAddress(int language, std::u16string_view productName) {
  return text::Widen(SiteAddress(language)) + u"?seite=Freeware/" + std::u16string(productName);
}

std::u16string DonationAddress(int language) {
  // The site address ends in "/": the double slash before "?paypal" is intended.
  return text::Widen(std::string(SiteAddress(language)) + "/?paypal" + "&Program=" + ProductNameA());
}

std::u16string WebPageAddress(WebPage page, int language, std::u16string_view productName) {
  return page == WebPage::kDonation ? DonationAddress(language) : HomepageAddress(language, productName);
}

std::u16string UninstallPageAddress(const char* site) {
  return text::Widen(site) + u"?page=Windows/Tools/" + u"Uninstall" + u"/" + ProductName();
}
