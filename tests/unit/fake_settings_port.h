// A small Windows-like file system in memory under the settings file.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "settings/settings_file.h"

class FakeSettingsPort : public SettingsPort {
 public:
  static std::u16string ParentOf(const std::u16string& path) {
    size_t slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
  }
  std::u16string ExecutablePath() override { return exe; }
  std::u16string AppDataFolder() override { return appData; }
  void CreateFolder(const std::u16string& path) override {
    if (Writable(ParentOf(path)) && files.count(path) == 0) folders.insert(path);
  }
  int PathKind(const std::u16string& path) override { return files.count(path) ? 1 : folders.count(path) ? 2 : 0; }
  unsigned Milliseconds() override { return clock; }
  void Pause(unsigned ms) override { clock += ms; }
  ini::ReadResult ReadFileBytes(const std::u16string& path, std::string* bytes) override {
    if (held.count(path) && clock < releaseAt) return ini::ReadResult::kBusy;
    if (folders.count(path) || locked.count(path)) return ini::ReadResult::kFailed;
    auto file = files.find(path);
    if (file == files.end()) return ini::ReadResult::kMissing;
    *bytes = file->second;
    return ini::ReadResult::kOk;
  }
  ini::WriteResult ReplaceFileBytes(const std::u16string& path, const std::vector<std::string_view>& pieces) override {
    ++replaces;
    if (busy) return ini::WriteResult::kBusy;
    if (diskFull || !Writable(ParentOf(path)) || folders.count(path)) return ini::WriteResult::kRefused;
    std::string bytes;
    for (std::string_view piece : pieces) bytes += piece;
    files[path] = bytes;
    return ini::WriteResult::kOk;
  }
  bool Writable(const std::u16string& folder) const { return folders.count(folder) && !readOnly.count(folder); }

  std::u16string exe = u"C:\\Tools\\Glowmere.exe";
  std::u16string appData = u"C:\\Users\\ann\\AppData\\Roaming";
  std::set<std::u16string> folders = {u"C:",
                                      u"C:\\Tools",
                                      u"C:\\my_place",
                                      u"C:\\Users",
                                      u"C:\\Users\\ann",
                                      u"C:\\Users\\ann\\AppData",
                                      u"C:\\Users\\ann\\AppData\\Roaming"};
  std::set<std::u16string> readOnly, locked;
  std::map<std::u16string, std::string> files;
  bool diskFull = false;
  bool busy = false;              // another program holds the file, which can still be read
  std::set<std::u16string> held;  // held without sharing: not even readable, until releaseAt
  unsigned releaseAt = ~0u;
  unsigned clock = 0;
  int replaces = 0;
};
