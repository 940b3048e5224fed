// The System menu's pages: programs of the system folder, started through the shell.
// On 64-bit Windows a 32-bit program sees a redirected system folder, where some of
// them (mblctr.exe) do not exist; redirection is switched off only around the start.
#pragma once

struct SystemPage {
  const char* file;        // in the system folder
  const char* parameters;  // null for none
};

// The page a System menu command opens, or null when `command` is not one of them.
const SystemPage* SystemPageForCommand(int command);

class SystemPagePort {
 public:
  virtual ~SystemPagePort() = default;
  virtual bool IsWow64() = 0;
  // Wow64DisableWow64FsRedirection; false when unavailable or refused.
  virtual bool DisableRedirection(void** previous) = 0;
  virtual void RevertRedirection(void* previous) = 0;
  virtual void ShellOpen(const SystemPage& page) = 0;
};

void OpenSystemPage(SystemPagePort& platform, const SystemPage& page);
