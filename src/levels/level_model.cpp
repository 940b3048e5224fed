#include "levels/level_model.h"

#include "common/text.h"

namespace {

constexpr const char16_t* kAllSection = u"Start";

std::u16string Key(const std::u16string& id) { return text::Lowered(id); }

// A display without a monitor path is known by its device name: not stable, but its own.
void FillIds(std::vector<DisplayInfo>& displays) {
  for (DisplayInfo& display : displays) {
    if (display.id.empty()) display.id = display.deviceName;
    if (display.number == 0) display.number = DisplayNumber(display.deviceName);
  }
}

bool ReadLevel(LevelFilePort& file, const std::u16string& section, const char16_t* key, int32_t* level) {
  int value = 0;
  if (!file.Read(section, key, &value)) return false;
  *level = value < kLevelMin ? kLevelMin : value > kLevelMax ? kLevelMax : value;
  return true;
}

// A brightness kept from the file (`-rgb`) is not written back: the file may not have been
// readable, and what it holds is the user's.
void WriteLevels(LevelFilePort& file, const std::u16string& section, const ColorLevels& levels,
                 bool brightness = true) {
  file.Write(section, u"r", levels.red);
  file.Write(section, u"g", levels.green);
  file.Write(section, u"b", levels.blue);
  if (brightness) file.Write(section, u"H", levels.brightness);
}

}  // namespace

ColorLevels ReadAllLevels(LevelFilePort& file) {
  ColorLevels levels;
  ReadLevel(file, kAllSection, u"r", &levels.red);
  ReadLevel(file, kAllSection, u"g", &levels.green);
  ReadLevel(file, kAllSection, u"b", &levels.blue);
  ReadLevel(file, kAllSection, u"H", &levels.brightness);
  return levels;
}

std::u16string LevelModel::Section(const std::u16string& id) { return u"Display " + id; }

void LevelModel::Start(DisplayListPort& source, LevelFilePort& file, bool restore) {
  all_ = ReadAllLevels(file);
  allHeld_ = !restore;
  known_.clear();
  chosen_ = DisplayInfo{};
  displays_.clear();
  Refresh(source, file);
  for (Known& known : known_) known.held = !restore;
}

bool LevelModel::Refresh(DisplayListPort& source, LevelFilePort& file) {
  std::vector<DisplayInfo> now = source.Enumerate();
  FillIds(now);
  bool changed = now.size() != displays_.size();
  for (size_t i = 0; !changed && i < now.size(); ++i) {
    changed = now[i].id != displays_[i].id || now[i].number != displays_[i].number ||
              now[i].monitorName != displays_[i].monitorName || now[i].hdr != displays_[i].hdr;
  }
  displays_ = std::move(now);
  for (const DisplayInfo& display : displays_) {
    if (Find(display.id) == nullptr) ReadOwn(file, Remember(display.id), display.id);
  }
  // The chosen display keeps its latest number and name for the list while it is away.
  if (const DisplayInfo* chosen = AllChosen() ? nullptr : Attached(chosen_.id)) chosen_ = *chosen;
  return changed;
}

void LevelModel::TakeLateFile(LevelFilePort& file, bool restore) {
  // Reads see the user's own moves of this run first: they are queued for the file.
  all_ = ReadAllLevels(file);
  for (const DisplayInfo& display : displays_) Remember(display.id);
  for (Known& known : known_) {
    const bool followedAll = known.set && !known.hasOwn;
    ReadOwn(file, known, known.id);
    // Set with "All displays" while its section could not be read: that move replaced it.
    if (followedAll && known.hasOwn) WriteOwn(file, known.id, all_);
  }
  if (!restore) return;
  allHeld_ = false;
  for (Known& known : known_) known.held = false;
}

void LevelModel::ReadOwn(LevelFilePort& file, Known& known, const std::u16string& id) {
  const std::u16string section = Section(id);
  ColorLevels levels;
  // A display is its own only with all three channels stored; brightness may be missing.
  if (!ReadLevel(file, section, u"r", &levels.red) || !ReadLevel(file, section, u"g", &levels.green) ||
      !ReadLevel(file, section, u"b", &levels.blue)) {
    return;
  }
  if (!ReadLevel(file, section, u"H", &levels.brightness)) levels.brightness = levels.red;
  known.hasOwn = true;
  known.own = levels;
}

void LevelModel::WriteOwn(LevelFilePort& file, const std::u16string& id, ColorLevels levels) {
  Known& known = Remember(id);
  const bool keepBrightness = levels.brightness < 0 && known.hasOwn;
  if (levels.brightness < 0) levels.brightness = known.hasOwn ? known.own.brightness : AllShown().brightness;
  known.hasOwn = true;
  known.own = levels;
  known.held = false;
  known.set = true;
  WriteLevels(file, Section(id), levels, !keepBrightness);
}

