// The settings file's view of Windows: module path, application-data folder, folders,
// and whole-file reads and atomic replacement.
#include <windows.h>
#include <shlobj.h>

#include "common/file_handles_win32.h"
#include "common/paths_win32.h"
#include "common/win32_text.h"
#include "settings/settings_file.h"

namespace {

// Files beyond this are not ours; a settings file is a few hundred bytes, and reading a
// huge one into a 32-bit process could fail its allocation.
constexpr LONGLONG kMaxFileBytes = 1024 * 1024;

std::wstring LongPath(const std::u16string& path) { return ::LongPath(std::wstring(W(path))); }

std::u16string Hex(DWORD value) {
  static const char16_t kDigits[] = u"0123456789abcdef";
  std::u16string out;
  do {
    out.insert(out.begin(), kDigits[value & 15]);
    value >>= 4;
  } while (value != 0);
  return out;
}

}  // namespace

// A program that holds the file without sharing it (an editor saving, a scanner, a sync
// client) lets go in a moment: that is "busy", to be tried again, never "unreadable".
ini::ReadResult ReadResultOfError(unsigned long error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ini::ReadResult::kMissing;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return ini::ReadResult::kBusy;
    default:
      return ini::ReadResult::kFailed;
  }
}

ini::WriteResult WriteResultOfSwapError(unsigned long error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION
             ? ini::WriteResult::kBusy
             : ini::WriteResult::kRefused;
}

namespace {

class RealSettingsPort final : public SettingsPort {
 public:
  std::u16string ExecutablePath() override { return U16(ModuleFileName(nullptr).c_str()); }

  std::u16string AppDataFolder() override {
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, FALSE)) return std::u16string();
    return U16(folder);
  }

  void CreateFolder(const std::u16string& path) override { CreateDirectoryW(LongPath(path).c_str(), nullptr); }

  int PathKind(const std::u16string& path) override {
    DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      DWORD error = GetLastError();
      return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : -1;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 2 : 1;
  }

  unsigned Milliseconds() override { return GetTickCount(); }
  void Pause(unsigned milliseconds) override { Sleep(milliseconds); }

  ini::ReadResult ReadFileBytes(const std::u16string& path, std::string* bytes) override {
    ScopedHandle file(CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return ReadResultOfError(GetLastError());
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxFileBytes) return ini::ReadResult::kFailed;
    bytes->assign(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes->size()) {
      DWORD got = 0;
      if (!ReadFile(file.Get(), &(*bytes)[done], static_cast<DWORD>(bytes->size() - done), &got, nullptr)) {
        return ReadResultOfError(GetLastError());  // a locked range is busy, not broken
      }
      // A file that shrinks under us is not a base for a rewrite.
      if (got == 0) return ini::ReadResult::kFailed;
      done += got;
    }
    return ini::ReadResult::kOk;
  }

  // Another program reading the settings file at that moment (a virus scanner, an editor,
  // a backup) can refuse the replacement for a moment: reported at once, for the caller to
  // try again later rather than wait here.
  static ini::WriteResult SwapIn(const std::wstring& temp, const std::wstring& target) {
    if (MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return ini::WriteResult::kOk;
    }
    return WriteResultOfSwapError(GetLastError());
  }

  ini::WriteResult ReplaceFileBytes(const std::u16string& path, const std::vector<std::string_view>& pieces) override {
    // A read-only file is the user's wish, not a moment's obstacle: no replacement, no retry.
    const DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
      return ini::WriteResult::kRefused;
    }
    // Write beside the target, then swap it in: the file is always old or new, never half.
    const std::u16string stem = path + u".~" + Hex(GetCurrentProcessId()) + u"-";
    for (DWORD attempt = 0; attempt < 16; ++attempt) {
      std::wstring temp = LongPath(stem + Hex(attempt) + u".tmp");
      ScopedHandle file(
          CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!file.Valid()) {
        if (GetLastError() == ERROR_FILE_EXISTS) continue;  // litter of an earlier crash
        return ini::WriteResult::kRefused;                  // no folder, or no write access
      }
      bool written = WriteAll(file.Get(), pieces) && FlushFileBuffers(file.Get());
      written = file.Close() && written;
      const ini::WriteResult result = written ? SwapIn(temp, LongPath(path)) : ini::WriteResult::kRefused;
      if (result != ini::WriteResult::kOk) DeleteFileW(temp.c_str());
      return result;
    }
    return ini::WriteResult::kRefused;
  }
};

RealSettingsPort platform;

}  // namespace

SettingsPort& Win32SettingsPort() { return platform; }

// Defined after the platform in this file, so it is constructed after it.
SettingsFile settingsFile(platform);
