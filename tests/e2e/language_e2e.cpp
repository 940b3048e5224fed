// Language choice, language list and translation files, seen from outside the program.
//
// Wine fixes the user language from the Unix locale when the driver starts, and the
// program inherits it: the suite LanguageUnderGermanLocale runs as a CTest entry of its own
// whose command sets LC_ALL=de_DE.UTF-8 (with --gtest_filter); the suite Language works
// under any locale.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <string>
#include <vector>

#include "harness.h"

#ifndef GLOWMERE_SOURCE_DIR
#error "GLOWMERE_SOURCE_DIR must name the source tree (for the language archive's source)"
#endif

namespace {

using e2e::ItemText;
using e2e::WaitUntil;

constexpr int kLanguageList = 1031;
constexpr int kTranslate = 21334;
constexpr int kLoadTranslation = 21335;
const int kTextControls[] = {1042, 1043, 1048, 122, 1030};  // texts 40..44

std::string Utf16LeWithMark(const std::wstring& s) {
  std::string out = "\xFF\xFE";
  for (wchar_t c : s) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>((c >> 8) & 0xFF));
  }
  return out;
}

// The readable source of the archive the program carries (UTF-8, LF line ends).
struct ArchiveSource {
  std::vector<std::wstring> lines;

  ArchiveSource() {
    std::wstring path = L"Z:" + e2e::Widen(GLOWMERE_SOURCE_DIR "/src/res/lang/archive.txt");
    for (wchar_t& c : path) if (c == L'/') c = L'\\';
    const std::wstring all = e2e::Widen(e2e::ReadFileBytes(path));
    for (size_t start = 0, end = 0; start < all.size(); start = end + 1) {
      end = std::min(all.find(L'\n', start), all.size());
      lines.push_back(all.substr(start, end - start));
      if (!lines.back().empty() && lines.back().back() == L'\r') lines.back().pop_back();
    }
  }

  // The lines of the section with this header name ("Englisch\tEnglish"), header excluded.
  std::vector<std::wstring> Section(const std::wstring& name) const {
    std::vector<std::wstring> body;
    bool inside = false;
    for (const std::wstring& line : lines) {
      if (line.compare(0, 2, L"##") == 0) {
        if (inside) break;
        inside = line == L"##=" + name;
        continue;
      }
      if (inside) body.push_back(line);
    }
    return body;
  }

  // Text of `id` in a section as the program reads "id=text" lines: the number at the
  // line start (none gives 0, as "TranslatorName="), the later line winning.
  std::wstring Text(const std::wstring& section, int id) const {
    std::wstring found;
    for (const std::wstring& line : Section(section)) {
      const size_t equals = line.find(L'=');
      if (equals == std::wstring::npos) continue;
      if (_wtoi(line.c_str()) == id) found = line.substr(equals + 1);
    }
    return found;
  }
};

const ArchiveSource& Source() {
  static ArchiveSource source;
  return source;
}

const wchar_t* const kEnglish = L"Englisch\tEnglish";
const wchar_t* const kItalian = L"Italian\tItaliano";

std::vector<std::wstring> DialogTexts(HWND dialog) {
  std::vector<std::wstring> texts;
  for (int id : kTextControls) texts.push_back(ItemText(dialog, id));
  return texts;
}

std::vector<std::wstring> SectionTexts(const std::wstring& section) {
  std::vector<std::wstring> texts;
  for (int id = 40; id <= 44; ++id) texts.push_back(Source().Text(section, id));
  return texts;
}

std::string Joined(const std::vector<std::wstring>& texts) {
  std::string out;
  for (const std::wstring& t : texts) out += "[" + e2e::Narrow(t) + "]";
  return out;
}

int ListSelection(HWND dialog) {
  return static_cast<int>(SendMessageW(GetDlgItem(dialog, kLanguageList), CB_GETCURSEL, 0, 0));
}

std::wstring ListText(HWND dialog, int index) {
  HWND list = GetDlgItem(dialog, kLanguageList);
  const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return L"<none>";
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(length));
  return text;
}

