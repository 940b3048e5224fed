// The maker's pages and the self-removal, seen from outside: the shell's browser is
// replaced by a script that records every address it is asked to open.
#include <windows.h>

#include <string>
#include <vector>

#include "build_config.h"
#include "harness/harness.h"

namespace {

constexpr int kLink = 1032;
constexpr int kLanguages = 1031;
constexpr int kHomepage = 40025;
constexpr int kDonate = 40027;
constexpr int kUninstall = 40041;
constexpr int kMessageBoxText = 0xFFFF;
constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kBrowserKey[] = L"Software\\Wine\\WineBrowser";
constexpr DWORD kRemovalTimeoutMs = 20000;

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

const std::wstring kGerman = Wide(GLOWMERE_SITE_GERMAN);
const std::wstring kEuropean = Wide(GLOWMERE_SITE_EUROPEAN);
const std::wstring kInternational = Wide(GLOWMERE_SITE_INTERNATIONAL);

// The Unix name of a Windows path, as Wine's own programs see it.
std::string UnixPath(const std::wstring& windowsPath) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (toUnix == nullptr) return std::string();
  char* unixPath = toUnix(windowsPath.c_str());
  if (unixPath == nullptr) return std::string();
  std::string result(unixPath);
  HeapFree(GetProcessHeap(), 0, unixPath);
  return result;
}

bool ReadStringValue(HKEY root, const wchar_t* key, const wchar_t* name, std::wstring* value) {
  HKEY handle;
  if (RegOpenKeyExW(root, key, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return false;
  wchar_t data[1024] = {};
  DWORD size = sizeof(data) - sizeof(wchar_t);
  LONG r = RegQueryValueExW(handle, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(handle);
  if (r != ERROR_SUCCESS) return false;
  if (value) *value = data;
  return true;
}

bool WriteStringValue(HKEY root, const wchar_t* key, const wchar_t* name, const std::wstring& value) {
  HKEY handle;
  if (RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS) return false;
  LONG r = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return r == ERROR_SUCCESS;
}

void DeleteValue(HKEY root, const wchar_t* key, const wchar_t* name) {
  HKEY handle;
  if (RegOpenKeyExW(root, key, 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS) return;
  RegDeleteValueW(handle, name);
  RegCloseKey(handle);
}

std::wstring FileNameOf(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }
std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\') + 1); }

// The site the uninstall page uses for any language but German, from this machine's time zone.
std::wstring UninstallSiteForThisZone() {
  TIME_ZONE_INFORMATION zone{};
  DWORD result = GetTimeZoneInformation(&zone);
  if (result == 0 || result == TIME_ZONE_ID_INVALID) return kInternational;
  return zone.Bias >= -240 && zone.Bias <= 300 ? kEuropean : kInternational;
}

class ExtrasTest : public e2e::GlowmereTest {
 protected:
  void SetUp() override {
    GlowmereTest::SetUp();
    hadBrowsers_ = ReadStringValue(HKEY_CURRENT_USER, kBrowserKey, L"Browsers", &oldBrowsers_);
    std::wstring folder = e2e::ScratchDir(L"extras_browser");
    record_ = folder + L"\\opened.txt";
    DeleteFileW(record_.c_str());
    std::string recorder = "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + UnixPath(record_) + "'\n";
    ASSERT_TRUE(e2e::WriteFileBytes(folder + L"\\record.sh", recorder)) << "cannot write the recording browser";
    std::string script = UnixPath(folder + L"\\record.sh");
    ASSERT_FALSE(script.empty()) << "no Unix name for " << std::string(folder.begin(), folder.end());
    ASSERT_TRUE(WriteStringValue(HKEY_CURRENT_USER, kBrowserKey, L"Browsers", L"/bin/sh \"" + Wide(script) + L"\""));
  }

  void TearDown() override {
    if (hadBrowsers_) {
      WriteStringValue(HKEY_CURRENT_USER, kBrowserKey, L"Browsers", oldBrowsers_);
    } else {
      DeleteValue(HKEY_CURRENT_USER, kBrowserKey, L"Browsers");
    }
    GlowmereTest::TearDown();
  }

  std::vector<std::wstring> Opened() const {
    std::vector<std::wstring> lines;
    std::wstring all = e2e::ReadFileText(record_);
    size_t start = 0;
    for (size_t end; (end = all.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
      lines.push_back(all.substr(start, end - start));
    }
    return lines;
  }

  bool WasOpened(const std::wstring& address) const {
    for (const auto& line : Opened()) {
      if (line == address) return true;
    }
    return false;
  }

  // Waits for `address` to reach the browser; says what did reach it otherwise.
  ::testing::AssertionResult WaitForOpened(const std::wstring& address) const {
    if (e2e::WaitUntil([&] { return WasOpened(address); })) return ::testing::AssertionSuccess();
    std::string seen;
    for (const auto& line : Opened()) seen += " [" + e2e::Narrow(line) + "]";
    return ::testing::AssertionFailure() << "expected the browser to open " << e2e::Narrow(address)
                                         << ", it opened:" << (seen.empty() ? " nothing" : seen);
  }

  HWND WaitForQuestion(const e2e::Process& process) {
    HWND found = nullptr;
    e2e::WaitUntil([&] {
      for (HWND window : e2e::TopLevelWindows(process.pid, L"#32770")) {
        if (GetDlgItem(window, kMessageBoxText) && IsWindowVisible(window)) found = window;
      }
      return found != nullptr;
    });
    return found;
  }

  static void Answer(HWND box, int button) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
  }

  static void ChooseLanguage(HWND dialog, int index) {
    HWND list = GetDlgItem(dialog, kLanguages);
    SendMessageW(list, CB_SETCURSEL, index, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kLanguages, CBN_SELENDOK), reinterpret_cast<LPARAM>(list));
  }

  static void ClickLink(HWND dialog) {
    HWND link = GetDlgItem(dialog, kLink);
    SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }

  // The Run value as the autostart check box writes it for `exe`.
  static void SetRunValue(const std::wstring& exe) {
    ASSERT_TRUE(WriteStringValue(HKEY_CURRENT_USER, kRunKey, L"Glowmere", L"\"" + exe + L"\" -bg"));
  }
  static bool RunValueExists() { return ReadStringValue(HKEY_CURRENT_USER, kRunKey, L"Glowmere", nullptr); }

  // Starts a copy of Glowmere at `exe` with its Run value set; waits for its dialog and settings file.
  HWND StartInstalled(const std::wstring& exe, const std::wstring& ini, e2e::Process* process) {
    SetRunValue(exe);
    *process = Start(L"", exe);
    HWND dialog = WaitForDialog(*process);
    EXPECT_TRUE(dialog != nullptr) << "no dialog";
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::FileExists(ini); }))
        << "settings file never written: " << std::string(ini.begin(), ini.end());
    return dialog;
  }

  // Uninstall answered Yes: the program ends with 0 and leaves nothing behind.
  void ExpectRemoval(const std::wstring& exe, const std::wstring& ini) {
    e2e::Process process;
    HWND dialog = StartInstalled(exe, ini, &process);
    ASSERT_TRUE(dialog != nullptr);
    std::wstring script = FileNameOf(exe) + L"_selfdestruct.bat";
    for (wchar_t& c : script) c = c == L'%' || c == L'!' ? L'_' : c;  // as the command line needs
    script = e2e::TempFolder() + script;

    e2e::PostCommand(dialog, kUninstall);
    HWND box = WaitForQuestion(process);
    ASSERT_TRUE(box != nullptr) << "no confirmation box";
    Answer(box, IDYES);

    EXPECT_EQ(0u, WaitForExit(process)) << "exit code after the uninstall";
    EXPECT_FALSE(RunValueExists()) << "the Run value is still there";
    EXPECT_TRUE(e2e::WaitUntil([&] { return !e2e::FileExists(exe); }, kRemovalTimeoutMs))
        << "executable still there: " << std::string(exe.begin(), exe.end());
    EXPECT_TRUE(e2e::WaitUntil([&] { return !e2e::FileExists(ini); }, kRemovalTimeoutMs)) << "settings file still there";
    EXPECT_TRUE(e2e::WaitUntil([&] { return !e2e::FileExists(script); }, kRemovalTimeoutMs))
        << "removal script still there";
    EXPECT_TRUE(WaitForOpened(UninstallSiteForThisZone() + L"?page=Windows/Tools/Uninstall/Glowmere"));
  }

 private:
  std::wstring record_;
  std::wstring oldBrowsers_;
  bool hadBrowsers_ = false;
};

