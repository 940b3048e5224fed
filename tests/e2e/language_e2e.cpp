// Language choice, language list and translation files, seen from outside the program.
// Wine fixes the user language from the Unix locale, and the program inherits it: the suite
// LanguageUnderGermanLocale runs as a CTest entry of its own under LC_ALL=de_DE.UTF-8.
#include <windows.h>

#include "harness.h"

namespace {

using namespace e2e;

using Texts = std::vector<std::wstring>;
const char kItalian[] = "[Avvia con Windows][Ripristina all'avvio del programma][Luminosit\u00E0][&Reimposta][&Esci]";

::testing::AssertionResult ShowsSoon(HWND dialog, const std::string& expected) {
  return Becomes([&] {
    std::string texts;
    for (int id : {IDC_AUTOSTART, IDC_RESTORE, IDC_BRIGHTNESS_LABEL, IDC_RESET, IDC_EXIT})
      texts += "[" + Narrow(ItemText(dialog, id)) + "]";
    return texts;
  }, expected);
}

// The lines of the English section of the archive's source (UTF-8, LF line ends).
Texts EnglishSource() {
  std::wstring path = L"Z:" + Widen(GLOWMERE_SOURCE_DIR "/src/res/lang/archive.txt");
  for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
  const std::wstring all = Widen(ReadFileBytes(path)), header = L"##=Englisch\tEnglish\n";
  const size_t begin = all.find(header) + header.size(), end = all.find(L"\n##", begin);
  Texts lines;
  for (size_t at = begin; at <= end; at = all.find(L'\n', at) + 1)
    lines.push_back(all.substr(at, all.find(L'\n', at) - at));
  return lines;
}

std::string Utf16LeWithMark(const std::wstring& s) {
  return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(s.data()), s.size() * sizeof(wchar_t));
}

using LanguageUnderGermanLocale = GlowmereTest;
using Language = GlowmereTest;

// The system language picks the section at the first start; a choice in the list switches
// every text at once, is stored, and wins over the system language at the next start.
TEST_F(LanguageUnderGermanLocale, StartsInGermanUntilAnotherLanguageIsChosen) {
  ASSERT_EQ(PRIMARYLANGID(GetUserDefaultLangID()), LANG_GERMAN) << "run this suite with LC_ALL=de_DE.UTF-8";
  const Process first = Start();
  HWND dialog = WaitForDialog(first);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(
      ShowsSoon(dialog, "[Mit Windows Starten][Bei Programmstart Wiederherstellen][Helligkeit][&Reset][&Beenden]"));
  EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_LANGUAGES, CB_GETCURSEL, 0, 0), 0) << "the list shows German";
  ChooseLanguage(dialog, 5);
  EXPECT_TRUE(ShowsSoon(dialog, kItalian));
  EXPECT_EQ(IniValue(L"Program", L"m_lang_id"), L"5");
  ClickButton(dialog, IDC_EXIT);
  ASSERT_EQ(WaitForExit(first), 1075u);

  dialog = WaitForDialog(Start());
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(ShowsSoon(dialog, kItalian)) << "the stored choice wins over the system language";
  EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_LANGUAGES, CB_GETCURSEL, 0, 0), 5);
}

// Translate exports the reference texts to the temporary folder and opens them in the editor;
// Load from File shows a translation and reports what it lacks; it is not stored.
TEST_F(Language, TranslateExportsAndLoadFromFileShowsATranslation) {
  std::wstring expected = L"\r\nPlease don't forget! Write in e-mail subject: Strings for: Glowmere 1.77"
                          L" and Language Name i.e. : German / Deutsch \r\n\r\n\r\n\r\n"
                          L"##=Englisch\tEnglish\r\n\r\n\r\n\n";
  // The import: every numbered reference text but 43, 60 and 61, each as "T<id>".
  std::wstring import = L"\r\n##=Testish\tTest\r\nTranslatorName=Tester\r\n";
  for (const std::wstring& line : EnglishSource()) {
    expected += line + L"\r\n";
    const int id = _wtoi(line.c_str());
    if (id != 0 && id != 43 && id != 60 && id != 61)
      import += std::to_wstring(id) + L"=T" + std::to_wstring(id) + L"\r\n";
  }
  const std::string expectedBytes = Utf16LeWithMark(expected + L"\r\n\r\n");
  // An older, longer export, held open by another program so that it cannot be deleted,
  // only overwritten: none of its tail may stay.
  const std::wstring path = TempFolder() + L"Glowmere_1.77_translate.txt";
  ASSERT_TRUE(WriteFileBytes(path, std::string(expectedBytes.size() + 100, 'x')));
  HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  const std::wstring importPath = ScratchDir(L"import") + L"\\translated.txt";
  ASSERT_TRUE(WriteFileBytes(importPath, Utf16LeWithMark(import)));

  const Process process = Start();
  HWND dialog = WaitForDialog(process);
  ASSERT_NE(dialog, nullptr);
  PostCommand(dialog, CMD_TRANSLATE);
  std::string seen;
  EXPECT_TRUE(WaitUntil([&] { return (seen = ReadFileBytes(path)) == expectedBytes; }))
      << "expected " << expectedBytes.size() << " bytes starting FF FE, seen " << seen.size() << " bytes";
  CloseHandle(holder);
  // The shell opens it in the editor for .txt files (the test prefix's notepad).
  EXPECT_TRUE(WaitUntil([&] {
    for (HWND window : TopLevelWindows(0))
      if (IsWindowVisible(window) && WindowText(window).find(L"Glowmere_1.77_translate") != std::wstring::npos)
        return PostMessageW(window, WM_CLOSE, 0, 0), true;
    return false;
  })) << "no window shows the exported file";

  ChooseLanguage(dialog, 1);
  PostCommand(dialog, CMD_LOAD_TRANSLATION);
  HWND open = WaitForBox(process.pid, dialog, 1148);
  ASSERT_NE(open, nullptr) << "the open-file dialog did not appear";
  HWND nameBox = GetDlgItem(open, 1148), combo = FindWindowExW(nameBox, nullptr, L"ComboBox", nullptr);
  HWND edit = FindWindowExW(combo ? combo : nameBox, nullptr, L"Edit", nullptr);
  ASSERT_NE(edit, nullptr) << "no edit box inside control 1148";
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(importPath.c_str()));
  PostCommand(open, IDOK);
  HWND report = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    report = WaitForBox(process.pid, dialog, 0xFFFF, 0);
    return report && WindowText(report) == L"Translate";
  })) << "no report box";
  // 57 of 60 reference texts: 95 %.
  EXPECT_EQ(ItemText(report, 0xFFFF), L"95 %\n\nmiss:\n43=&Reset\n60=System\n61=&Screensaver\n");
  PostCommand(report, IDOK);
  EXPECT_TRUE(ShowsSoon(dialog, "[T40][T41][T42][str:43?][T44]"));
  EXPECT_EQ(IniValue(L"Program", L"m_lang_id"), L"1") << "an import is not stored";
}

}  // namespace