// As a user's pick in the drop-down list: the selection, then the confirmation.
void ChooseInList(HWND dialog, int index) {
  HWND list = GetDlgItem(dialog, kLanguageList);
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kLanguageList, CBN_SELENDOK), reinterpret_cast<LPARAM>(list));
}

// A dialog box of the process other than the main dialog, found by caption or by a child id.
HWND WaitForBox(const e2e::Process& process, HWND mainDialog, const wchar_t* caption, int requiredChild) {
  HWND found = nullptr;
  e2e::WaitUntil([&] {
    for (HWND window : e2e::TopLevelWindows(process.pid, L"#32770")) {
      if (window == mainDialog || !IsWindowVisible(window)) continue;
      if (caption && e2e::WindowText(window) != caption) continue;
      if (requiredChild && !GetDlgItem(window, requiredChild)) continue;
      found = window;
    }
    return found != nullptr;
  });
  return found;
}

BOOL CALLBACK FindTitleProc(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<std::pair<const wchar_t*, HWND>*>(param);
  if (IsWindowVisible(window) && e2e::WindowText(window).find(search->first) != std::wstring::npos) {
    search->second = window;
    return FALSE;
  }
  return TRUE;
}

// A visible top-level window of any process whose title holds `part`, or null.
HWND FindWindowByTitlePart(const wchar_t* part) {
  std::pair<const wchar_t*, HWND> search{part, nullptr};
  EnumWindows(FindTitleProc, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

std::wstring IniValue(const std::wstring& section, const std::wstring& key) {
  wchar_t value[64] = {};
  GetPrivateProfileStringW(section.c_str(), key.c_str(), L"<none>", value, 64, e2e::PerUserIni().c_str());
  return value;
}

using Language = e2e::GlowmereTest;
using LanguageUnderGermanLocale = e2e::GlowmereTest;

// The system language picks the section at the first start; a choice in the list switches
// every text at once, is stored, and wins over the system language at the next start.
TEST_F(LanguageUnderGermanLocale, StartsInGermanUntilAnotherLanguageIsChosen) {
  ASSERT_EQ(PRIMARYLANGID(GetUserDefaultLangID()), LANG_GERMAN) << "run this suite with LC_ALL=de_DE.UTF-8";
  e2e::Process first = Start();
  HWND dialog = WaitForDialog(first);
  ASSERT_NE(dialog, nullptr);
  const std::vector<std::wstring> german = {L"Mit Windows Starten", L"Bei Programmstart Wiederherstellen",
                                            L"Hellligkeit", L"&Reset", L"&Beenden"};
  EXPECT_EQ(DialogTexts(dialog), german) << "seen " << Joined(DialogTexts(dialog));
  EXPECT_EQ(ListSelection(dialog), 0) << "the list shows German";
  EXPECT_EQ(SendMessageW(GetDlgItem(dialog, kLanguageList), CB_GETCOUNT, 0, 0), 15)
      << "15 named sections; the final nameless one has no entry";
  EXPECT_EQ(ListText(dialog, 3), L"French - Fran\u00E7ais / 100 %");

  ChooseInList(dialog, 5);
  EXPECT_EQ(DialogTexts(dialog), SectionTexts(kItalian)) << "seen " << Joined(DialogTexts(dialog));
  EXPECT_EQ(IniValue(L"Program", L"m_lang_id"), L"5");
  e2e::ClickButton(dialog, 1030);
  ASSERT_EQ(WaitForExit(first), 1075u);

  dialog = WaitForDialog(Start());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(DialogTexts(dialog), SectionTexts(kItalian)) << "the stored choice wins over the system language; seen "
                                                         << Joined(DialogTexts(dialog));
  EXPECT_EQ(ListSelection(dialog), 5);
}

TEST_F(Language, TranslateWritesTheTemplateIntoTheTemporaryFolder) {
  std::wstring expected =
      L"\r\nPlease don't forget! Write in e-mail subject: Strings for: Glowmere 1.77"
      L" and Language Name i.e. : German / Deutsch \r\n\r\n\r\n\r\n##=Englisch\tEnglish\r\n\r\n\r\n\n";
  for (const std::wstring& line : Source().Section(kEnglish)) expected += line + L"\r\n";
  expected += L"\r\n\r\n";
  const std::string expectedBytes = Utf16LeWithMark(expected);

  // An older, longer export, held open by another program so that it cannot be deleted,
  // only overwritten: none of its tail may stay.
  const std::wstring path = e2e::TempFolder() + L"Glowmere_1.77_translate.txt";
  ASSERT_TRUE(e2e::WriteFileBytes(path, std::string(expectedBytes.size() + 100, 'x')));
  HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  e2e::Process process = Start();
  HWND dialog = WaitForDialog(process);
  ASSERT_NE(dialog, nullptr);

  e2e::PostCommand(dialog, kTranslate);
  std::string seen;
  EXPECT_TRUE(e2e::WaitUntil([&] {
    seen = e2e::ReadFileBytes(path);
    return seen == expectedBytes;
  })) << "expected " << expectedBytes.size() << " bytes starting FF FE, seen " << seen.size() << " bytes";
  CloseHandle(holder);

  // The shell opens it in the editor associated with .txt files (the test prefix's notepad).
  HWND editor = nullptr;
  EXPECT_TRUE(e2e::WaitUntil([&] { return (editor = FindWindowByTitlePart(L"Glowmere_1.77_translate")) != nullptr; }))
      << "no window shows the exported file";
  if (editor) PostMessageW(editor, WM_CLOSE, 0, 0);
}

TEST_F(Language, LoadFromFileReportsAndShowsTheFileUntilALanguageIsChosen) {
  // Every reference text but 43, 60 and 61, each as "T<id>".
  std::vector<int> referenceIds;
  for (int id = 0; id < 256; ++id) {
    if (!Source().Text(kEnglish, id).empty()) referenceIds.push_back(id);
  }
  ASSERT_EQ(referenceIds.size(), 60u) << "the reference section has 59 numbered texts and text 0";
  std::wstring file = L"\r\n##=Testish\tTest\r\nTranslatorName=Tester\r\n";
  for (int id : referenceIds) {
    if (id == 0 || id == 43 || id == 60 || id == 61) continue;
    file += std::to_wstring(id) + L"=T" + std::to_wstring(id) + L"\r\n";
  }
  const std::wstring path = e2e::ScratchDir(L"import") + L"\\translated.txt";
  ASSERT_TRUE(e2e::WriteFileBytes(path, Utf16LeWithMark(file)));

  e2e::Process process = Start();
  HWND dialog = WaitForDialog(process);
  ASSERT_NE(dialog, nullptr);
  ChooseInList(dialog, 1);

  e2e::PostCommand(dialog, kLoadTranslation);
  HWND open = WaitForBox(process, dialog, nullptr, 1148);
  ASSERT_NE(open, nullptr) << "the open-file dialog did not appear";
  HWND nameBox = GetDlgItem(open, 1148);
  HWND combo = FindWindowExW(nameBox, nullptr, L"ComboBox", nullptr);
  HWND edit = FindWindowExW(combo ? combo : nameBox, nullptr, L"Edit", nullptr);
  ASSERT_NE(edit, nullptr) << "no edit box inside control 1148";
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageW(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(open, IDOK)));

  HWND report = WaitForBox(process, dialog, L"Translate", 0);
  ASSERT_NE(report, nullptr) << "no report box";
  // 57 of 60 reference texts: 95 %.
  EXPECT_EQ(ItemText(report, 0xFFFF), L"95 %\n\nmiss:\n43=&Reset\n60=System\n61=&Screensaver\n");
  PostMessageW(report, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);

  const std::vector<std::wstring> imported = {L"T40", L"T41", L"T42", L"str:43?", L"T44"};
  std::vector<std::wstring> seen;
  EXPECT_TRUE(e2e::WaitUntil([&] {
    seen = DialogTexts(dialog);
    return seen == imported;
  })) << "seen " << Joined(seen);
  EXPECT_EQ(IniValue(L"Program", L"m_lang_id"), L"1") << "an import is not stored";

  ChooseInList(dialog, 1);
  EXPECT_EQ(DialogTexts(dialog), SectionTexts(kEnglish)) << "seen " << Joined(DialogTexts(dialog));
}

}  // namespace
