#include "gamma/display_set.h"

#include "common/text.h"

namespace {

constexpr std::u16string_view kDevicePrefix = u"\\\\.\\DISPLAY";

std::u16string Key(const std::u16string& id) { return text::Lowered(id); }

// A display without a monitor path is known by its device name: not stable, but its own.
void FillIds(std::vector<DisplayInfo>& displays) {
  for (DisplayInfo& display : displays) {
    if (display.id.empty()) display.id = display.deviceName;
    if (display.number == 0) display.number = DisplayNumber(display.deviceName);
  }
}

bool ReadLevel(LevelStore& store, const std::u16string& section, const char16_t* key, int32_t* level) {
  int value = 0;
  if (!store.Read(section, key, &value)) return false;
  *level = value < kLevelMin ? kLevelMin : value > kLevelMax ? kLevelMax : value;
  return true;
}

}  // namespace

int DisplayNumber(std::u16string_view deviceName) {
  if (deviceName.size() <= kDevicePrefix.size() ||
      text::Lowered(deviceName.substr(0, kDevicePrefix.size())) != text::Lowered(kDevicePrefix)) {
    return 0;
  }
  int number = 0;
  for (size_t i = kDevicePrefix.size(); i < deviceName.size(); ++i) {
    const char16_t c = deviceName[i];
    if (c < u'0' || c > u'9' || number > 99999) return 0;
    number = number * 10 + (c - u'0');
  }
  return number;
}

bool IsHdr(const AdvancedColorReport& report) {
  if (report.haveModeReport) return report.activeColorMode == kColorModeHdr;
  return report.haveEnabledReport && report.advancedColorEnabled && !report.wideColorEnforced;
}

std::u16string DisplayLabel(const DisplayInfo& display, const char16_t* unnamedPattern, const char16_t* hdrMark) {
  std::u16string label = display.monitorName.empty()
                             ? text::FillIn(unnamedPattern, {text::FromInt(display.number)})
                             : text::FromInt(display.number) + u" - " + display.monitorName;
  if (display.hdr) label += u" - " + std::u16string(hdrMark ? hdrMark : u"HDR");
  return label;
}

int FindDisplay(const std::vector<DisplayInfo>& displays, std::u16string_view query) {
  if (query.empty()) return -1;
  bool digits = query.size() <= 5;
  for (char16_t c : query) digits = digits && c >= u'0' && c <= u'9';
  if (digits) {
    int number = 0;
    for (char16_t c : query) number = number * 10 + (c - u'0');
    for (size_t i = 0; i < displays.size(); ++i) {
      if (displays[i].number == number) return static_cast<int>(i);
    }
  }
  const std::u16string part = text::Lowered(query);
  int found = -1;
  for (size_t i = 0; i < displays.size(); ++i) {
    if (text::Lowered(displays[i].monitorName).find(part) == std::u16string::npos) continue;
    if (found >= 0) return -1;  // "DELL" with two Dells: which one is a guess
    found = static_cast<int>(i);
  }
  return found;
}

std::u16string DisplaySet::Section(const std::u16string& id) { return u"Display " + id; }

void DisplaySet::Start(DisplayInfoSource& source, LevelStore& store, const ColorLevels& all, bool readOwn) {
  all_ = all;
  readOwn_ = readOwn;
  known_.clear();
  chosen_.clear();
  displays_.clear();
  Refresh(source, store);
}

bool DisplaySet::Refresh(DisplayInfoSource& source, LevelStore& store) {
  std::vector<DisplayInfo> now = source.Enumerate();
  FillIds(now);
  bool changed = now.size() != displays_.size();
  for (size_t i = 0; !changed && i < now.size(); ++i) {
    changed = now[i].id != displays_[i].id || now[i].number != displays_[i].number ||
              now[i].monitorName != displays_[i].monitorName || now[i].hdr != displays_[i].hdr;
  }
  displays_ = std::move(now);
  for (const DisplayInfo& display : displays_) ReadOwn(store, display);
  if (!chosen_.empty() && ById(chosen_) == nullptr) chosen_.clear();
  return changed;
}

