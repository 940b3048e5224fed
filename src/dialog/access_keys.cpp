#include "dialog/access_keys.h"

#include "common/text.h"
#include "text_ids.h"

namespace {

// Lower case for the scripts of the shipped languages' labels (Latin, Greek, Cyrillic);
// Alt+key matches a key without regard to case.
char16_t Fold(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB) ||
      (c >= 0x410 && c <= 0x42F)) {
    return static_cast<char16_t>(c + 0x20);
  }
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
  // Latin Extended-A: capital and small letters in pairs, the capital even or odd by block.
  const bool evenCapital = (c >= 0x100 && c <= 0x137 && c != 0x130) || (c >= 0x14A && c <= 0x177);
  const bool oddCapital = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  if ((evenCapital && c % 2 == 0) || (oddCapital && c % 2 == 1)) return static_cast<char16_t>(c + 1);
  return c;
}

std::string Describe(const char16_t key) { return text::ToUtf8(std::u16string(1, key)); }

}  // namespace

char16_t AccessKeyOf(const std::u16string& label) {
  for (size_t i = 0; i + 1 < label.size(); ++i) {
    if (label[i] != u'&') continue;
    if (label[i + 1] == u'&') {
      ++i;  // a literal ampersand
      continue;
    }
    return Fold(label[i + 1]);
  }
  return 0;
}

const std::vector<AccessKeyGroup>& AccessKeyGroups() {
  // As the dialog template and the menu builder lay them out. Alt+key in the dialog tries
  // its controls first and the menu bar after them: the two share one space.
  static const std::vector<AccessKeyGroup> groups = {
      {"dialog with its menu bar",
       {kTextStartWithWindows, kTextRestoreAtStart, kTextBrightness, kTextReset, kTextExit, kTextProgramMenu,
        kTextSystemMenu},
       {u"&LNG"}},
      {"menu bar", {kTextProgramMenu, kTextSystemMenu}, {u"&LNG"}},
      {"program menu", {kTextHomepage, kTextNightMenu, kTextDonate, kTextUninstall, kTextExit}, {}},
      {"System menu", {kTextScreensaver, kTextPowerOptions, kTextMobilityCenter, kTextBatterySettings}, {}},
      {"night-mode dialog",
       {kTextNightOn, kTextNightByClock, kTextNightClockTo, kTextNightBySun, kTextNightLongitude, kTextNightTemperature,
        kTextNightBrightness, kTextNightChangeOver, kTextNightMinutes, kTextNightFullScreen, kTextNightDisplays,
        kTextOk, kTextCancel},
       {}},
  };
  return groups;
}

std::vector<std::string> FindAccessKeyClashes(std::u16string (*textOf)(int id)) {
  std::vector<std::string> clashes;
  for (const AccessKeyGroup& group : AccessKeyGroups()) {
    std::vector<std::pair<std::string, std::u16string>> labels;
    for (int id : group.textIds) labels.emplace_back("text " + std::to_string(id), textOf(id));
    for (const std::u16string& fixed : group.fixedLabels) labels.emplace_back("\"" + text::ToUtf8(fixed) + "\"", fixed);
    for (size_t i = 0; i < labels.size(); ++i) {
      const char16_t key = AccessKeyOf(labels[i].second);
      if (key == 0) continue;
      for (size_t j = i + 1; j < labels.size(); ++j) {
        if (AccessKeyOf(labels[j].second) != key) continue;
        clashes.push_back(std::string(group.name) + ": key '" + Describe(key) + "' in " + labels[i].first + " (" +
                          text::ToUtf8(labels[i].second) + ") and " + labels[j].first + " (" +
                          text::ToUtf8(labels[j].second) + ")");
      }
    }
  }
  return clashes;
}
