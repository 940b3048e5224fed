#include "extras/site_address.h"

#include "build_config.h"

namespace {
// GetTimeZoneInformation's failure value: the bias it leaves is meaningless.
constexpr uint32_t kTimeZoneQueryFailed = 0xFFFFFFFFu;
// Time zones from UTC+4 (bias -240) to UTC-5 (bias 300) are served by the European site.
constexpr long kEuropeanBiasMin = -240;
constexpr long kEuropeanBiasMax = 300;
}  // namespace

const char* SiteAddress(int language) { return language == 0 ? GLOWMERE_SITE_GERMAN : GLOWMERE_SITE_INTERNATIONAL; }

const char* UninstallSiteAddress(int language, uint32_t timeZoneQueryResult, long bias) {
  if (language == 0) return GLOWMERE_SITE_GERMAN;
  if (timeZoneQueryResult == 0 || timeZoneQueryResult == kTimeZoneQueryFailed) return GLOWMERE_SITE_INTERNATIONAL;
  if (bias >= kEuropeanBiasMin && bias <= kEuropeanBiasMax) return GLOWMERE_SITE_EUROPEAN;
  return GLOWMERE_SITE_INTERNATIONAL;
}
