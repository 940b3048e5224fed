#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "common/text.h"
#include "fake_settings_port.h"

namespace {

const std::u16string kBeside = u"C:\\Tools\\Glowmere.ini";
const std::u16string kPerUser = u"C:\\Users\\ann\\AppData\\Roaming\\Ardentine\\Glowmere\\Glowmere.ini";

// A settings file in the user's folder holding `content`; `held` at the start: a start that could not read it.
struct Rig {
  explicit Rig(const std::string& content = "", bool held = false) {
    platform.files[kPerUser] = content;
    if (held) platform.held.insert(kPerUser);
    settings.Init(u"Glowmere");
  }
  FakeSettingsPort platform;
  SettingsFile settings{platform};
};

// "_p" in the executable's name, not its folder's, asks for a portable file, if the folder takes one;
// a file beside the executable is taken in any case. The file beside stays as it was.
TEST(SettingsFile, ChoosesTheLocationFromTheExecutableAndItsFolder) {
  const char* own = "[Start]\r\nr=7\r\n";
  const struct {
    const char16_t* exe;
    const char* beside;  // Glowmere.ini beside the executable; null: none
    std::u16string path;
    bool readOnlyFolder, besideIsFolder, portable;
  } cases[] = {
      {u"C:\\Tools\\Glowmere_p.exe", own, kBeside, true, false, true},
      {u"C:\\Tools\\Glowmere.exe", own, kBeside, false, false, false},
      {u"C:\\Tools\\Glowmere_p.exe", nullptr, kPerUser, false, true, false},
      {u"C:\\my_place\\Glowmere.exe", nullptr, kPerUser, false, false, false},
  };
  for (const auto& c : cases) {
    FakeSettingsPort platform;
    platform.exe = c.exe;
    if (c.readOnlyFolder) platform.readOnly.insert(u"C:\\Tools");
    if (c.beside) platform.files[kBeside] = c.beside;
    if (c.besideIsFolder) platform.folders.insert(kBeside);
    SettingsFile settings(platform);
    settings.Init(u"Glowmere");
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    EXPECT_EQ(text::ToUtf8(settings.Path()), text::ToUtf8(c.path));
    EXPECT_EQ(portableMode, c.portable);
    EXPECT_EQ(platform.files.count(kBeside) ? platform.files[kBeside] : "-", c.beside ? c.beside : "-");
  }
}

TEST(SettingsFile, ReadIntConvertsAndClamps) {
  // Stored levels clamped run end to end. A default is clamped too; -1 turns a bound off; min
  // above max gives min; huge numbers saturate; a number of 20 characters or more still reads.
  const struct {
    const char* stored;  // null: key missing
    int def, min, max, expected;
  } cases[] = {
      {nullptr, 128, 0, 256, 128},
      {nullptr, 500, 0, 256, 256},
      {"12abc", 128, 0, 256, 12},
      {"300", 128, 0, -1, 300},
      {"250", 128, 300, 200, 300},
      {"2147483648", 0, -1, -1, INT_MAX},
      {"-99999999999", 0, -1, -1, INT_MIN},
      {"0000000000000000000042", 0, -1, -1, 42},
      {"123456789012345678901234567890", 0, 0, 256, 256},
  };
  for (const auto& c : cases) {
    Rig r(c.stored ? std::string("[Start]\r\nx=") + c.stored + "\r\n" : "[Start]\r\n");
    EXPECT_EQ(r.settings.ReadInt(u"Start", u"x", c.def, c.min, c.max), c.expected) << "case " << &c - cases;
  }
}

// A write that cannot complete, or a file we cannot read or would damage, keeps the old
// bytes; a write that changes nothing does not replace the file at all.
TEST(SettingsFile, NeverDamagesTheFileAndReplacesItOnlyForAChange) {
  const std::string old = "; mine\r\n[Start]\r\nr=77\r\n";
  const struct {
    const char* what;
    std::string content;
    bool diskFull, locked;
    int replaces;
  } cases[] = {
      {"disk full", old, true, false, 1},
      {"unreadable: never rewritten blind", old, false, true, 0},
      {"UTF-16 big-endian", std::string("\xFE\xFF\0[\0S\0]\0\r\0\n", 12), false, false, 0},
      {"value already there", "[Start]\r\nr = 128\r\n", false, false, 0},
  };
  for (const auto& c : cases) {
    Rig r(c.content);
    r.platform.diskFull = c.diskFull;
    if (c.locked) r.platform.locked.insert(kPerUser);
    r.settings.WriteInt(u"start", u"R", 128);
    EXPECT_EQ(r.platform.files[kPerUser], c.content) << c.what;
    EXPECT_EQ(r.platform.replaces, c.replaces) << c.what;
  }
}

// A start that could not read the file (held without sharing, as a network folder not yet
// there) keeps its defaults and the levels it applied only for keys the file lacks: the first
// write that works keeps the user's hotkeys, restore choice and own sections, and the start
// learns once that the file can be read. A start that read the file writes its levels back as
// always and never hears of it. A user's change always lands.
TEST(SettingsFile, AStartThatCouldNotReadTheFileNeverOverwritesItsValues) {
  const std::string tail = "\r\n[Hotkeys]\r\nBrighter=\r\nDarker=Ctrl+Alt+PgDn\r\n[Mine]\r\nx=1\r\n";
  for (bool held : {true, false}) {
    Rig r("[Start]\r\nsetrgb=1\r\nr=90\r\nH=90\r\n[Hotkeys]\r\nBrighter=\r\n[Mine]\r\nx=1\r\n", held);
    EXPECT_EQ(r.settings.ReadableAtStart(), !held);
    // The start's levels (restored, or neutral when it read nothing) and the hotkeys' defaults.
    r.settings.BeginStartValues();
    const int level = r.settings.ReadInt(u"Start", u"setrgb", 0, -1, -1) ? 77 : 128;
    for (const char16_t* key : {u"g", u"b", u"H"}) r.settings.SetPending(u"Start", key, level);
    if (held) {
      r.settings.SetPending(u"Start", u"r", 128);
      r.settings.SetPendingText(u"Hotkeys", u"Brighter", u"Ctrl+Alt+PgUp");
    }
    r.settings.SetPendingText(u"Hotkeys", u"Darker", u"Ctrl+Alt+PgDn");
    r.settings.EndStartValues();
    EXPECT_EQ(r.settings.WritePending(), held ? ini::WriteResult::kBusy : ini::WriteResult::kOk);
    EXPECT_FALSE(r.settings.FirstReadAfterBlindStart()) << held << ": still held";
    r.platform.held.clear();
    EXPECT_EQ(r.settings.FirstReadAfterBlindStart(), held);
    EXPECT_FALSE(r.settings.FirstReadAfterBlindStart()) << held << ": once only";
    EXPECT_EQ(r.settings.ReadInt(u"Start", u"r", 128, 0, 256), 90) << held << ": the file's value, not the start's";
    r.settings.WritePending();
    EXPECT_EQ(r.platform.files[kPerUser], std::string("[Start]\r\nsetrgb=1\r\nr=90\r\n") +
                                              (held ? "H=90\r\ng=128\r\nb=128" : "H=77\r\ng=77\r\nb=77") + tail)
        << "held at start: " << held;
    EXPECT_FALSE(r.settings.HasPending());
    r.settings.SetPending(u"Start", u"r", 5);
    r.settings.WritePending();
    EXPECT_EQ(r.settings.ReadInt(u"Start", u"r", 128, 0, 256), 5) << held << ": a user's change is stored";
  }
}

// The last write as the program ends waits up to 2 s for a busy file, no longer, and keeps
// what it could not store.
TEST(SettingsFile, TheLastWriteWaitsABoundedTimeForABusyFile) {
  for (unsigned releaseAfter : {1000u, 5000u}) {
    const bool stored = releaseAfter < 2000;
    const unsigned start = 1u << 31;  // the wait counts from the clock as it stands
    Rig r("[Start]\r\nr=1\r\n");
    r.platform.clock = start;
    r.platform.held = {kPerUser};
    r.platform.releaseAt = start + releaseAfter;
    r.settings.SetPending(u"Start", u"r", 2);
    EXPECT_EQ(r.settings.WritePendingBeforeEnd(), stored ? ini::WriteResult::kOk : ini::WriteResult::kBusy);
    EXPECT_EQ(r.platform.files[kPerUser], stored ? "[Start]\r\nr=2\r\n" : "[Start]\r\nr=1\r\n") << releaseAfter;
    EXPECT_LE(r.platform.clock - start, SettingsFile::kFinalWriteMs + SettingsFile::kFinalWritePauseMs);
    if (!stored) EXPECT_GE(r.platform.clock - start, SettingsFile::kFinalWriteMs) << "gave up early";
    EXPECT_EQ(r.settings.HasPending(), !stored) << releaseAfter;
  }
}

}  // namespace
