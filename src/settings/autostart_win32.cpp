// The Run key through advapi32; the decisions are in autostart.cpp.
#include "settings/autostart_win32.h"

#include <vector>

#include "common/paths_win32.h"
#include "common/win32_text.h"
#include "settings/autostart.h"

namespace {

const wchar_t kRunKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

class RegKey {
 public:
  RegKey() = default;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  ~RegKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  bool Open(HKEY root, const wchar_t* path) {
    if (RegOpenKeyW(root, path, &key_) == ERROR_SUCCESS) return true;
    key_ = nullptr;
    return false;
  }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

class Win32RunKey final : public autostart::RunKeyPort {
 public:
  bool Open() { return key_.Open(HKEY_CURRENT_USER, kRunKeyPath); }

  // Counted without the terminator; the system stores one anyway when the unit after the
  // data is zero, so readers that expect a terminated string still find one.
  bool SetString(const std::u16string& name, const std::u16string& data) override {
    auto bytes = static_cast<DWORD>(data.size() * sizeof(char16_t));
    return RegSetValueExW(key_.Get(), W(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes) ==
           ERROR_SUCCESS;
  }

  bool DeleteValue(const std::u16string& name) override {
    return RegDeleteValueW(key_.Get(), W(name)) == ERROR_SUCCESS;
  }

  bool QueryValue(const std::u16string& name, size_t maxBytes, std::string* data) override {
    std::vector<BYTE> buffer(maxBytes);
    DWORD size = static_cast<DWORD>(maxBytes);
    DWORD type = 0;
    if (RegQueryValueExW(key_.Get(), W(name), nullptr, &type, buffer.data(), &size) != ERROR_SUCCESS) {
      return false;  // missing, or ERROR_MORE_DATA for a longer value
    }
    data->assign(reinterpret_cast<const char*>(buffer.data()), size);
    return true;
  }

 private:
  RegKey key_;
};

class Win32RunRegistry final : public autostart::RunRegistryPort {
 public:
  std::unique_ptr<autostart::RunKeyPort> OpenRunKey() override {
    auto key = std::make_unique<Win32RunKey>();
    if (!key->Open()) return nullptr;
    return key;
  }
};

}  // namespace

int AddAutostart(HMODULE module, const wchar_t* valueName) {
  Win32RunRegistry registry;
  return autostart::AddAutostart(registry, U16(valueName), U16(ModuleFileName(module).c_str()));
}

int WriteRunValue(const wchar_t* valueName, const wchar_t* data) {
  Win32RunRegistry registry;
  return autostart::WriteRunValue(registry, U16(valueName), U16(data));
}

int RemoveAutostart(const wchar_t* valueName) {
  Win32RunRegistry registry;
  return autostart::RemoveAutostart(registry, U16(valueName));
}

int IsAutostartSet(const wchar_t* valueName) {
  Win32RunRegistry registry;
  return autostart::IsAutostartSet(registry, U16(valueName), U16(ModuleFileName(nullptr).c_str()));
}
