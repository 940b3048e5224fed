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
    out.bytes.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
    out.lossy = out.lossy || c > 0xFF;
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

const std::u16string kPing = u"C:\\Windows\\system32\\ping.exe";
const RemovalPaths kPlain = {u"C:\\Tools\\Glowmere.exe", u"C:\\Tools\\Glowmere.ini",
                             u"C:\\Temp\\Glowmere.exe_selfdestruct.bat", kPing};

// Percent signs doubled (a whole uninstall through such paths is run end to end); a path the
// code page cannot hold goes in its short form.
TEST(RemovalScriptText, DeletesExecutableThenSettingsThenItself) {
  // exeShort, scriptShort: what the system gives as short forms; exe, ini, script: as the script names them.
  const struct {
    const char* what;
    RemovalPaths paths;
    std::u16string exeShort, scriptShort;
    std::string exe, ini, script;
  } cases[] = {
      {"short forms",
       {u"C:\\\u0418\u0433\u0440\u044b\\Glowmere.exe", kPlain.settingsFile,
        u"C:\\\u6f22\u5b57\\Glowmere.exe_selfdestruct.bat"},
       u"C:\\____~1\\GLOWME~1.EXE",
       u"C:\\__~1\\GLOWME~1.BAT",
       "C:\\____~1\\GLOWME~1.EXE",
       "C:\\Tools\\Glowmere.ini",
       "C:\\__~1\\GLOWME~1.BAT"},
      {"percent sign in a short form",
       {u"C:\\100% \u0416\\Glowmere.exe", kPlain.settingsFile, kPlain.script},
       u"C:\\100%~1\\GLOWME~1.EXE",
       u"",
       "C:\\100%%~1\\GLOWME~1.EXE",
       "C:\\Tools\\Glowmere.ini",
       "C:\\Temp\\Glowmere.exe_selfdestruct.bat"},
      {"no settings file, no line for it",
       {kPlain.executable, u"", kPlain.script},
       u"",
       u"",
       "C:\\Tools\\Glowmere.exe",
       "",
       "C:\\Temp\\Glowmere.exe_selfdestruct.bat"},
  };
  for (const auto& c : cases) {
    ShortPaths shortPaths;
    if (!c.exeShort.empty()) shortPaths.known[c.paths.executable] = c.exeShort;
    if (!c.scriptShort.empty()) shortPaths.known[c.paths.script] = c.scriptShort;
    RemovalPaths paths = c.paths;
    paths.ping = kPing;
    auto text = RemovalScriptText(paths, Latin1, std::ref(shortPaths));
    ASSERT_TRUE(text.has_value()) << c.what;
    // The lines around them (the retries, the order) run in the end-to-end uninstall.
    for (const std::string& path : {c.exe, c.ini, c.script})
      EXPECT_EQ(text->find("DEL \"" + path + "\"\r\n") != std::string::npos, !path.empty()) << c.what << ": " << path;
    if (c.exeShort.empty() && c.scriptShort.empty()) {
      EXPECT_TRUE(shortPaths.asked.empty()) << c.what << ": short forms only where the code page falls short";
    }
  }
}

TEST(RemovalScriptText, NoScriptWhenAPathCannotBeWrittenExactly) {
  const std::u16string foreign = u"C:\\\u0416\\Glowmere.ini";
  const struct {
    const char* name;
    RemovalPaths paths;
    std::u16string shortForm;
  } cases[] = {
      // for `foreign`
      {"executable, short form lossy too", {foreign, kPlain.settingsFile, kPlain.script}, u"C:\\\u0416\\GLOWME~1.INI"},
      {"script, no short form", {kPlain.executable, kPlain.settingsFile, foreign}, u""},
  };
  for (const auto& c : cases) {
    ShortPaths shortPaths;
    if (!c.shortForm.empty()) shortPaths.known[foreign] = c.shortForm;
    RemovalPaths paths = c.paths;
    paths.ping = kPing;
    EXPECT_FALSE(RemovalScriptText(paths, Latin1, std::ref(shortPaths)).has_value()) << c.name;
  }
  const RemovalPaths paths = {foreign, kPlain.settingsFile, kPlain.script, kPing};
  EXPECT_FALSE(RemovalScriptText(paths, SilentLatin1, ShortPaths()).has_value())
      << "a silent substitution: a '?' would reach DEL as a wildcard";
}

}  // namespace
