#include "app/level_store.h"

void StoreLevels(SettingsFile& settings, const ColorLevels& levels) {
  settings.SetPending(u"Start", u"r", levels.red);
  settings.SetPending(u"Start", u"g", levels.green);
  settings.SetPending(u"Start", u"b", levels.blue);
  if (levels.brightness >= 0) settings.SetPending(u"Start", u"H", levels.brightness);
}

int ReadStoredBrightness(SettingsFile& settings) {
  return settings.ReadInt(u"Start", u"h", kLevelNeutral, kLevelMin, kLevelMax);
}

ColorLevels ReadStoredLevels(SettingsFile& settings) {
  ColorLevels levels;
  levels.red = settings.ReadInt(u"Start", u"r", kLevelNeutral, kLevelMin, kLevelMax);
  levels.green = settings.ReadInt(u"Start", u"g", kLevelNeutral, kLevelMin, kLevelMax);
  levels.blue = settings.ReadInt(u"Start", u"b", kLevelNeutral, kLevelMin, kLevelMax);
  levels.brightness = ReadStoredBrightness(settings);
  return levels;
}