// These tests run under an English (non-German) user language, as the test run sets it.
TEST_F(ExtrasTest, LinkOpensTheToolsPageOfTheSiteOfTheLanguage) {
  e2e::Process process = Start();
  HWND dialog = WaitForDialog(process);
  ASSERT_TRUE(dialog != nullptr);
  EXPECT_EQ(kInternational, e2e::ItemText(dialog, kLink));

  ClickLink(dialog);
  EXPECT_TRUE(WaitForOpened(kInternational + L"?page=Windows/Tools/Glowmere/1"));

  ChooseLanguage(dialog, 0);
  EXPECT_EQ(kGerman, e2e::ItemText(dialog, kLink)) << "the link text follows the language";
  ClickLink(dialog);
  EXPECT_TRUE(WaitForOpened(kGerman + L"?page=Windows/Tools/Glowmere/1"));
}

TEST_F(ExtrasTest, HomepageAndDonateOpenTheirPages) {
  e2e::Process process = Start();
  HWND dialog = WaitForDialog(process);
  ASSERT_TRUE(dialog != nullptr);
  e2e::PostCommand(dialog, kHomepage);
  EXPECT_TRUE(WaitForOpened(kInternational + L"?seite=Freeware/Glowmere"));
  e2e::PostCommand(dialog, kDonate);
  EXPECT_TRUE(WaitForOpened(kInternational + L"/?paypal&Program=Glowmere"));
}

