// Small owners of Win32 handles, and whole writes to a file handle.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

// Closes a kernel handle (file, process, event) when it goes out of scope.
class ScopedHandle {
 public:
  explicit ScopedHandle(HANDLE handle = nullptr) : handle_(handle) {}
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ~ScopedHandle() { Close(); }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Get() const { return handle_; }
  // Gives up ownership without closing.
  HANDLE Release() {
    HANDLE handle = handle_;
    handle_ = nullptr;
    return handle;
  }
  // True when the handle closed cleanly (or there was none): a failed close of a written
  // file can mean its data never reached the disk.
  bool Close() {
    bool ok = true;
    if (Valid()) ok = CloseHandle(handle_) != FALSE;
    handle_ = nullptr;
    return ok;
  }

 private:
  HANDLE handle_;
};

// Writes every piece, in order, however WriteFile splits them; false on any failure.
bool WriteAll(HANDLE file, const std::vector<std::string_view>& pieces);
