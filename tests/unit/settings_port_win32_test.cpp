// The settings file's Windows store on a real file system (under Wine in the test run):
// the replacement, and what each system error means.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "settings/settings_port.h"

namespace {

using ini::ReadResult;
using ini::WriteResult;

std::u16string U16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

TEST(SettingsStoreWin32, ReplacesBeyondTheClassicPathLimitAndReadsNoHugeFile) {
  SettingsPort& store = Win32SettingsPort();
  wchar_t temp[MAX_PATH + 1] = {};
  std::wstring folder = L"\\\\?\\" + std::wstring(temp, GetTempPathW(MAX_PATH + 1, temp)) + L"glowmere-store";
  CreateDirectoryW(folder.c_str(), nullptr);
  while (folder.size() < 300) {
    folder += L"\\" + std::wstring(60, L'd');
    CreateDirectoryW(folder.c_str(), nullptr);
  }
  const std::wstring file = folder + L"\\Glowmere.ini";
  const std::u16string path = U16(file.substr(4));  // as the program names it, without "\\?\"
  std::string bytes;

  ASSERT_EQ(store.ReplaceFileBytes(path, {"[S]\r\n", "k=1\r\n"}), WriteResult::kOk) << "a path of " << path.size();
  ASSERT_EQ(store.ReadFileBytes(path, &bytes), ReadResult::kOk);
  EXPECT_EQ(bytes, "[S]\r\nk=1\r\n");

  // A reader that does not share deletion, one that shares nothing and a read-only file are
  // met end to end (the settings and busy-settings tests under Wine).

  // A file far beyond any settings file is not read into memory.
  EXPECT_EQ(store.ReplaceFileBytes(path, {std::string(1024 * 1024 + 1, ';')}), WriteResult::kOk);
  EXPECT_EQ(store.ReadFileBytes(path, &bytes), ReadResult::kFailed);

  WIN32_FIND_DATAW found;
  HANDLE litter = FindFirstFileW((folder + L"\\*.tmp").c_str(), &found);
  EXPECT_EQ(litter, INVALID_HANDLE_VALUE) << "temporary files left behind";
  if (litter != INVALID_HANDLE_VALUE) FindClose(litter);
  DeleteFileW(file.c_str());
}

// What each system error means to the settings file: absent, busy for a moment, or refused.
TEST(SettingsStoreWin32, ErrorsMeanAbsentBusyOrRefused) {
  const struct {
    DWORD error;
    ReadResult read;
    WriteResult swap;
  } cases[] = {
      {ERROR_FILE_NOT_FOUND, ReadResult::kMissing, WriteResult::kRefused},
      {ERROR_PATH_NOT_FOUND, ReadResult::kMissing, WriteResult::kRefused},
      {ERROR_SHARING_VIOLATION, ReadResult::kBusy, WriteResult::kBusy},
      {ERROR_LOCK_VIOLATION, ReadResult::kBusy, WriteResult::kBusy},
      {ERROR_ACCESS_DENIED, ReadResult::kFailed, WriteResult::kBusy},  // a replacement meets a reader
      {ERROR_BAD_NETPATH, ReadResult::kFailed, WriteResult::kRefused},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadResultOfError(c.error), c.read) << "error " << c.error;
    EXPECT_EQ(WriteResultOfSwapError(c.error), c.swap) << "error " << c.error;
  }
}

}  // namespace
