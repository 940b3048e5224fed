#include "control/night_mode_win32.h"

#include "common/product_name.h"
#include "common/text.h"
#include "common/win32_text.h"
#include "common/window_ids.h"
#include "control/hotkeys_win32.h"
#include "control/night_clock_win32.h"
#include "i18n/string_table.h"
#include "gamma/gamma_controller_win32.h"
#include "gamma/ramp_limit_offer_win32.h"
#include "night/night_floor.h"
#include "night/night_mode.h"
#include "res/resource_ids.h"
#include "settings/settings_file.h"
#include "settings/settings_writer_win32.h"
#include "text_ids.h"
#include "tray/tray_icon_win32.h"

namespace {

constexpr char16_t kNightKey[] = u"Night";  // a display's own section: 0 keeps it out of night mode

class SettingsNightValues final : public NightValuesPort {
 public:
  bool Value(const char16_t* key, std::u16string* text) const override {
    char16_t value[256] = u"\x7F";  // stays when the key is absent
    settingsFile.ReadString(kNightSection, key, value, 256);
    if (value[0] == u'\x7F' && value[1] == 0) return false;
    *text = value;
    return true;
  }
};

NightMode mode;
WindowsTimeZone zone;
NightHost host;
NightKey shownKey{-1, -1, -1};
std::vector<std::u16string> unreadableKeys;
bool previewing = false;
NightLook previewLook;
HWINEVENTHOOK foregroundHook = nullptr;
std::u16string shownStatus;
std::vector<std::pair<std::u16string, bool>> displaysTakingPart;  // by lower-cased id, as read

bool TakesPart(const std::u16string& id) {
  const std::u16string key = text::Lowered(id);
  for (const auto& known : displaysTakingPart) {
    if (known.first == key) return known.second;
  }
  const bool on = settingsFile.ReadInt(LevelModel::Section(id).c_str(), kNightKey, 1, 0, 1) != 0;
  displaysTakingPart.emplace_back(key, on);
  return on;
}

NightLook LookNow() { return previewing ? previewLook : mode.LookAt(NowMs(), zone); }

// A display that refused a night ramp keeps the look it took as its floor until the displays
// change; it is told once, with the offer to lift the limit.
struct Composed {
  DisplayInfo display;
  ColorLevels levels;
  NightFloor floor;
};
std::vector<Composed> composed;
bool limitOffered = false;

Composed& ComposedFor(const DisplayInfo& display) {
  for (Composed& known : composed) {
    if (known.display.deviceName == display.deviceName) return known;
  }
  composed.push_back({display, {}, {}});
  return composed.back();
}

class NightLayer final : public RampLayer {
 public:
  GammaRamp Compose(const DisplayInfo& display, const ColorLevels& levels) const override {
    const bool dayLook = !TakesPart(display.id) || (mode.Settings().pauseFullScreen && !previewing &&
                                                    FullScreenOn(display.deviceName, host.dialog));
    if (dayLook) return BuildRamp(levels.red, levels.green, levels.blue);
    Composed& known = ComposedFor(display);
    known.levels = levels;
    return BuildNightRamp(levels, known.floor.Limit(LookNow()));
  }
} layer;

// One display, one look: what the floor search tries.
class OneDisplayLook final : public DisplayRamps, public RampAcceptorPort {
 public:
  explicit OneDisplayLook(const Composed& display) : display_(display) {}
  bool LevelsFor(const std::u16string&, ColorLevels&) const override { return false; }
  bool RampFor(const std::u16string& deviceName, GammaRamp& ramp) const override {
    if (deviceName != display_.display.deviceName) return false;
    ramp = BuildNightRamp(display_.levels, look_);
    return true;
  }
  bool Takes(const NightLook& look) override {
    look_ = look;
    return gammaController.ApplyToDisplays(*this);
  }

