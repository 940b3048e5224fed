#include "app/late_start.h"

bool LevelsOfALateFile(SettingsFile& settings, ColorLevels* levels) {
  // The brightness the start applied is still its own only while no move replaced it.
  if (!settings.FirstReadAfterBlindStart() || !settings.IsStartValue(u"Start", u"H")) return false;
  if (settings.ReadInt(u"Start", u"setrgb", 0, -1, -1) == 0) return false;
  levels->red = settings.ReadInt(u"Start", u"r", kLevelNeutral, kLevelMin, kLevelMax);
  levels->green = settings.ReadInt(u"Start", u"g", kLevelNeutral, kLevelMin, kLevelMax);
  levels->blue = settings.ReadInt(u"Start", u"b", kLevelNeutral, kLevelMin, kLevelMax);
  levels->brightness = settings.ReadInt(u"Start", u"h", kLevelNeutral, kLevelMin, kLevelMax);
  return true;
}
