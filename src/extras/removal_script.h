// The batch script that removes the program once it has ended.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The part of `path` after its last backslash, `path` itself without one, "" for null.
std::u16string FileNamePart(const char16_t* path);

// File name of the removal script for an executable ("Glowmere.exe_selfdestruct.bat").
// "%" and "!" become "_": the command line that starts the script would expand them.
std::u16string RemovalScriptName(const char16_t* executablePath);

// A path in the code page the command interpreter reads the script in.
struct CodePageText {
  std::string bytes;
  bool lossy = false;  // some character had no exact equivalent
};
using ToScriptCodePage = std::function<CodePageText(std::u16string_view)>;
// The short (8.3) form of an existing path, or "" when there is none.
using ToShortPath = std::function<std::u16string(std::u16string_view)>;

struct RemovalPaths {
  std::u16string executable;
  std::u16string settingsFile;  // "" when there is none to delete
  std::u16string script;
  std::u16string ping;  // the system's ping.exe: the script runs in the temporary folder
};

// Seconds between tries to delete the executable, and how many tries before giving up.
constexpr int kRemovalPauseSeconds = 1;
constexpr int kRemovalTries = 120;

// The script's bytes: it deletes the executable (retrying while the program still
// runs), then the settings file, then itself; when the executable stays, so does the
// settings file. A path that cannot be written exactly,
// even in its short form, gives no script at all: a substitute character could make
// DEL match other files.
std::optional<std::string> RemovalScriptText(const RemovalPaths& paths, const ToScriptCodePage& toCodePage,
                                             const ToShortPath& toShortPath);
