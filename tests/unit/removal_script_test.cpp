#include "extras/removal_script.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// A single-byte code page holding exactly U+0000..U+00FF, reporting what it cannot hold.
CodePageText Latin1(std::u16string_view s) {
  CodePageText out;
  for (char16_t c : s) {
    if (c <= 0xFF) {
      out.bytes.push_back(static_cast<char>(c));
    } else {
      out.bytes.push_back('?');
      out.lossy = true;
    }
  }
  return out;
}

// Substitutes like Latin1 but does not say so.
CodePageText SilentLatin1(std::u16string_view s) {
  CodePageText out = Latin1(s);
  out.lossy = false;
  return out;
}

struct ShortPaths {
  std::map<std::u16string, std::u16string> known;
  std::vector<std::u16string> asked;
  std::u16string operator()(std::u16string_view path) {
    asked.emplace_back(path);
    auto it = known.find(std::u16string(path));
    return it == known.end() ? std::u16string() : it->second;
  }
};

std::string Script(const std::string& exe, const std::string& ini, const std::string& script) {
  return "set /a tries=0\r\n"
         ":Repeat\r\n"
         "DEL \"" + exe + "\"\r\n"
         "if not exist \"" + exe + "\" goto Removed\r\n"
         "set /a tries+=1\r\n"
         "if %tries% GEQ 120 goto Removed\r\n"
         "ping -n 2 127.0.0.1 >nul\r\n"
         "goto Repeat\r\n"
         ":Removed\r\n"
         "DEL \"" + ini + "\"\r\n"
         "DEL \"" + script + "\"\r\n";
}

const RemovalPaths kPlain = {u"C:\\Tools\\Glowmere.exe", u"C:\\Tools\\Glowmere.ini",
                             u"C:\\Temp\\Glowmere.exe_selfdestruct.bat"};

TEST(FileNamePart, TakesWhatFollowsTheLastBackslash) {
  struct Case {
    const char16_t* path;
    std::u16string expected;
  } cases[] = {
      {u"C:\\Tools\\Glowmere.exe", u"Glowmere.exe"},
      {u"C:\\a\\b\\c.d.exe", u"c.d.exe"},
      {u"Glowmere.exe", u"Glowmere.exe"},
      {u"C:\\Tools\\", u""},
      {u"", u""},
      {nullptr, u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, FileNamePart(c.path)) << "path " << (c.path ? "given" : "null");
  }
}

TEST(RemovalScriptName, AppendsSelfdestructToTheExecutableName) {
  EXPECT_EQ(u"Glowmere.exe_selfdestruct.bat", RemovalScriptName(u"C:\\Tools\\Glowmere.exe"));
  EXPECT_EQ(u"g_p.exe_selfdestruct.bat", RemovalScriptName(u"g_p.exe"));
}

TEST(RemovalScriptText, DeletesExecutableThenSettingsThenItself) {
  ShortPaths shortPaths;
  auto text = RemovalScriptText(kPlain, Latin1, std::ref(shortPaths));
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(Script("C:\\Tools\\Glowmere.exe", "C:\\Tools\\Glowmere.ini", "C:\\Temp\\Glowmere.exe_selfdestruct.bat"),
            *text);
  EXPECT_TRUE(shortPaths.asked.empty()) << "short forms are only for paths the code page cannot hold";
}

TEST(RemovalScriptText, DoublesEveryPercentSign) {
  const RemovalPaths paths = {u"C:\\100% Tools\\%PATH%.exe", u"C:\\100% Tools\\Glowmere.ini",
                              u"C:\\T%\\Glowmere.exe_selfdestruct.bat"};
  auto text = RemovalScriptText(paths, Latin1, ShortPaths());
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(Script("C:\\100%% Tools\\%%PATH%%.exe", "C:\\100%% Tools\\Glowmere.ini",
                   "C:\\T%%\\Glowmere.exe_selfdestruct.bat"),
            *text);
}

