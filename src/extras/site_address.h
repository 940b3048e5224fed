// The maker's web site addresses (set at configure time, each ending in "/").
#pragma once

#include <cstdint>

// German site for language 0, the international one otherwise.
const char* SiteAddress(int language);

// Site for the uninstall page: German for language 0; otherwise chosen by the
// time zone, from what GetTimeZoneInformation returned and the bias it filled in
// (minutes, UTC = local time + bias): European for -240..300, else international.
// A query that returned 0 or failed (0xFFFFFFFF) gives the international site.
const char* UninstallSiteAddress(int language, uint32_t timeZoneQueryResult, long bias);
