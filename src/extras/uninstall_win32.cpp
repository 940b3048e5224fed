#include "extras/uninstall_win32.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "common/exit_codes.h"

#include "common/file_handles_win32.h"
#include "common/paths_win32.h"
#include "common/product_name.h"
#include "common/system_folder_win32.h"
#include "common/win32_text.h"
#include "extras/removal_script.h"
#include "extras/site_address.h"
#include "extras/web_addresses.h"
#include "settings/autostart_win32.h"
#include "settings/settings_file.h"

namespace {

constexpr char kQuestionGerman[] = "          Sind Sie Sicher?";
constexpr char kQuestionEnglish[] = "       Are you sure?";
constexpr char kQuestionCaption[] = ".......... ?";
constexpr wchar_t kStayedGerman[] =
    L"Glowmere konnte sich nicht selbst entfernen. Bitte l\u00f6schen Sie nach dem Beenden von Hand:\n\n";
constexpr wchar_t kStayedEnglish[] = L"Glowmere could not remove itself. Please delete by hand once it has ended:\n\n";

// A full path from an API that fills a buffer, or "" on failure or truncation:
// a cut path in the script could name another file.
template <typename Fill>
std::u16string PathFrom(Fill fill) {
  wchar_t buffer[MAX_PATH + 1];
  DWORD n = fill(buffer, MAX_PATH + 1);
  if (n == 0 || n > MAX_PATH) return std::u16string();
  return std::u16string(U(buffer), n);
}

// cmd reads a batch file in the console's code page, which starts as the OEM code page.
// Best-fit mappings count as lossy: "Ж" must not quietly become some other letter.
CodePageText ToConsoleCodePage(std::u16string_view s) {
  CodePageText out;
  if (s.empty()) return out;
  const UINT codePage = GetOEMCP();
  const wchar_t* wide = reinterpret_cast<const wchar_t*>(s.data());
  const int length = static_cast<int>(s.size());
  // UTF-8 takes neither best-fit flags nor a default character.
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
  int bytes = WideCharToMultiByte(codePage, flags, wide, length, nullptr, 0, nullptr, usedDefaultOut);
  if (bytes <= 0) {
    out.lossy = true;
    return out;
  }
  out.bytes.resize(static_cast<size_t>(bytes));
  bytes = WideCharToMultiByte(codePage, flags, wide, length, &out.bytes[0], bytes, nullptr, usedDefaultOut);
  if (bytes <= 0 || usedDefault) {
    out.lossy = true;
    return out;
  }
  out.bytes.resize(static_cast<size_t>(bytes));
  // The way back must give the same path, or the script would name another file.
  std::wstring back(static_cast<size_t>(length) + 1, L'\0');
  int units = MultiByteToWideChar(codePage, 0, out.bytes.data(), bytes, &back[0], length + 1);
  out.lossy = units != length || back.compare(0, static_cast<size_t>(length), wide, static_cast<size_t>(length)) != 0;
  return out;
}

std::u16string ShortPathOf(std::u16string_view path) {
  std::wstring longPath(reinterpret_cast<const wchar_t*>(path.data()), path.size());
  DWORD size = GetShortPathNameW(longPath.c_str(), nullptr, 0);
  if (size == 0) return std::u16string();
  std::wstring shortPath(size, L'\0');
  DWORD n = GetShortPathNameW(longPath.c_str(), &shortPath[0], size);
  if (n == 0 || n >= size) return std::u16string();
  return std::u16string(U(shortPath.c_str()), n);
}

}  // namespace

bool WriteRemovalScript() {
  RemovalPaths paths;
  paths.executable = U16(ModuleFileName().c_str());
  std::u16string tempFolder = PathFrom([](wchar_t* b, DWORD n) { return GetTempPathW(n, b); });
  if (paths.executable.empty() || tempFolder.empty()) return false;
  paths.settingsFile = settingsFile.Path();
  paths.script = tempFolder + RemovalScriptName(paths.executable.c_str());
  paths.ping = U16(SystemPath(L"ping.exe").c_str());

  ScopedHandle file(
      CreateFileW(W(paths.script), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  // The file exists from here on, so the script's own short path can be asked for.
  auto text = RemovalScriptText(paths, ToConsoleCodePage, ShortPathOf);
  const bool written = text && WriteAll(file.Get(), {*text}) && file.Close();
  if (written) {
    HINSTANCE started = ShellExecuteW(nullptr, L"open", W(paths.script), nullptr, W(tempFolder), SW_HIDE);
    if (reinterpret_cast<INT_PTR>(started) > 32) return true;
  }
  DeleteFileW(W(paths.script));
  return false;
}

void UninstallProgram(HWND owner, int language) {
  const char* question = language == 0 ? kQuestionGerman : kQuestionEnglish;
  if (MessageBoxA(GetActiveWindow(), question, kQuestionCaption, MB_YESNOCANCEL | MB_ICONQUESTION | MB_TOPMOST) !=
      IDYES) {
    return;
  }
  RemoveAutostart(W(ProductName()));
  if (!WriteRemovalScript()) {
    // Ending quietly would look like success while the files stay behind.
    std::wstring text = language == 0 ? kStayedGerman : kStayedEnglish;
    text += ModuleFileName();
    if (!settingsFile.Path().empty()) {
      text += L'\n';
      text += W(settingsFile.Path());
    }
    MessageBoxW(GetActiveWindow(), text.c_str(), W(ProductName()), MB_OK | MB_ICONWARNING | MB_TOPMOST);
  }

  TIME_ZONE_INFORMATION zone{};
  DWORD zoneResult = language == 0 ? 0 : GetTimeZoneInformation(&zone);
  std::u16string page = UninstallPageAddress(UninstallSiteAddress(language, zoneResult, zone.Bias));
  ShellExecuteW(owner, L"open", W(page), nullptr, nullptr, SW_SHOWMAXIMIZED);
  PostQuitMessage(kExitUninstalled);
}
