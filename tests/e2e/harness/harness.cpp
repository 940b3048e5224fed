#include "harness.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cwchar>

namespace e2e {

namespace {

std::wstring Env(const wchar_t* name) {
  wchar_t buffer[4096];
  DWORD n = GetEnvironmentVariableW(name, buffer, 4096);
  return n > 0 && n < 4096 ? std::wstring(buffer, n) : std::wstring();
}

void DeleteTree(const std::wstring& dir) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = dir + L"\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(dir.c_str());
}

// Ends every Glowmere process left from an earlier test, so each test starts alone.
void KillStrayGlowmeres() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (wcsstr(CharLowerW(entry.szExeFile), L"glowmere") != nullptr) {
      if (HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
        TerminateProcess(p, 99);
        WaitForSingleObject(p, 10000);
        CloseHandle(p);
      }
    }
  }
  CloseHandle(snapshot);
}

struct WindowSearch {
  DWORD pid;
  const wchar_t* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (owner == search->pid && (!search->className || lstrcmpiW(name, search->className) == 0)) {
    search->found.push_back(window);
  }
  return TRUE;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(50);
  }
}

std::wstring GlowmereExe() { return Env(L"GLOWMERE_EXE"); }

std::wstring ScratchDir(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring root = std::wstring(temp) + L"glowmere-e2e";
  CreateDirectoryW(root.c_str(), nullptr);
  std::wstring dir = root + L"\\" + name;
  DeleteTree(dir);
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

std::wstring CopyGlowmere(const std::wstring& dir, const std::wstring& fileName) {
  std::wstring target = dir + L"\\" + fileName;
  CopyFileW(GlowmereExe().c_str(), target.c_str(), FALSE);
  return target;
}

std::wstring PerUserIni() {
  wchar_t appData[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
  return std::wstring(appData) + L"\\Ardentine\\Glowmere\\Glowmere.ini";
}

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  for (size_t slash = path.find(L'\\', 3); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1)) {
    CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
  }
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

std::wstring TempFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  return std::wstring(folder, GetTempPathW(MAX_PATH + 1, folder));
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int size = static_cast<int>(text.size());
  std::string out(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, &out[0], static_cast<int>(out.size()), nullptr, nullptr);
  return out;
}

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int size = static_cast<int>(utf8.size());
  std::wstring out(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, &out[0], static_cast<int>(out.size()));
  return out;
}

std::wstring ReadFileText(const std::wstring& path) {
  const std::string bytes = ReadFileBytes(path);
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
  }
  std::wstring out;
  for (unsigned char c : bytes) out.push_back(c);
  return out;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<WORD> ScreenRamp() {
  std::vector<WORD> ramp(768, 0);
  HDC dc = GetDC(nullptr);
  GetDeviceGammaRamp(dc, ramp.data());
  ReleaseDC(nullptr, dc);
  return ramp;
}

void ResetScreenRamp() {
  std::vector<WORD> ramp(768);
  for (int i = 0; i < 768; ++i) ramp[i] = static_cast<WORD>((i % 256) * 256);
  HDC dc = GetDC(nullptr);
  SetDeviceGammaRamp(dc, ramp.data());
  ReleaseDC(nullptr, dc);
}

std::vector<WORD> ExpectedChannel(int level) {
  std::vector<WORD> channel(256);
  for (int i = 0; i < 256; ++i) {
    int v = i * (level + 128);
    channel[i] = static_cast<WORD>(v > 65535 ? 65535 : v);
  }
  return channel;
}

bool RampMatches(const std::vector<WORD>& ramp, int red, int green, int blue) {
  const int levels[3] = {red, green, blue};
  for (int c = 0; c < 3; ++c) {
    std::vector<WORD> expected = ExpectedChannel(levels[c]);
    for (int i = 0; i < 256; ++i) {
      if ((ramp[c * 256 + i] >> 8) != (expected[i] >> 8)) return false;
    }
  }
  return true;
}

std::wstring ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

