// Test support: the INI code on the real file system, in a scratch folder per test.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_file.h"

namespace test_support {

namespace fs = std::filesystem;

// A fresh folder in the test run's temp folder, removed with its content afterwards.
class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = fs::path(::testing::TempDir()) /
            ("glowmere-" + std::string(test ? test->name() : "test") + "-" + std::to_string(++counter));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  fs::path Path(const std::string& name) const { return path_ / name; }
  std::u16string File(const std::string& name) const { return Path(name).u16string(); }

 private:
  fs::path path_;
};

inline bool ReadAll(const fs::path& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return false;
  bytes->assign(static_cast<size_t>(in.tellg()), '\0');
  in.seekg(0);
  return static_cast<bool>(in.read(&(*bytes)[0], static_cast<std::streamsize>(bytes->size())));
}

inline std::string ReadBytes(const fs::path& path) {
  std::string bytes;
  ReadAll(path, &bytes);
  return bytes;
}

inline bool WritePieces(const fs::path& path, const std::vector<std::string_view>& pieces) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (std::string_view piece : pieces) out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
  return static_cast<bool>(out.flush());
}

inline void WriteBytes(const fs::path& path, const std::string& bytes) { WritePieces(path, {bytes}); }

// Whole-file reads and write-then-rename replacement, as the Windows store does it.
class NativeFileStore : public ini::FileStore {
 public:
  ini::ReadResult ReadFileBytes(const std::u16string& path, std::string* bytes) override {
    std::error_code error;
    fs::file_status status = fs::status(fs::path(path), error);
    if (status.type() == fs::file_type::not_found) return ini::ReadResult::kMissing;
    if (status.type() != fs::file_type::regular) return ini::ReadResult::kFailed;
    return ReadAll(fs::path(path), bytes) ? ini::ReadResult::kOk : ini::ReadResult::kFailed;
  }

  ini::WriteResult ReplaceFileBytes(const std::u16string& path, const std::vector<std::string_view>& pieces) override {
    ++replaces;
    fs::path temp = fs::path(path);
    temp += ".tmp";
    if (!WritePieces(temp, pieces)) return ini::WriteResult::kRefused;
    std::error_code error;
    fs::rename(temp, fs::path(path), error);
    return error ? ini::WriteResult::kRefused : ini::WriteResult::kOk;
  }

  int replaces = 0;
};

}  // namespace test_support
