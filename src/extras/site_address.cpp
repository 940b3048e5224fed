#include "extras/site_address.h"

#include "build_config.h"

const char* SiteAddress(int language) {
  return language == 0 ? GLOWMERE_SITE_GERMAN : GLOWMERE_SITE_INTERNATIONAL;
}