 private:
  const Composed& display_;
  NightLook look_;
};

// The night ramps were refused: each display steps back toward neutral until it takes one.
void FindFloors() {
  const NightLook wanted = LookNow();
  if (wanted.Neutral()) return;
  bool limited = false;
  for (Composed& known : composed) {
    OneDisplayLook display(known);
    if (display.Takes(known.floor.Limit(wanted))) continue;  // another display refused
    known.floor = FindNightFloor(known.floor.Limit(wanted), display);
    limited = true;
  }
  host.applyRamps();
  if (limited && !limitOffered) {
    limitOffered = true;
    OfferGammaRangeFix(host.dialog);
  }
}

void CALLBACK OnForegroundEvent(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
  PostMessageW(host.dialog, kForegroundChangedMessage, 0, 0);
}

void WatchFullScreen(bool watch) {
  if (watch == (foregroundHook != nullptr)) return;
  if (watch) {
    foregroundHook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, OnForegroundEvent, 0, 0,
                                     WINEVENT_OUTOFCONTEXT);
  } else {
    UnhookWinEvent(foregroundHook);
    foregroundHook = nullptr;
  }
}

void ShowStatus() {
  const std::u16string status = NightStatusText();
  if (status == shownStatus) return;
  shownStatus = status;
  SetDlgItemTextW(host.dialog, IDC_NIGHT_STATUS, W(status));
  ShowWindow(GetDlgItem(host.dialog, IDC_NIGHT_STATUS), status.empty() ? SW_HIDE : SW_SHOWNA);
  const std::u16string tip = status.empty() ? std::u16string(ProductName()) : ProductName() + (u"\n" + status);
  trayIcon.SetTip(W(tip));
}

// Puts the look up when a ramp entry changes (or always, with `force`), and arms the timer.
void Update(bool force) {
  if (host.dialog == nullptr) return;
  const int64_t now = NowMs();
  const NightKey key = KeyOf(LookNow());
  if (force || !(key == shownKey)) {
    shownKey = key;
    if (!host.applyRamps()) FindFloors();
  }
  const int64_t next = previewing ? 0 : mode.NextLookMs(now, zone);
  if (next == 0) {
    KillTimer(host.dialog, kNightTimer);
  } else {
    const int64_t wait = next - now < 50 ? 50 : next - now > 0x7FFFFFFF ? 0x7FFFFFFF : next - now;
    SetTimer(host.dialog, kNightTimer, static_cast<UINT>(wait), nullptr);
  }
  ShowStatus();
}

void Configure(const NightSettings& settings) {
  mode.Configure(settings, zone);
  host.setLayer(mode.On() ? &layer : nullptr);
  WatchFullScreen(mode.On() && settings.pauseFullScreen);
}

void Store(const char16_t* onlyKey) {
  for (const NightSettingText& setting : NightSettingsTexts(mode.Settings())) {
    if (onlyKey == nullptr || text::Lowered(setting.key) == text::Lowered(onlyKey)) {
      settingsFile.SetPendingText(kNightSection, setting.key, setting.text.c_str());
    }
  }
  SettingsChanged();
}

}  // namespace

void StartNightMode(const NightHost& nightHost) {
  host = nightHost;
  // Off, one read: the section's first key says so.
  std::u16string on;
  if (!SettingsNightValues().Value(u"On", &on)) return;
  Configure(ReadNightSettings(SettingsNightValues(), &unreadableKeys));
}

void FinishNightModeStart() {
  if (!unreadableKeys.empty()) {
    std::u16string keys;
    for (const std::u16string& key : unreadableKeys) keys += (keys.empty() ? u"" : u", ") + key;
    trayIcon.ShowBalloon(W(ProductName()),
                         W(text::FillIn(StringTable::Text(kTextNightValuesUnreadable), {keys, settingsFile.Path()})));
  }
  if (!mode.On()) return;
  RegisterNightHotkey(host.dialog, true);
  shownKey = KeyOf(LookNow());  // the start's apply put it up
  Update(false);
}

void UpdateNightMode() {
  if (mode.On() || previewing) Update(false);
}

void ForgetNightFloors() { composed.clear(); }

void OnForegroundChanged() {
  if (mode.On()) Update(true);
}

bool NightModeOn() { return mode.On(); }
bool NightModePaused() { return mode.Paused(NowMs()); }