TEST(RemovalScriptText, KeepsCharactersTheCodePageHolds) {
  const RemovalPaths paths = {u"C:\\J\u00fcrgen\\Glowmere.exe", u"C:\\J\u00fcrgen\\Glowmere.ini", kPlain.script};
  auto text = RemovalScriptText(paths, Latin1, ShortPaths());
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(Script("C:\\J\xfcrgen\\Glowmere.exe", "C:\\J\xfcrgen\\Glowmere.ini",
                   "C:\\Temp\\Glowmere.exe_selfdestruct.bat"),
            *text);
}

TEST(RemovalScriptText, UsesTheShortFormWhereTheCodePageFallsShort) {
  const RemovalPaths paths = {u"C:\\\u0418\u0433\u0440\u044b\\Glowmere.exe", u"C:\\Tools\\Glowmere.ini",
                              u"C:\\\u6f22\u5b57\\Glowmere.exe_selfdestruct.bat"};
  ShortPaths shortPaths;
  shortPaths.known[paths.executable] = u"C:\\____~1\\GLOWME~1.EXE";
  shortPaths.known[paths.script] = u"C:\\__~1\\GLOWME~1.BAT";
  auto text = RemovalScriptText(paths, Latin1, std::ref(shortPaths));
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(Script("C:\\____~1\\GLOWME~1.EXE", "C:\\Tools\\Glowmere.ini", "C:\\__~1\\GLOWME~1.BAT"), *text);
}

TEST(RemovalScriptText, DoublesPercentSignsInShortFormsToo) {
  const RemovalPaths paths = {u"C:\\100% \u0416\\Glowmere.exe", kPlain.settingsFile, kPlain.script};
  ShortPaths shortPaths;
  shortPaths.known[paths.executable] = u"C:\\100%~1\\GLOWME~1.EXE";
  auto text = RemovalScriptText(paths, Latin1, std::ref(shortPaths));
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(Script("C:\\100%%~1\\GLOWME~1.EXE", "C:\\Tools\\Glowmere.ini", "C:\\Temp\\Glowmere.exe_selfdestruct.bat"),
            *text);
}

TEST(RemovalScriptText, NoScriptWhenAPathCannotBeWrittenExactly) {
  const std::u16string foreign = u"C:\\\u0416\\Glowmere.ini";
  struct Case {
    const char* name;
    RemovalPaths paths;
    std::u16string shortForm;  // for `foreign`
  } cases[] = {
      {"settings path, short form lossy too", {kPlain.executable, foreign, kPlain.script}, u"C:\\\u0416~1\\GLOWME~1.INI"},
      {"settings path, no short form", {kPlain.executable, foreign, kPlain.script}, u""},
      {"executable, short form lossy too", {foreign, kPlain.settingsFile, kPlain.script}, u"C:\\\u0416\\GLOWME~1.INI"},
      {"script, no short form", {kPlain.executable, kPlain.settingsFile, foreign}, u""},
  };
  for (const auto& c : cases) {
    ShortPaths shortPaths;
    if (!c.shortForm.empty()) shortPaths.known[foreign] = c.shortForm;
    EXPECT_FALSE(RemovalScriptText(c.paths, Latin1, std::ref(shortPaths)).has_value()) << c.name;
  }
}

TEST(RemovalScriptText, NoScriptWhenTheConversionSubstitutesSilently) {
  const RemovalPaths paths = {u"C:\\\u0416\\Glowmere.exe", kPlain.settingsFile, kPlain.script};
  EXPECT_FALSE(RemovalScriptText(paths, SilentLatin1, ShortPaths()).has_value())
      << "a '?' would reach DEL as a wildcard";
}

TEST(RemovalScriptText, LeavesOutTheSettingsLineWhenThereIsNoSettingsFile) {
  const RemovalPaths paths = {kPlain.executable, u"", kPlain.script};
  auto text = RemovalScriptText(paths, Latin1, ShortPaths());
  ASSERT_TRUE(text.has_value());
  std::string expected = Script("C:\\Tools\\Glowmere.exe", "", "C:\\Temp\\Glowmere.exe_selfdestruct.bat");
  expected.erase(expected.find("DEL \"\"\r\n"), 8);
  EXPECT_EQ(expected, *text);
}

}  // namespace
