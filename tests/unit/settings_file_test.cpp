#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/late_start.h"
#include "common/text.h"

namespace {

std::u16string ParentOf(const std::u16string& path) {
  size_t slash = path.rfind(u'\\');
  return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

// A small Windows-like file system in memory.
class FakePlatform : public SettingsPlatform {
 public:
  std::u16string ExecutablePath() override { return exe; }
  std::u16string AppDataFolder() override { return appData; }
  void CreateFolder(const std::u16string& path) override {
    if (Writable(ParentOf(path)) && files.count(path) == 0) folders.insert(path);
  }
  int PathKind(const std::u16string& path) override {
    return files.count(path) ? 1 : folders.count(path) ? 2 : 0;
  }
  unsigned Milliseconds() override { return clock; }
  void Pause(unsigned ms) override { clock += ms; }
  bool Held(const std::u16string& path) const { return held.count(path) && clock < releaseAt; }
  ini::ReadResult ReadFileBytes(const std::u16string& path, std::string* bytes) override {
    if (Held(path)) return ini::ReadResult::kBusy;
    if (folders.count(path) || locked.count(path)) return ini::ReadResult::kFailed;
    auto file = files.find(path);
    if (file == files.end()) return ini::ReadResult::kMissing;
    *bytes = file->second;
    return ini::ReadResult::kOk;
  }
  ini::WriteResult ReplaceFileBytes(const std::u16string& path, const std::vector<std::string_view>& pieces) override {
    ++replaces;
    if (busy) return ini::WriteResult::kBusy;
    if (diskFull || !Writable(ParentOf(path)) || folders.count(path)) return ini::WriteResult::kRefused;
    std::string bytes;
    for (std::string_view piece : pieces) bytes += piece;
    files[path] = bytes;
    return ini::WriteResult::kOk;
  }

  bool Writable(const std::u16string& folder) const { return folders.count(folder) && !readOnly.count(folder); }

  std::u16string exe = u"C:\\Tools\\Glowmere.exe";
  std::u16string appData = u"C:\\Users\\ann\\AppData\\Roaming";
  std::set<std::u16string> folders = {u"C:", u"C:\\Tools", u"C:\\my_place", u"C:\\Users", u"C:\\Users\\ann",
                                      u"C:\\Users\\ann\\AppData", u"C:\\Users\\ann\\AppData\\Roaming"};
  std::set<std::u16string> readOnly;
  std::set<std::u16string> locked;
  std::map<std::u16string, std::string> files;
  bool diskFull = false;
  bool busy = false;  // another program holds the file, which can still be read
  std::set<std::u16string> held;  // held without sharing: not even readable, until releaseAt
  unsigned releaseAt = ~0u;
  unsigned clock = 0;
  int replaces = 0;
};

const std::u16string kBeside = u"C:\\Tools\\Glowmere.ini";
const std::u16string kPerUser = u"C:\\Users\\ann\\AppData\\Roaming\\Ardentine\\Glowmere\\Glowmere.ini";

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override { portableMode = 0; }
  void InitPerUser(const std::string& content) {
    settings_.Init(u"Glowmere");
    ASSERT_EQ(settings_.Path(), kPerUser);
    platform_.files[kPerUser] = content;
  }

  FakePlatform platform_;
  SettingsFile settings_{platform_};
};

// "_p" anywhere in the executable's name asks for a portable file, if the folder takes one.
TEST_F(SettingsFileTest, ChoosesTheLocationFromTheExecutableAndItsFolder) {
  const char* probe = "[TestIni]\r\nM=1111\r\n";
  const char* own = "[Start]\r\nr=7\r\n";
  const std::u16string portable = u"C:\\Tools\\Glowmere_p.exe", plain = u"C:\\Tools\\Glowmere.exe";
  // besideFile: Glowmere.ini beside the executable before, or null; expectedBeside: after.
  const struct {
    const char* what;
    std::u16string exe;
    bool readOnlyFolder;
    const char* besideFile;
    bool besideIsFolder;
    std::u16string expectedPath;
    int expectedPortable;
    const char* expectedBeside;
  } cases[] = {
      {"portable name, writable folder", portable, false, nullptr, false, kBeside, 1, probe},
      {"_p inside the name", u"C:\\Tools\\my_prog.exe", false, nullptr, false, kBeside, 1, probe},
      {"portable name, read-only folder", portable, true, nullptr, false, kPerUser, 0, nullptr},
      {"portable name, file in a read-only folder", portable, true, own, false, kBeside, 1, own},
      {"plain name with a file beside it", plain, false, own, false, kBeside, 0, own},
      {"plain name, no file beside it", plain, false, nullptr, false, kPerUser, 0, nullptr},
      {"folder named Glowmere.ini", portable, false, nullptr, true, kPerUser, 0, nullptr},
      {"_p in the folder's name does not count", u"C:\\my_place\\Glowmere.exe", false, nullptr, false, kPerUser, 0,
       nullptr},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    platform.exe = c.exe;
    if (c.readOnlyFolder) platform.readOnly.insert(u"C:\\Tools");
    if (c.besideFile) platform.files[kBeside] = c.besideFile;
    if (c.besideIsFolder) platform.folders.insert(kBeside);
    portableMode = 0;
    SettingsFile settings(platform);
    settings.Init(u"Glowmere");
    EXPECT_EQ(text::ToUtf8(settings.Path()), text::ToUtf8(c.expectedPath)) << c.what;
    EXPECT_EQ(portableMode, c.expectedPortable) << c.what;
    EXPECT_EQ(platform.files.count(kBeside) ? platform.files[kBeside] : "(no file)",
              c.expectedBeside ? c.expectedBeside : "(no file)") << c.what << ": beside the executable";
  }
}

TEST_F(SettingsFileTest, ReadIntConvertsAndClamps) {
  // A default is clamped too; -1 turns a bound off; min above max gives min; huge
  // numbers saturate; a number of 20 characters or more still reads.
  const struct { const char* stored; int def, min, max, expected; } cases[] = {  // stored null: key missing
      {"300", 128, 0, 256, 256},      {"77", 128, 0, 256, 77},         {nullptr, 128, 0, 256, 128},
      {nullptr, 500, 0, 256, 256},    {"abc", 128, 0, 256, 0},         {"12abc", 128, 0, 256, 12},
      {"\"200\"", 128, 0, 256, 200},  {"-5", 128, -1, -1, -5},         {"300", 128, 0, -1, 300},
      {"250", 128, 300, 200, 300},    {"2147483648", 0, -1, -1, INT_MAX}, {"-99999999999", 0, -1, -1, INT_MIN},
      {"0000000000000000000042", 0, -1, -1, 42}, {"123456789012345678901234567890", 0, 0, 256, 256},
  };
  for (const auto& c : cases) {
    std::string content = "[Start]\r\n";
    if (c.stored) content += std::string("x=") + c.stored + "\r\n";
    InitPerUser(content);
    EXPECT_EQ(settings_.ReadInt(u"Start", u"x", c.def, c.min, c.max), c.expected)
        << "stored " << (c.stored ? c.stored : "(missing)") << ", default " << c.def << ", bounds " << c.min << ".."
        << c.max;
  }
}

// A write that cannot complete, or a file we cannot read or would damage, keeps the old
// bytes; a write that changes nothing does not replace the file at all.
TEST_F(SettingsFileTest, NeverDamagesTheFileAndReplacesItOnlyForAChange) {
  const std::string old = "; mine\r\n[Start]\r\nr=77\r\n";
  const struct { const char* what; std::string content; bool diskFull, locked; int replaces; } cases[] = {
      {"disk full", old, true, false, 1},
      {"unreadable: never rewritten blind", old, false, true, 0},
      {"UTF-16 big-endian, which ANSI lines would damage", std::string("\xFE\xFF\0[\0S\0]\0\r\0\n", 12), false,
       false, 0},
      {"value already there", "[Start]\r\nr = 128\r\n", false, false, 0},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    SettingsFile settings(platform);
    settings.Init(u"Glowmere");
    platform.files[kPerUser] = c.content;
    platform.diskFull = c.diskFull;
    if (c.locked) platform.locked.insert(kPerUser);
    settings.WriteInt(u"start", u"R", 128);
    EXPECT_EQ(platform.files[kPerUser], c.content) << c.what;
    EXPECT_EQ(platform.replaces, c.replaces) << c.what;
  }
}

// A drag's levels wait in memory, reads see them, and they reach the file in one replacement
// (carried by any other write, such as the language's); a busy file loses none of them.
TEST_F(SettingsFileTest, PendingValuesAreReadAtOnceAndStoredTogether) {
  InitPerUser("[Start]\r\nsetrgb=1\r\n");
  for (const char16_t* key : {u"r", u"g", u"b", u"H"}) settings_.SetPending(u"Start", key, 100);
  settings_.SetPending(u"start", u"R", 27);
  EXPECT_EQ(settings_.ReadInt(u"Start", u"h", 128, 0, 256), 100);
  EXPECT_EQ(settings_.ReadInt(u"Start", u"r", 128, 0, 256), 27);
  EXPECT_EQ(platform_.replaces, 0) << "nothing written before it is asked for";

  platform_.busy = true;
  EXPECT_EQ(settings_.WritePending(), ini::WriteResult::kBusy);
  settings_.WriteInt(u"Program", u"m_lang_id", 3);
  EXPECT_EQ(platform_.files[kPerUser], "[Start]\r\nsetrgb=1\r\n");
  EXPECT_TRUE(settings_.HasPending());

  platform_.busy = false;
  settings_.WriteInt(u"Start", u"setrgb", 0);
  EXPECT_EQ(platform_.files[kPerUser],
            "[Start]\r\nsetrgb=0\r\nr=27\r\ng=100\r\nb=100\r\nH=100\r\n[Program]\r\nm_lang_id=3\r\n");
  EXPECT_EQ(platform_.replaces, 3) << "one replacement per write, whatever it carries";
  EXPECT_FALSE(settings_.HasPending());
}

// A start that could not read the file (held without sharing, as a network folder not yet
// there) keeps its defaults and the levels it applied only for keys the file lacks: the
// first write that works keeps the user's hotkeys, restore choice and own sections. A start
// that read the file writes its levels back as always; a user's change always lands.
TEST_F(SettingsFileTest, AStartThatCouldNotReadTheFileNeverOverwritesItsValues) {
  const std::string mine = "[Start]\r\nsetrgb=1\r\nr=90\r\nH=90\r\n[Hotkeys]\r\nBrighter=\r\n[Mine]\r\nx=1\r\n";
  const struct { const char* what; bool heldAtStart; std::string expected; } cases[] = {
      {"held at start", true,
       "[Start]\r\nsetrgb=1\r\nr=90\r\nH=90\r\ng=128\r\nb=128\r\n[Hotkeys]\r\nBrighter=\r\nDarker=Ctrl+Alt+PgDn\r\n"
       "[Mine]\r\nx=1\r\n[Program]\r\nm_lang_id=3\r\n"},
      {"read at start", false,
       "[Start]\r\nsetrgb=1\r\nr=90\r\nH=77\r\ng=77\r\nb=77\r\n[Hotkeys]\r\nBrighter=\r\nDarker=Ctrl+Alt+PgDn\r\n"
       "[Mine]\r\nx=1\r\n[Program]\r\nm_lang_id=3\r\n"},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    SettingsFile settings(platform);
    platform.files[kPerUser] = mine;
    platform.folders.insert({u"C:\\Users\\ann\\AppData\\Roaming\\Ardentine",
                             u"C:\\Users\\ann\\AppData\\Roaming\\Ardentine\\Glowmere"});
    if (c.heldAtStart) platform.held.insert(kPerUser);
    settings.Init(u"Glowmere");
    EXPECT_EQ(settings.ReadableAtStart(), !c.heldAtStart) << c.what;
    // The dialog's start: the levels it applies (restored, or neutral when it read nothing)
    // and the hotkeys' defaults for keys it did not find.
    settings.BeginStartValues();
    const int level = settings.ReadInt(u"Start", u"setrgb", 0, -1, -1) ? 77 : 128;
    for (const char16_t* key : {u"g", u"b", u"H"}) settings.SetPending(u"Start", key, level);
    if (c.heldAtStart) {
      settings.SetPending(u"Start", u"r", 128);
      settings.SetPendingText(u"Hotkeys", u"Brighter", u"Ctrl+Alt+PgUp");
    }
    settings.SetPendingText(u"Hotkeys", u"Darker", u"Ctrl+Alt+PgDn");
    settings.EndStartValues();
    EXPECT_EQ(settings.WritePending(), c.heldAtStart ? ini::WriteResult::kBusy : ini::WriteResult::kOk) << c.what;
    platform.held.clear();
    EXPECT_EQ(settings.ReadInt(u"Start", u"r", 128, 0, 256), 90) << c.what << ": the file's value, not the start's";
    settings.WriteInt(u"Program", u"m_lang_id", 3);
    EXPECT_EQ(platform.files[kPerUser], c.expected) << c.what;
    EXPECT_FALSE(settings.HasPending()) << c.what;
    settings.SetPending(u"Start", u"r", 5);
    settings.WritePending();
    EXPECT_EQ(settings.ReadInt(u"Start", u"r", 128, 0, 256), 5) << c.what << ": a user's change is stored";
  }
}

// The last write as the program ends waits up to 2 s for a busy file, no longer, and keeps
// what it could not store.
TEST_F(SettingsFileTest, TheLastWriteWaitsABoundedTimeForABusyFile) {
  const struct { const char* what; unsigned releaseAt; ini::WriteResult result; bool stored; } cases[] = {
      {"let go after 1 s", 1000, ini::WriteResult::kOk, true},
      {"held for 5 s", 5000, ini::WriteResult::kBusy, false},
  };
  for (const auto& c : cases) {
    InitPerUser("[Start]\r\nr=1\r\n");
    platform_.clock = 1u << 31;  // a clock that wraps during the wait changes nothing
    platform_.held = {kPerUser};
    platform_.releaseAt = platform_.clock + c.releaseAt;
    const unsigned start = platform_.clock;
    settings_.SetPending(u"Start", u"r", 2);
    EXPECT_EQ(settings_.WritePendingBeforeEnd(), c.result) << c.what;
    EXPECT_EQ(platform_.files[kPerUser], c.stored ? "[Start]\r\nr=2\r\n" : "[Start]\r\nr=1\r\n") << c.what;
    EXPECT_LE(platform_.clock - start, SettingsFile::kFinalWriteMs + SettingsFile::kFinalWritePauseMs) << c.what;
    if (!c.stored) EXPECT_GE(platform_.clock - start, SettingsFile::kFinalWriteMs) << c.what << ": gave up early";
    EXPECT_EQ(settings_.HasPending(), !c.stored) << c.what;
    settings_.WritePending();  // the next case starts with nothing kept
  }
}

// Once a start that could not read the file can read it, the file's levels are taken if
// Restore is on there and the user has not moved them; once only.
TEST_F(SettingsFileTest, AFileReadableAfterABlindStartGivesItsLevelsUnlessTheUserMovedThem) {
  const struct { const char* what; bool heldAtStart; const char* file; bool userMoved; bool taken; } cases[] = {
      {"restore on", true, "[Start]\r\nsetrgb=1\r\nr=90\r\nH=70\r\n", false, true},
      {"restore off", true, "[Start]\r\nsetrgb=0\r\nr=90\r\nH=70\r\n", false, false},
      {"the user moved a slider", true, "[Start]\r\nsetrgb=1\r\nr=90\r\nH=70\r\n", true, false},
      {"read at start", false, "[Start]\r\nsetrgb=1\r\nr=90\r\nH=70\r\n", false, false},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    SettingsFile settings(platform);
    platform.files[kPerUser] = c.file;
    platform.folders.insert({u"C:\\Users\\ann\\AppData\\Roaming\\Ardentine",
                             u"C:\\Users\\ann\\AppData\\Roaming\\Ardentine\\Glowmere"});
    if (c.heldAtStart) platform.held.insert(kPerUser);
    settings.Init(u"Glowmere");
    settings.BeginStartValues();
    for (const char16_t* key : {u"r", u"g", u"b", u"H"}) settings.SetPending(u"Start", key, 128);
    settings.EndStartValues();
    ColorLevels levels;
    EXPECT_FALSE(LevelsOfALateFile(settings, &levels)) << c.what << ": still held";
    if (c.userMoved) settings.SetPending(u"Start", u"H", 10);
    platform.held.clear();
    levels = ColorLevels{1, 1, 1, 1};
    EXPECT_EQ(LevelsOfALateFile(settings, &levels), c.taken) << c.what;
    if (c.taken) {
      EXPECT_EQ(std::vector<int>({levels.brightness, levels.red, levels.green, levels.blue}),
                std::vector<int>({70, 90, 128, 128})) << c.what;
    }
    EXPECT_FALSE(LevelsOfALateFile(settings, &levels)) << c.what << ": once only";
  }
}

}  // namespace
