// The maker's web site addresses (set at configure time, each ending in "/").
#pragma once

// German site for language 0, the international one otherwise.
const char* SiteAddress(int language);
