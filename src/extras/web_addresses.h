// The maker's pages that the program opens, composed from the site addresses.
#pragma once

#include <string>
#include <string_view>

// Page a click on the link control opens.
std::string LinkClickAddress(int language);
// Program homepage; `productName` is the name the link pages use.
std::u16string HomepageAddress(int language, std::u16string_view productName);
// Donation page.
std::u16string DonationAddress(int language);
// The pages OpenWebPage opens; the numbers are the ones the menu commands always passed.
enum class WebPage : int { kHomepage = 0, kDonation = 3 };
std::u16string WebPageAddress(WebPage page, int language, std::u16string_view productName);
// Uninstall page on the given site (see UninstallSiteAddress).
std::u16string UninstallPageAddress(const char* site);
