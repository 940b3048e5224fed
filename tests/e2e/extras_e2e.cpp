// The maker's pages and the self-removal, seen from outside. The test prefix's browser is a
// script that records every address it is asked to open (wine_env.sh). The test run's user
// language is English (not German).
#include <windows.h>

#include "build_config.h"
#include "harness.h"

namespace {

using namespace e2e;

const std::wstring kInternational = Widen(GLOWMERE_SITE_INTERNATIONAL);

// The uninstall page for any language but German follows the time zone. The test runs under
// TZ=America/Chicago (e2e.cmake; Wine takes the zone from the Unix TZ): bias 360, west of the
// European site's zones, with daylight time, so the zone is reported as known (a zone without
// daylight time is not, and gets the international site anyway). The rule's edges are unit-tested.
const wchar_t kUninstallPath[] = L"?page=Windows/Tools/Uninstall/Glowmere";

std::wstring OpenedRecord() { return StateFile(L"opened-urls.txt"); }

::testing::AssertionResult Opens(const std::wstring& address) {
  const std::wstring line = L"\n" + address + L"\n";
  if (WaitUntil([&] { return (L"\n" + ReadFileText(OpenedRecord())).find(line) != std::wstring::npos; }))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "expected " << Narrow(address) << ", opened:\n"
                                       << Narrow(ReadFileText(OpenedRecord()));
}

class Extras : public GlowmereTest {
 protected:
  // Starts the copy at `exe` with its Run value set; waits for its dialog and settings file.
  HWND StartInstalled(const std::wstring& exe, const std::wstring& ini) {
    DeleteFileW(OpenedRecord().c_str());
    const std::wstring value = L"\"" + exe + L"\" -bg";
    EXPECT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Glowmere",
                              REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    process_ = Start(L"", exe);
    HWND dialog = WaitForDialog(process_);
    EXPECT_TRUE(WaitUntil([&] { return FileExists(ini); })) << "settings file never written: " << Narrow(ini);
    return dialog;
  }

  // Uninstall chosen and answered with `button`; returns the question's text.
  std::wstring Uninstall(HWND dialog, int button) {
    PostCommand(dialog, CMD_UNINSTALL);
    HWND box = WaitForBox(process_.pid, dialog);
    if (box == nullptr) return L"<no question>";
    const std::wstring question = ItemText(box, 0xFFFF) + L"|" + WindowText(box);
    PostCommand(box, button);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << "the box did not close on button " << button;
    return question;
  }

  Process process_;
};

// Unescaped, "%TEMP%" would expand to another folder and nothing would be deleted; in the
// script's own name it would already break the command line that starts the script. A "_p"
// name keeps the settings file beside the executable (portable), so its path holds them too.
TEST_F(Extras, PagesOpenUninstallAnsweredNoKeepsAndYesRemovesEverything) {
  const std::wstring folder = ScratchDir(L"extras_percent") + L"\\50% off %TEMP% !TEMP! !";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring exe = CopyGlowmere(folder, L"Glow%TEMP%!TEMP!!_p.exe"), ini = folder + L"\\Glowmere.ini";
  const std::wstring script = TempFolder() + L"Glow_TEMP__TEMP___p.exe_selfdestruct.bat";
  HWND dialog = StartInstalled(exe, ini);
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(FileExists(PerUserIni())) << "no per-user file in portable mode";
  EXPECT_NE(WindowText(dialog).find(L" Portable"), std::wstring::npos) << "caption " << Narrow(WindowText(dialog));
  EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_AUTOSTART, BM_GETCHECK, 0, 0), BST_CHECKED) << "the Run value exists";
  EXPECT_EQ(ItemText(dialog, IDC_LINK), kInternational);
  SendDlgItemMessageW(dialog, IDC_LINK, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendDlgItemMessageW(dialog, IDC_LINK, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_TRUE(Opens(kInternational + L"?page=Windows/Tools/Glowmere/1"));
  PostCommand(dialog, CMD_HOMEPAGE);
  EXPECT_TRUE(Opens(kInternational + L"?seite=Freeware/Glowmere"));
  PostCommand(dialog, CMD_DONATE);
  EXPECT_TRUE(Opens(kInternational + L"/?paypal&Program=Glowmere"));

  for (int button : {IDNO, IDCANCEL}) {
    EXPECT_EQ(Uninstall(dialog, button), L"       Are you sure?|.......... ?");
    EXPECT_EQ(WaitForExit(process_, 1000), static_cast<DWORD>(STILL_ACTIVE)) << "ended after button " << button;
    EXPECT_TRUE(ReadRunValue() && FileExists(ini) && FileExists(exe))
        << "button " << button << ": the Run value, settings file and executable must stay";
  }
  EXPECT_EQ(ReadFileText(OpenedRecord()).find(kUninstallPath), std::wstring::npos) << "answered No, yet it opened";

  // English: the uninstall page follows the time zone.
  Uninstall(dialog, IDYES);
  EXPECT_EQ(WaitForExit(process_), kExitUninstalled) << "exit code after the uninstall";
  EXPECT_FALSE(ReadRunValue()) << "the Run value is still there";
  for (const std::wstring& path : {exe, ini, script})
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(path); })) << "still there: " << Narrow(path);
  EXPECT_TRUE(Opens(kInternational + kUninstallPath)) << "under TZ=America/Chicago";
}

TEST_F(Extras, UninstallThatCannotWriteItsScriptSaysWhatStays) {
  const std::wstring exe = CopyGlowmere(ScratchDir(L"extras_stays"));
  const std::wstring tmp = Env(L"TMP"), temp = Env(L"TEMP"), missing = exe + L"-missing\\";
  SetEnvironmentVariableW(L"TMP", missing.c_str());
  SetEnvironmentVariableW(L"TEMP", missing.c_str());
  HWND dialog = StartInstalled(exe, PerUserIni());
  SetEnvironmentVariableW(L"TMP", tmp.empty() ? nullptr : tmp.c_str());
  SetEnvironmentVariableW(L"TEMP", temp.empty() ? nullptr : temp.c_str());
  ASSERT_NE(dialog, nullptr);
  Uninstall(dialog, IDYES);
  std::wstring seen;
  EXPECT_TRUE(WaitUntil([&] {
    for (HWND box : TopLevelWindows(process_.pid, L"#32770"))
      if ((seen = ItemText(box, 0xFFFF)).find(exe) != std::wstring::npos) return PostCommand(box, IDOK), true;
    return false;
  })) << "expected a message naming "
      << Narrow(exe) << ", last seen: " << Narrow(seen);
  EXPECT_EQ(WaitForExit(process_), kExitUninstalled) << "exit code after the uninstall";
  EXPECT_TRUE(FileExists(exe)) << "nothing could remove it";
}

}  // namespace
