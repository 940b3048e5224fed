#include "extras/removal_script.h"

namespace {

// cmd expands "%NAME%" even inside quotes; "%%" is a literal percent sign.
std::u16string EscapePercent(std::u16string_view path) {
  std::u16string out;
  out.reserve(path.size());
  for (char16_t c : path) {
    out.push_back(c);
    if (c == u'%') out.push_back(u'%');
  }
  return out;
}

// No Windows path holds these, so seeing one means the conversion substituted it.
bool HasWildcard(const std::string& bytes) { return bytes.find_first_of("?*") != std::string::npos; }

std::optional<std::string> Exact(std::u16string_view path, const ToScriptCodePage& toCodePage) {
  CodePageText converted = toCodePage(EscapePercent(path));
  if (converted.lossy || HasWildcard(converted.bytes)) return std::nullopt;
  return converted.bytes;
}

// The path as the script must name it: as it is, else its short form.
std::optional<std::string> ScriptPath(std::u16string_view path, const ToScriptCodePage& toCodePage,
                                      const ToShortPath& toShortPath) {
  if (auto exact = Exact(path, toCodePage)) return exact;
  std::u16string shortForm = toShortPath(path);
  if (shortForm.empty()) return std::nullopt;
  return Exact(shortForm, toCodePage);
}

}  // namespace

std::u16string FileNamePart(const char16_t* path) {
  if (path == nullptr) return std::u16string();
  std::u16string_view whole(path);
  size_t slash = whole.rfind(u'\\');
  return std::u16string(slash == std::u16string_view::npos ? whole : whole.substr(slash + 1));
}

std::u16string RemovalScriptName(const char16_t* executablePath) {
  std::u16string name = FileNamePart(executablePath) + u"_selfdestruct.bat";
  for (char16_t& c : name) {
    if (c == u'%' || c == u'!') c = u'_';
  }
  return name;
}

std::optional<std::string> RemovalScriptText(const RemovalPaths& paths, const ToScriptCodePage& toCodePage,
                                             const ToShortPath& toShortPath) {
  auto exe = ScriptPath(paths.executable, toCodePage, toShortPath);
  auto script = ScriptPath(paths.script, toCodePage, toShortPath);
  auto ping = ScriptPath(paths.ping, toCodePage, toShortPath);
  std::optional<std::string> settings;
  if (!paths.settingsFile.empty()) settings = ScriptPath(paths.settingsFile, toCodePage, toShortPath);
  if (!exe || !script || paths.ping.empty() || !ping || (!paths.settingsFile.empty() && !settings)) {
    return std::nullopt;
  }

  // ping waits a second between its echoes, on Windows and on Wine alike, network or not.
  const std::string pause = "\"" + *ping + "\" -n " + std::to_string(kRemovalPauseSeconds + 1) + " 127.0.0.1 >nul";
  std::string text;
  // First: where the registry turns delayed expansion on, "!" in a path would vanish.
  text += "setlocal DisableDelayedExpansion\r\n";
  text += "set /a tries=0\r\n";
  text += ":Repeat\r\n";
  text += "DEL \"" + *exe + "\"\r\n";
  text += "if not exist \"" + *exe + "\" goto Removed\r\n";
  // Bounded, so an executable that can never be deleted does not keep a hidden loop alive;
  // its settings then stay too, since the program is still there to use them.
  text += "set /a tries+=1\r\n";
  text += "if %tries% GEQ " + std::to_string(kRemovalTries) + " goto End\r\n";
  text += pause + "\r\n";
  text += "goto Repeat\r\n";
  text += ":Removed\r\n";
  if (settings) text += "DEL \"" + *settings + "\"\r\n";
  text += ":End\r\n";
  text += "DEL \"" + *script + "\"\r\n";
  return text;
}
