// The "start with Windows" entry: a string value in the current user's Run key whose
// data starts our executable hidden. The decisions live here; the registry is a seam.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace autostart {

// The most a query reads of a value the program did not write itself.
constexpr size_t kQueryLimitBytes = 1024;

// The open Run key; closed when destroyed.
class RunKeyPort {
 public:
  virtual ~RunKeyPort() = default;
  // REG_SZ with a byte count of twice the characters, no terminator counted.
  virtual bool SetString(const std::u16string& name, const std::u16string& data) = 0;
  virtual bool DeleteValue(const std::u16string& name) = 0;
  // The raw data of the value, of any type. False when it is missing or longer than maxBytes.
  virtual bool QueryValue(const std::u16string& name, size_t maxBytes, std::string* data) = 0;
};

class RunRegistryPort {
 public:
  virtual ~RunRegistryPort() = default;
  // Opens the existing Run key (it is never created); null when it cannot be opened.
  virtual std::unique_ptr<RunKeyPort> OpenRunKey() = 0;
};

// The value's data: the quoted full path, then " -bg" (start hidden).
std::u16string RunValueData(std::u16string_view executablePath);

// Data as stored text: UTF-16LE up to the first NUL (data need not carry one).
std::u16string StoredText(std::string_view data);

// All return true for success.
bool WriteRunValue(RunRegistryPort& registry, const std::u16string& valueName, const std::u16string& data);
// False without an executable path: an entry for "" would start nothing.
bool AddAutostart(RunRegistryPort& registry, const std::u16string& valueName, const std::u16string& executablePath);
// False also when there was no such value.
bool RemoveAutostart(RunRegistryPort& registry, const std::u16string& valueName);
// True when the value exists and could be read. On the way, a value that differs in any
// way from the data for `executablePath` (the program moved, other letter case, other
// arguments) is silently rewritten; an empty path repairs nothing.
bool IsAutostartSet(RunRegistryPort& registry, const std::u16string& valueName, const std::u16string& executablePath);

}  // namespace autostart