std::wstring WindowText(HWND window) {
  wchar_t buffer[1024] = {};
  DWORD_PTR length = 0;
  // WM_GETTEXT with a time-out, so a hung program fails the test instead of hanging it.
  if (!SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 10000,
                           &length)) {
    return L"<no answer>";
  }
  return std::wstring(buffer, length);
}

int SliderPos(HWND dialog, int id) {
  return static_cast<int>(SendMessageW(GetDlgItem(dialog, id), TBM_GETPOS, 0, 0));
}

void MoveSlider(HWND dialog, int id, int pos) {
  HWND slider = GetDlgItem(dialog, id);
  SendMessageW(slider, TBM_SETPOS, TRUE, pos);
  SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, pos), reinterpret_cast<LPARAM>(slider));
  SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
}

void ClickButton(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void PostCommand(HWND dialog, int id) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

bool IsVisible(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

NOTIFYICONDATAW IconRecord(HWND owner, UINT id) {
  NOTIFYICONDATAW record = {};
  record.cbSize = NOTIFYICONDATAW_V1_SIZE;
  record.hWnd = owner;
  record.uID = id;
  record.uFlags = NIF_MESSAGE;
  record.uCallbackMessage = 0x8064;
  return record;
}

std::vector<HWND> TopLevelWindows(DWORD pid, const wchar_t* className) {
  WindowSearch search{pid, className, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool IconPresent(HWND owner, UINT id) {
  NOTIFYICONDATAW record = IconRecord(owner, id);
  return Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

void GlowmereTest::SetUp() {
  ASSERT_FALSE(GlowmereExe().empty()) << "GLOWMERE_EXE must name the Glowmere.exe under test";
  KillStrayGlowmeres();
  SetFileAttributesW(PerUserIni().c_str(), FILE_ATTRIBUTE_NORMAL);  // a test may leave it read-only
  DeleteFileW(PerUserIni().c_str());
  HKEY run = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_SET_VALUE,
                    &run) == ERROR_SUCCESS) {
    RegDeleteValueW(run, L"Glowmere");
    RegCloseKey(run);
  }
  ResetScreenRamp();
}

void GlowmereTest::TearDown() {
  for (const Process& p : started_) {
    if (WaitForSingleObject(p.handle, 0) == WAIT_TIMEOUT) {
      TerminateProcess(p.handle, 98);
      WaitForSingleObject(p.handle, 10000);
    }
    CloseHandle(p.handle);
  }
  started_.clear();
}

Process GlowmereTest::Start(const std::wstring& args, const std::wstring& exe) {
  const std::wstring path = exe.empty() ? GlowmereExe() : exe;
  std::wstring commandLine = L"\"" + path + L"\"";
  if (!args.empty()) commandLine += L" " + args;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back(0);
  Process process;
  // Wine on a busy machine now and then refuses a start with ERROR_INTERNAL_ERROR; a real
  // failure to start repeats, so only that one is tried again.
  DWORD error = ERROR_SUCCESS;
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (CreateProcessW(path.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
      error = ERROR_SUCCESS;
      break;
    }
    error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR) break;
    Sleep(1000);
  }
  if (error != ERROR_SUCCESS) {
    ADD_FAILURE() << "could not start " << Narrow(path) << ": error " << error;
    return process;
  }
  CloseHandle(info.hThread);
  process.handle = info.hProcess;
  process.pid = info.dwProcessId;
  started_.push_back(process);
  return process;
}

HWND GlowmereTest::WaitForDialog(const Process& process, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND window : TopLevelWindows(process.pid, L"#32770")) {
      // Ready once its start has run to the end: the brightness value label is filled last.
      if (GetDlgItem(window, 1038) != nullptr && GetWindowTextLengthW(GetDlgItem(window, 1045)) > 0) found = window;
    }
    return found != nullptr;
  }, timeoutMs);
  return found;
}

DWORD GlowmereTest::WaitForExit(const Process& process, DWORD timeoutMs) {
  if (process.handle == nullptr) return STILL_ACTIVE;
  if (WaitForSingleObject(process.handle, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process.handle, &code);
  return code;
}

}  // namespace e2e