void DisplaySet::ReadOwn(LevelStore& store, const DisplayInfo& display) {
  if (!readOwn_ || Find(display.id) != nullptr) return;
  Known& known = Remember(display.id);
  const std::u16string section = Section(display.id);
  ColorLevels levels;
  // A display is its own only with all three channels stored; brightness may be missing.
  if (!ReadLevel(store, section, u"r", &levels.red) || !ReadLevel(store, section, u"g", &levels.green) ||
      !ReadLevel(store, section, u"b", &levels.blue)) {
    return;
  }
  if (!ReadLevel(store, section, u"h", &levels.brightness)) levels.brightness = levels.red;
  known.hasOwn = true;
  known.own = levels;
}

void DisplaySet::WriteOwn(LevelStore& store, const std::u16string& id, const ColorLevels& levels) {
  Known& known = Remember(id);  // what is stored now is what we hold
  known.hasOwn = true;
  known.own = levels;
  const std::u16string section = Section(id);
  store.Write(section, u"r", levels.red);
  store.Write(section, u"g", levels.green);
  store.Write(section, u"b", levels.blue);
  store.Write(section, u"H", levels.brightness);
}

DisplaySet::Known& DisplaySet::Remember(const std::u16string& id) {
  const std::u16string key = Key(id);
  for (Known& known : known_) {
    if (known.key == key) return known;
  }
  known_.push_back({key, false, {}});
  return known_.back();
}

const DisplaySet::Known* DisplaySet::Find(const std::u16string& id) const {
  const std::u16string key = Key(id);
  for (const Known& known : known_) {
    if (known.key == key) return &known;
  }
  return nullptr;
}

const DisplayInfo* DisplaySet::ById(const std::u16string& id) const {
  const std::u16string key = Key(id);
  for (const DisplayInfo& display : displays_) {
    if (Key(display.id) == key) return &display;
  }
  return nullptr;
}

int DisplaySet::ChoiceIndex() const {
  if (chosen_.empty()) return 0;
  const std::u16string key = Key(chosen_);
  for (size_t i = 0; i < displays_.size(); ++i) {
    if (Key(displays_[i].id) == key) return static_cast<int>(i) + 1;
  }
  return 0;
}

void DisplaySet::Choose(int index) {
  chosen_ = index >= 1 && static_cast<size_t>(index) <= displays_.size() ? displays_[index - 1].id : u"";
}

bool DisplaySet::HdrNoteVisible() const {
  if (!chosen_.empty()) {
    const DisplayInfo* display = ById(chosen_);
    return display != nullptr && display->hdr;
  }
  return displays_.size() == 1 && displays_[0].hdr;
}

ColorLevels DisplaySet::LevelsOf(const std::u16string& id) const {
  const Known* known = Find(id);
  return known != nullptr && known->hasOwn ? known->own : all_;
}

ColorLevels DisplaySet::SliderLevels() const {
  if (!chosen_.empty()) return LevelsOf(chosen_);
  if (displays_.size() == 1) return LevelsOf(displays_[0].id);
  return all_;
}

void DisplaySet::SetFromSliders(const ColorLevels& levels, LevelStore& store, bool ownToo) {
  if (!chosen_.empty()) {
    WriteOwn(store, chosen_, levels);
    return;
  }
  all_ = levels;
  if (!ownToo) return;
  for (const DisplayInfo& display : displays_) {
    const Known* known = Find(display.id);
    if (known != nullptr && known->hasOwn) WriteOwn(store, display.id, levels);
  }
}

bool DisplaySet::SetDisplay(const std::u16string& id, const ColorLevels& levels, LevelStore& store) {
  const DisplayInfo* display = ById(id);
  if (display == nullptr) return false;
  WriteOwn(store, display->id, levels);
  return true;
}

bool DisplaySet::LevelsFor(const std::u16string& deviceName, ColorLevels& levels) const {
  for (const DisplayInfo& display : displays_) {
    if (display.deviceName != deviceName) continue;
    if (display.hdr) return false;
    levels = LevelsOf(display.id);
    return true;
  }
  levels = all_;
  return true;
}