LevelModel::Known& LevelModel::Remember(const std::u16string& id) {
  const std::u16string key = Key(id);
  for (Known& known : known_) {
    if (known.key == key) return known;
  }
  known_.push_back(Known{key, id, false, ColorLevels{}, false, false});
  return known_.back();
}

const LevelModel::Known* LevelModel::Find(const std::u16string& id) const {
  const std::u16string key = Key(id);
  for (const Known& known : known_) {
    if (known.key == key) return &known;
  }
  return nullptr;
}

const DisplayInfo* LevelModel::Attached(const std::u16string& id) const {
  const std::u16string key = Key(id);
  for (const DisplayInfo& display : displays_) {
    if (Key(display.id) == key) return &display;
  }
  return nullptr;
}

std::vector<DisplayInfo> LevelModel::ListEntries() const {
  std::vector<DisplayInfo> entries = displays_;
  if (ChosenAway()) entries.push_back(chosen_);
  return entries;
}

int LevelModel::ChoiceIndex() const {
  if (AllChosen()) return 0;
  const std::vector<DisplayInfo> entries = ListEntries();
  const std::u16string key = Key(chosen_.id);
  for (size_t i = 0; i < entries.size(); ++i) {
    if (Key(entries[i].id) == key) return static_cast<int>(i) + 1;
  }
  return 0;
}

void LevelModel::Choose(int index) {
  const std::vector<DisplayInfo> entries = ListEntries();
  chosen_ = index >= 1 && static_cast<size_t>(index) <= entries.size() ? entries[index - 1] : DisplayInfo{};
}

bool LevelModel::HdrNoteVisible() const {
  if (!AllChosen()) {
    const DisplayInfo* display = Attached(chosen_.id);
    return display != nullptr && display->hdr;
  }
  return displays_.size() == 1 && displays_[0].hdr;
}

ColorLevels LevelModel::LevelsOf(const std::u16string& id) const {
  const Known* known = Find(id);
  return known != nullptr && known->hasOwn ? known->own : all_;
}

ColorLevels LevelModel::Shown(const std::u16string& id) const {
  const Known* known = Find(id);
  if (known == nullptr) return AllShown();
  if (known->held) return ColorLevels{};
  return known->hasOwn ? known->own : AllShown();
}

const DisplayInfo* LevelModel::OnlyDisplayWithOwn() const {
  if (displays_.size() != 1) return nullptr;
  const Known* known = Find(displays_[0].id);
  return known != nullptr && known->hasOwn ? &displays_[0] : nullptr;
}

ColorLevels LevelModel::SliderLevels() const {
  if (!AllChosen()) return Shown(chosen_.id);
  if (const DisplayInfo* only = OnlyDisplayWithOwn()) return Shown(only->id);
  return AllShown();
}

void LevelModel::MoveSliders(const ColorLevels& levels, LevelFilePort& file) {
  if (!AllChosen()) {
    WriteOwn(file, chosen_.id, levels);  // also while it is away: it takes them when it returns
  } else if (const DisplayInfo* only = OnlyDisplayWithOwn()) {
    WriteOwn(file, only->id, levels);
  } else {
    SetAll(levels, file);
  }
}

void LevelModel::SetAll(ColorLevels levels, LevelFilePort& file) {
  const ColorLevels given = levels;  // each display keeps its own brightness too
  const bool keepBrightness = levels.brightness < 0;
  if (keepBrightness) levels.brightness = all_.brightness;
  all_ = levels;
  allHeld_ = false;
  WriteLevels(file, kAllSection, levels, !keepBrightness);
  for (Known& known : known_) known.held = false;
  for (const DisplayInfo& display : displays_) {
    Known& known = Remember(display.id);
    known.set = true;
    if (known.hasOwn) WriteOwn(file, display.id, given);
  }
}

bool LevelModel::SetDisplay(const std::u16string& id, ColorLevels levels, LevelFilePort& file) {
  const DisplayInfo* display = Attached(id);
  if (display == nullptr) return false;
  WriteOwn(file, display->id, levels);
  return true;
}

bool LevelModel::TakesRamps(const std::u16string& id) const {
  for (const DisplayInfo& display : displays_) {
    if ((id.empty() || Key(display.id) == Key(id)) && !display.hdr) return true;
  }
  return false;
}

bool LevelModel::LevelsFor(const std::u16string& deviceName, ColorLevels& levels) const {
  for (const DisplayInfo& display : displays_) {
    if (display.deviceName != deviceName) continue;
    if (display.hdr) return false;
    levels = Shown(display.id);
    return true;
  }
  levels = AllShown();
  return true;
}

bool LevelModel::RampFor(const std::u16string& deviceName, GammaRamp& ramp) const {
  ColorLevels levels;
  if (!LevelsFor(deviceName, levels)) return false;
  for (const DisplayInfo& display : displays_) {
    if (layer_ != nullptr && display.deviceName == deviceName) {
      ramp = layer_->Compose(display, levels);
      return true;
    }
  }
  ramp = BuildRamp(levels.red, levels.green, levels.blue);
  return true;
}
