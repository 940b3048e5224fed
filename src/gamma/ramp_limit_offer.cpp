#include "gamma/ramp_limit_offer.h"

namespace {
constexpr char16_t kSection[] = u"Program";
constexpr char16_t kAskKey[] = u"askrange";
}  // namespace

bool RampLimitOffer::ShouldAsk(SettingsFile& settings) {
  if (asked_) return false;
  asked_ = true;
  return settings.ReadInt(kSection, kAskKey, 1, -1, -1) != 0;
}

void RampLimitOffer::Answered(SettingsFile& settings, bool yes) {
  if (!yes) settings.SetPending(kSection, kAskKey, 0);
}
