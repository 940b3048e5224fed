// When to offer lifting Windows' limit on far ramps: at most once a session, and never
// again once the user has said No (the answer is kept in the settings file, [Program]
// askrange=0; deleting the line brings the question back).
#pragma once

#include "settings/settings_file.h"

class RampLimitOffer {
 public:
  // The check found the limit: true when the user is to be asked now.
  bool ShouldAsk(SettingsFile& settings);
  // The user's answer; a No is kept for the next sessions.
  void Answered(SettingsFile& settings, bool yes);

 private:
  bool asked_ = false;
};