void PauseNightMode(int minutes) {
  const int64_t now = NowMs();
  mode.Pause(now, minutes > 0 ? now + minutes * 60000LL : mode.NextChangeMs(now, zone), zone);
  Store(u"PausedUntil");
  Update(false);
}

void ResumeNightMode() {
  mode.Resume(NowMs());
  Store(u"PausedUntil");
  Update(false);
}

void ToggleNightPause() {
  if (NightModePaused()) {
    ResumeNightMode();
  } else {
    PauseNightMode(0);
  }
}

void SetNightModeOn(bool on) {
  NightSettings settings = mode.Settings();
  settings.schedule.on = on;
  Configure(settings);
  RegisterNightHotkey(host.dialog, mode.On());
  Store(u"On");
  Update(true);
}

bool TakeNightRequest(const NightRequest& request) {
  switch (request.op) {
    case NightRequest::Op::On:
    case NightRequest::Op::Off:
      SetNightModeOn(request.op == NightRequest::Op::On);
      return true;
    case NightRequest::Op::Pause:
      PauseNightMode(request.minutes);
      return true;
    case NightRequest::Op::Resume:
      ResumeNightMode();
      return true;
  }
  return false;
}

NightSettings CurrentNightSettings() { return mode.Settings(); }

bool NightOnDisplay(const std::u16string& id) { return TakesPart(id); }

void ApplyNightSettings(const NightSettings& settings, const std::vector<std::pair<std::u16string, bool>>& displays) {
  Configure(settings);
  RegisterNightHotkey(host.dialog, mode.On());
  for (const auto& display : displays) {
    if (TakesPart(display.first) == display.second) continue;
    settingsFile.SetPending(LevelModel::Section(display.first).c_str(), kNightKey, display.second ? 1 : 0);
    displaysTakingPart.clear();  // read again, with the value just queued
  }
  Store(nullptr);
  Update(true);
}

void PreviewNightLook(const NightLook& look) {
  previewing = true;
  previewLook = look;
  if (host.setLayer != nullptr) host.setLayer(&layer);
  Update(false);
}

void EndNightPreview() {
  if (!previewing) return;
  previewing = false;
  host.setLayer(mode.On() ? &layer : nullptr);
  Update(true);
}

std::u16string NightStatusText() {
  const NightStatus status = mode.StatusAt(NowMs(), zone);
  switch (status.kind) {
    case NightStatus::Kind::From:
      return text::FillIn(StringTable::Text(kTextNightFrom), {LocalTimeText(status.atUtc)});
    case NightStatus::Kind::Until: {
      std::u16string look = text::FromInt(static_cast<int>(status.look.kelvin / 100 + 0.5) * 100) + u" K";
      const int brightness = static_cast<int>(status.look.brightness - 0.5);
      if (brightness < 0) look += u", " + text::FromInt(brightness) + u" %";
      return text::FillIn(StringTable::Text(kTextNightUntil), {look, LocalTimeText(status.atUtc)});
    }
    case NightStatus::Kind::Paused:
      return text::FillIn(StringTable::Text(kTextNightPausedUntil), {LocalTimeText(status.atUtc)});
    default:
      return u"";
  }
}

bool StoreNightRequestAlone(const NightRequest& request) {
  const int64_t now = NowMs();
  switch (request.op) {
    case NightRequest::Op::On:
    case NightRequest::Op::Off:
      settingsFile.SetPendingText(kNightSection, u"On", request.op == NightRequest::Op::On ? u"1" : u"0");
      break;
    case NightRequest::Op::Pause: {
      const int64_t until = (now + request.minutes * 60000LL + 59999) / 60000 * 60;
      const std::u16string text = FormatPausedUntil(LocalDateAt(until, zone), LocalMinuteAt(until, zone));
      settingsFile.SetPendingText(kNightSection, u"PausedUntil", text.c_str());
      break;
    }
    case NightRequest::Op::Resume:
      settingsFile.SetPendingText(kNightSection, u"PausedUntil", u"");
      break;
  }
  return settingsFile.WritePendingBeforeEnd() == ini::WriteResult::kOk;
}
