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
// What OpenWebPage opens: kind 3 the donation page, any other kind the homepage.
std::u16string WebPageAddress(int kind, int language, std::u16string_view productName);
// Uninstall page on the given site (see UninstallSiteAddress).
std::u16string UninstallPageAddress(const char* site);
