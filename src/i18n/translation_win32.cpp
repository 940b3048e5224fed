// Translator commands: the files, the open-file dialog and the report box.
#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <cstddef>
#include <cstdio>

#include "common/win32_text.h"
#include "i18n/string_table.h"
#include "i18n/translation.h"
#include "i18n/translation_win32.h"
#include "text_ids.h"

// The pre-Windows-2000 layout, up to lpTemplateName: no places bar is asked for.
constexpr DWORD kOpenFileNameSize = offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR);
#ifndef _WIN64
static_assert(kOpenFileNameSize == 76, "the 76-byte open-file layout");
#endif

namespace {

// The whole imported file; the imported table points into it until the next import.
std::u16string& ImportedText() {
  static std::u16string text;
  return text;
}

std::u16string AnsiCodePageToUtf16(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int size = static_cast<int>(ansi.size());
  const int units = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
  if (units <= 0) return {};
  std::u16string out(static_cast<size_t>(units), u'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, reinterpret_cast<wchar_t*>(&out[0]), units);
  return out;
}

}  // namespace

void ExportTranslationTemplate() {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const std::u16string path = U16(folder) + ExportFileName(StringTable::CommonText(kCommonTextCaption));
  DeleteFileW(W(path));

  const std::string bytes = Utf16FileBytes(CurrentTranslationTemplate());
  // The delete fails while another program holds the old export: truncate it then, or a
  // shorter export would keep the old one's tail.
  HANDLE file =
      CreateFileW(W(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  // Asked also when the file could not be written: the shell reports that itself.
  ShellExecuteW(nullptr, L"open", W(path), nullptr, nullptr, SW_SHOW);
}

void ChooseTranslationFile() {
  wchar_t fileName[MAX_PATH] = {};
  wchar_t fileTitle[MAX_PATH] = {};
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = kOpenFileNameSize;
  dialog.hInstance = GetModuleHandleW(nullptr);
  dialog.lpstrFile = fileName;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrFileTitle = fileTitle;
  dialog.nMaxFileTitle = MAX_PATH;
  if (GetOpenFileNameW(&dialog)) ImportTranslation(U(fileName));
}

void ImportTranslation(const char16_t* path) {
  std::u16string& text = ImportedText();
  text.clear();
  // A file that cannot be opened counts as one without texts.
  ReadTextFile(path, text);
  const std::u16string report = ActivateImportedText(text);
  MessageBoxW(GetActiveWindow(), W(report), L"Translate", MB_OK);
}

bool ReadTextFile(const char16_t* path, std::u16string& text) {
  FILE* file = _wfopen(W(path), L"rb");
  if (!file) return false;
  unsigned char mark[2] = {};
  const size_t markBytes = std::fread(mark, 1, sizeof(mark), file);
  std::fclose(file);

  file = _wfopen(W(path), L"rb");
  if (!file) return false;
  text.reserve(text.size() + kTextFileChunk);
  AppendTextChunks(
      StartsWithUtf16Mark(mark, markBytes),
      [file](char* buffer, size_t capacity) { return std::fread(buffer, 1, capacity, file); }, AnsiCodePageToUtf16,
      text);
  std::fclose(file);
  return true;
}