TEST_F(ExtrasTest, UninstallAnsweredNoOrCancelChangesNothing) {
  const std::wstring exe = e2e::CopyGlowmere(e2e::ScratchDir(L"extras_keep"));
  const std::wstring ini = e2e::PerUserIni();
  e2e::Process process;
  HWND dialog = StartInstalled(exe, ini, &process);
  ASSERT_TRUE(dialog != nullptr);

  for (int button : {IDNO, IDCANCEL}) {
    e2e::PostCommand(dialog, kUninstall);
    HWND box = WaitForQuestion(process);
    ASSERT_TRUE(box != nullptr) << "no confirmation box";
    EXPECT_EQ(L"       Are you sure?", e2e::ItemText(box, kMessageBoxText));
    EXPECT_EQ(L".......... ?", e2e::WindowText(box));
    Answer(box, button);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(box); })) << "the box did not close on button " << button;

    EXPECT_EQ(static_cast<DWORD>(STILL_ACTIVE), WaitForExit(process, 1000)) << "ended after button " << button;
    EXPECT_TRUE(RunValueExists()) << "Run value gone after button " << button;
    EXPECT_TRUE(e2e::FileExists(ini)) << "settings file gone after button " << button;
    EXPECT_TRUE(e2e::FileExists(exe)) << "executable gone after button " << button;
    EXPECT_FALSE(e2e::FileExists(e2e::TempFolder() + L"Glowmere.exe_selfdestruct.bat")) << "script written";
  }
  EXPECT_FALSE(WasOpened(UninstallSiteForThisZone() + L"?page=Windows/Tools/Uninstall/Glowmere"));
}

TEST_F(ExtrasTest, UninstallAsksInGermanForLanguageZero) {
  e2e::Process process = Start();
  HWND dialog = WaitForDialog(process);
  ASSERT_TRUE(dialog != nullptr);
  ChooseLanguage(dialog, 0);
  e2e::PostCommand(dialog, kUninstall);
  HWND box = WaitForQuestion(process);
  ASSERT_TRUE(box != nullptr) << "no confirmation box";
  EXPECT_EQ(L"          Sind Sie Sicher?", e2e::ItemText(box, kMessageBoxText));
  Answer(box, IDCANCEL);
  EXPECT_EQ(static_cast<DWORD>(STILL_ACTIVE), WaitForExit(process, 1000));
}

TEST_F(ExtrasTest, UninstallAnsweredYesRemovesEverything) {
  const std::wstring exe = e2e::CopyGlowmere(e2e::ScratchDir(L"extras_remove"));
  ExpectRemoval(exe, e2e::PerUserIni());
}

TEST_F(ExtrasTest, UninstallRemovesAProgramWithPercentAndExclamationSignsInItsPaths) {
  // Unescaped, "%TEMP%" would expand to another folder and nothing would be deleted; in the
  // script's own name, it would already break the command line that starts the script.
  // (Wine's cmd never turns delayed expansion on by itself, so "!" is literal here anyway.)
  const std::wstring folder = e2e::ScratchDir(L"extras_percent") + L"\\50% off %TEMP% !TEMP! !";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  // A "_p" name keeps the settings file beside the executable, so its path holds them too.
  const std::wstring exe = e2e::CopyGlowmere(folder, L"Glow%TEMP%!TEMP!!_p.exe");
  ExpectRemoval(exe, FolderOf(exe) + L"Glowmere.ini");
}

TEST_F(ExtrasTest, UninstallThatCannotWriteItsScriptSaysWhatStays) {
  const std::wstring exe = e2e::CopyGlowmere(e2e::ScratchDir(L"extras_stays"));
  const std::wstring missingTemp = FolderOf(exe) + L"missing\\";
  wchar_t tmp[MAX_PATH] = {}, temp[MAX_PATH] = {};
  GetEnvironmentVariableW(L"TMP", tmp, MAX_PATH);
  GetEnvironmentVariableW(L"TEMP", temp, MAX_PATH);
  SetEnvironmentVariableW(L"TMP", missingTemp.c_str());
  SetEnvironmentVariableW(L"TEMP", missingTemp.c_str());
  e2e::Process process;
  HWND dialog = StartInstalled(exe, e2e::PerUserIni(), &process);
  SetEnvironmentVariableW(L"TMP", tmp[0] ? tmp : nullptr);
  SetEnvironmentVariableW(L"TEMP", temp[0] ? temp : nullptr);
  ASSERT_TRUE(dialog != nullptr);
  e2e::PostCommand(dialog, kUninstall);
  HWND box = WaitForQuestion(process);
  ASSERT_TRUE(box != nullptr) << "no confirmation box";
  Answer(box, IDYES);
  std::wstring seen;
  EXPECT_TRUE(e2e::WaitUntil([&] {
    for (HWND window : e2e::TopLevelWindows(process.pid, L"#32770")) {
      seen = e2e::ItemText(window, kMessageBoxText);
      if (seen.find(exe) == std::wstring::npos) continue;
      Answer(window, IDOK);
      return true;
    }
    return false;
  })) << "expected a message naming " << e2e::Narrow(exe) << ", last seen: " << e2e::Narrow(seen);
  EXPECT_EQ(0u, WaitForExit(process)) << "exit code after the uninstall";
  EXPECT_TRUE(e2e::FileExists(exe)) << "nothing could remove it";
}

}  // namespace
