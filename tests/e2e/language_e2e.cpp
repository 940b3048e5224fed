// Language choice, language list and translation files, seen from outside the program.
// Wine fixes the user language from the Unix locale, and the program inherits it: the suite
// LanguageUnderGermanLocale runs as a CTest entry of its own under LC_ALL=de_DE.UTF-8.
#include <windows.h>

#include "harness.h"

namespace {

using namespace e2e;

const char kItalian[] = "[Avvia con Windows][Ripristina all'avvio del programma][Luminosit\u00E0][&Reimposta][&Esci]";

::testing::AssertionResult ShowsSoon(HWND dialog, const std::string& expected) {
  return Becomes(
      [&] {
        std::string texts;
        for (int id : {IDC_AUTOSTART, IDC_RESTORE, IDC_BRIGHTNESS_LABEL, IDC_RESET, IDC_EXIT})
          texts += "[" + Narrow(ItemText(dialog, id)) + "]";
        return texts;
      },
      expected);
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
  ClickButton(dialog, IDC_EXIT);
  ASSERT_EQ(WaitForExit(first), kExitCommand);

  dialog = WaitForDialog(Start());
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(ShowsSoon(dialog, kItalian)) << "the stored choice wins over the system language";
  EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_LANGUAGES, CB_GETCURSEL, 0, 0), 5);
}

// Translate exports the reference texts to the temporary folder and opens them in the editor;
// Load from File shows a translation and reports what it lacks; it is not stored.
TEST_F(Language, TranslateExportsAndLoadFromFileShowsATranslation) {
  // The import: every numbered reference text (the lines of the English section of the
  // archive's source, UTF-8 with LF) but 43, 60 and 61, each as "T<id>".
  std::wstring source = L"Z:" + Widen(GLOWMERE_SOURCE_DIR "/src/res/lang/archive.txt");
  for (wchar_t& c : source) c = c == L'/' ? L'\\' : c;
  const std::wstring all = Widen(ReadFileBytes(source)), header = L"##=Englisch\tEnglish\n";
  std::wstring import = L"\r\n##=Testish\tTest\r\nTranslatorName=Tester\r\n";
  const size_t begin = all.find(header) + header.size(), end = all.find(L"\n##", begin);
  int references = 1;  // text 0, the caption, counts too
  for (size_t at = begin; at <= end; at = all.find(L'\n', at) + 1) {
    const int id = _wtoi(all.c_str() + at);
    references += id != 0;
    if (id != 0 && id != 43 && id != 60 && id != 61)
      import += std::to_wstring(id) + L"=T" + std::to_wstring(id) + L"\r\n";
  }
  // An older, longer export, held open by another program so that it cannot be deleted,
  // only overwritten: none of its tail may stay. Written as UTF-16 with its mark, with the
  // English section's texts for the translator to replace.
  const std::wstring path = TempFolder() + L"Glowmere_1.77_translate.txt";
  ASSERT_TRUE(WriteFileBytes(path, std::string(20000, 'x')));
  HANDLE holder =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  const std::wstring importPath = ScratchDir(L"import") + L"\\translated.txt";
  const std::string importBytes(reinterpret_cast<const char*>(import.data()), import.size() * sizeof(wchar_t));
  ASSERT_TRUE(WriteFileBytes(importPath, "\xFF\xFE" + importBytes));

  const Process process = Start();
  HWND dialog = WaitForDialog(process);
  ASSERT_NE(dialog, nullptr);
  PostCommand(dialog, CMD_TRANSLATE);
  std::wstring seen;
  EXPECT_TRUE(WaitUntil([&] {
    seen = ReadFileText(path);
    return seen.find(L"##=Englisch\tEnglish\r\n") != std::wstring::npos && seen.find(L"\n44=&Exit\r\n") != seen.npos &&
           seen.find(L"xxxx") == std::wstring::npos;
  })) << "expected the English texts and no old tail, seen "
      << Narrow(seen.substr(0, 200));
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
  // All reference texts but three, in whole per cent cut toward zero (72 of 75: 96 %).
  const int percent = (references - 3) * 100 / references;
  EXPECT_EQ(ItemText(report, 0xFFFF),
            std::to_wstring(percent) + L" %\n\nmiss:\n43=&Reset\n60=System\n61=&Screensaver\n");
  PostCommand(report, IDOK);
  EXPECT_TRUE(ShowsSoon(dialog, "[T40][T41][T42][str:43?][T44]"));
  EXPECT_EQ(IniValue(L"Program", L"m_lang_id"), L"1") << "an import is not stored";
}

}  // namespace
