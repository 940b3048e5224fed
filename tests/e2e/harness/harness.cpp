#include "harness.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

namespace e2e {

namespace {

const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A modify that carries only the callback message succeeds only for an icon the shell holds.
bool Icon(HWND owner, DWORD action) {
  NOTIFYICONDATAW record = {NOTIFYICONDATAW_V1_SIZE, owner, IDI_APP, action == NIM_MODIFY ? NIF_MESSAGE : 0u,
                            TrayCallbackMessage};
  return Shell_NotifyIconW(action, &record) != FALSE;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  for (const ULONGLONG end = GetTickCount64() + timeoutMs;; Sleep(50)) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
  }
}

::testing::AssertionResult Becomes(const std::function<std::string()>& seen, const std::string& expected,
                                   DWORD timeoutMs) {
  std::string last;
  if (WaitUntil([&] { return (last = seen()) == expected; }, timeoutMs)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "expected \"" << expected << "\" within " << timeoutMs << " ms, seen \""
                                       << last << "\"";
}

::testing::AssertionResult RampBecomes(int red, int green, int blue, DWORD timeoutMs) {
  if (WaitUntil([&] { return RampIs(red, green, blue); }, timeoutMs)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "expected the ramp of " << red << "/" << green << "/" << blue << "; "
                                       << RampSeen();
}

std::wstring Env(const wchar_t* name) {
  wchar_t buffer[4096];
  DWORD n = GetEnvironmentVariableW(name, buffer, 4096);
  return n > 0 && n < 4096 ? std::wstring(buffer, n) : std::wstring();
}

std::wstring ScratchDir(const std::wstring& name) {
  const std::wstring dir = TempFolder() + L"glowmere-e2e\\" + name, from = dir + L'\0';  // double-null ended
  SHFILEOPSTRUCTW remove = {nullptr, FO_DELETE, from.c_str(), nullptr, FOF_NO_UI};
  SHFileOperationW(&remove);
  SHCreateDirectoryExW(nullptr, dir.c_str(), nullptr);
  return dir;
}

std::wstring CopyGlowmere(const std::wstring& dir, const std::wstring& fileName) {
  const std::wstring target = dir + L"\\" + fileName;
  CopyFileW(Env(L"GLOWMERE_EXE").c_str(), target.c_str(), FALSE);
  return target;
}

std::wstring TempFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  return std::wstring(folder, GetTempPathW(MAX_PATH + 1, folder));
}

std::wstring StateFile(const wchar_t* name) {
  std::wstring path = L"Z:" + Env(L"GLOWMERE_E2E_STATE") + L"/" + name;
  for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
  return path;
}

std::wstring PerUserIni() {
  wchar_t appData[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
  return std::wstring(appData) + L"\\Ardentine\\Glowmere\\Glowmere.ini";
}

std::wstring IniValue(const wchar_t* section, const wchar_t* key) {
  wchar_t value[64] = {};
  GetPrivateProfileStringW(section, key, L"<none>", value, 64, PerUserIni().c_str());
  return value;
}

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (file != INVALID_HANDLE_VALUE && ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
    bytes.append(chunk, got);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return bytes;
}

std::wstring ReadFileText(const std::wstring& path) {
  const std::string bytes = ReadFileBytes(path);
  if (bytes.compare(0, 2, "\xFF\xFE") == 0)
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
  std::wstring text;
  for (unsigned char c : bytes) text.push_back(c);
  return text;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  SHCreateDirectoryExW(nullptr, path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Narrow(const std::wstring& text) {
  std::string out(text.size() * 3, '\0');
  out.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0],
                                                     static_cast<int>(out.size()), nullptr, nullptr)));
  return out;
}

std::wstring Widen(const std::string& utf8) {
  std::wstring out(utf8.size(), L'\0');
  out.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &out[0],
                                                     static_cast<int>(out.size()))));
  return out;
}

bool ReadRunValue(std::wstring* data, DWORD* bytes) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  std::vector<wchar_t> buffer(40000, L'\0');
  DWORD size = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
  const LONG result =
      RegQueryValueExW(key, L"Glowmere", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size);
  RegCloseKey(key);
  if (data) *data = buffer.data();
  if (bytes) *bytes = size;
  return result == ERROR_SUCCESS;
}

std::vector<WORD> ScreenRamp(bool identity) {
  std::vector<WORD> ramp(768, 0);
  for (int i = 0; identity && i < 768; ++i) ramp[i] = static_cast<WORD>((i % 256) * 256);
  HDC dc = GetDC(nullptr);
  identity ? SetDeviceGammaRamp(dc, ramp.data()) : GetDeviceGammaRamp(dc, ramp.data());
  ReleaseDC(nullptr, dc);
  return ramp;
}

void ResetScreenRamp() { ScreenRamp(true); }

bool RampIs(int red, int green, int blue) {
  const std::vector<WORD> ramp = ScreenRamp();
  const int levels[3] = {red, green, blue};
  for (int i = 0; i < 768; ++i) {
    const int expected = std::min((i % 256) * (levels[i / 256] + 128), 65535);
    if ((ramp[i] >> 8) != (expected >> 8)) return false;
  }
  return true;
}

std::string RampSeen() {
  const std::vector<WORD> ramp = ScreenRamp();
  return "saw top entries " + std::to_string(ramp[255]) + "/" + std::to_string(ramp[511]) + "/" +
         std::to_string(ramp[767]);
}

std::wstring WindowText(HWND window) {
  wchar_t buffer[1024] = {};
  DWORD_PTR length = 0;
  // With a time-out, so that a hung program fails the test instead of hanging it.
  if (!SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 10000,
                           &length))
    return L"<no answer>";
  return std::wstring(buffer, length);
}

std::wstring ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

int SliderPos(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageW(dialog, id, TBM_GETPOS, 0, 0)); }

std::string StoredLevels() {
  std::string seen;
  for (const wchar_t* key : {L"H", L"r", L"g", L"b"}) seen += Narrow(IniValue(L"Start", key)) + " ";
  return seen;
}

std::wstring MonitorId(int number) {
  DISPLAY_DEVICEW monitor = {};
  monitor.cb = sizeof monitor;
  const std::wstring device = L"\\\\.\\DISPLAY" + std::to_wstring(number);
  const bool found = EnumDisplayDevicesW(device.c_str(), 0, &monitor, EDD_GET_DEVICE_INTERFACE_NAME);
  return found && monitor.DeviceID[0] != 0 ? monitor.DeviceID : device;
}

std::string DisplayLevels(int number) {
  const std::wstring section = L"Display " + MonitorId(number);
  std::string levels;
  for (const wchar_t* key : {L"H", L"r", L"g", L"b"}) levels += Narrow(IniValue(section.c_str(), key)) + " ";
  return levels;
}

std::string SliderLevels(HWND dialog) {
  std::string seen;
  for (int id = IDC_BRIGHTNESS; id <= IDC_BLUE; ++id) seen += std::to_string(SliderPos(dialog, id)) + " ";
  return seen;
}

void MoveSlider(HWND dialog, int id, int pos) {
  HWND slider = GetDlgItem(dialog, id);
  SendMessageW(slider, TBM_SETPOS, TRUE, pos);
  SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, pos), reinterpret_cast<LPARAM>(slider));
  SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
}

void ClickButton(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }

void PostCommand(HWND window, int id) { PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void ChooseFromList(HWND dialog, int id, int index) {
  HWND list = GetDlgItem(dialog, id);
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), reinterpret_cast<LPARAM>(list));
}

void PressHotkey(WORD key) {
  const WORD keys[] = {VK_CONTROL, VK_MENU, key};
  INPUT input[6] = {};
  for (int i = 0; i < 6; ++i) {
    input[i].type = INPUT_KEYBOARD;
    input[i].ki.wVk = keys[i < 3 ? i : 5 - i];
    input[i].ki.dwFlags = (i < 3 ? 0 : KEYEVENTF_KEYUP) | (input[i].ki.wVk == key ? KEYEVENTF_EXTENDEDKEY : 0);
  }
  SendInput(6, input, sizeof(INPUT));
}

std::vector<HWND> TopLevelWindows(DWORD pid, const wchar_t* className) {
  std::vector<HWND> found;
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, nullptr)) != nullptr;) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (pid == 0 || owner == pid) found.push_back(window);
  }
  return found;
}

HWND WaitForBox(DWORD pid, HWND mainDialog, int childId, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindows(pid, L"#32770"))
          if (window != mainDialog && IsWindowVisible(window) && GetDlgItem(window, childId)) found = window;
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

bool IconPresent(HWND owner) { return Icon(owner, NIM_MODIFY); }
bool RemoveIcon(HWND owner) { return Icon(owner, NIM_DELETE); }

void GlowmereTest::SetUp() {
  ASSERT_FALSE(Env(L"GLOWMERE_EXE").empty()) << "GLOWMERE_EXE must name the Glowmere.exe under test";
  // Ends every Glowmere dialog left from an earlier test program, so each test starts alone.
  for (HWND window : TopLevelWindows(0, L"#32770")) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process =
        GetDlgItem(window, IDC_BRIGHTNESS) ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid) : nullptr;
    if (process && TerminateProcess(process, 99)) WaitForSingleObject(process, 10000);
    if (process) CloseHandle(process);
  }
  SetFileAttributesW(PerUserIni().c_str(), FILE_ATTRIBUTE_NORMAL);  // a test may leave it read-only
  DeleteFileW(PerUserIni().c_str());
  HKEY run = nullptr;  // Windows always has the Run key; a test may have deleted it
  RegCreateKeyW(HKEY_CURRENT_USER, kRunKey, &run);
  RegDeleteValueW(run, L"Glowmere");
  RegCloseKey(run);
  ResetScreenRamp();
}

void GlowmereTest::TearDown() {
  for (const Process& p : started_) {
    if (TerminateProcess(p.handle, 98)) WaitForSingleObject(p.handle, 10000);
    CloseHandle(p.handle);
  }
  started_.clear();
}

Process GlowmereTest::Start(const std::wstring& args, const std::wstring& exe) {
  const std::wstring path = exe.empty() ? Env(L"GLOWMERE_EXE") : exe;
  std::wstring commandLine = L"\"" + path + L"\"" + (args.empty() ? L"" : L" " + args);
  STARTUPINFOW startup = {sizeof startup};
  PROCESS_INFORMATION info = {};
  // Wine on a busy machine now and then refuses a start with ERROR_INTERNAL_ERROR; a real
  // failure to start repeats, so only that one is tried again.
  DWORD error = ERROR_SUCCESS;
  for (int attempt = 0; attempt < 3; ++attempt, Sleep(1000)) {
    error = CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)
                ? ERROR_SUCCESS
                : GetLastError();
    if (error != ERROR_INTERNAL_ERROR) break;
  }
  if (error != ERROR_SUCCESS) {
    ADD_FAILURE() << "could not start " << Narrow(path) << ": error " << error;
    return Process();
  }
  CloseHandle(info.hThread);
  started_.push_back(Process{info.hProcess, info.dwProcessId});
  return started_.back();
}

HWND GlowmereTest::WaitForDialog(const Process& process, DWORD timeoutMs) {
  HWND found = nullptr;
  static const UINT instanceQuery = RegisterWindowMessageW(L"Glowmere instance");
  WaitUntil(
      [&] {
        // Shown once the brightness value label is filled; done once the rest of its start (tray
        // icon, hotkeys) has followed: then it answers a second start's query.
        for (HWND window : TopLevelWindows(process.pid, L"#32770")) {
          DWORD_PTR reply = 0;
          if (GetWindowTextLengthW(GetDlgItem(window, IDC_BRIGHTNESS_VALUE)) > 0 &&
              SendMessageTimeoutW(window, instanceQuery, 0, 0, SMTO_ABORTIFHUNG, 1000, &reply) &&
              reply == instanceQuery)
            found = window;
        }
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

DWORD GlowmereTest::AnswerBox(const Process& process, std::wstring* text) {
  HWND box = WaitForBox(process.pid, nullptr);
  if (text) *text = box ? ItemText(box, 0xFFFF) : L"<no box>";
  if (box) PostCommand(box, GetDlgItem(box, IDOK) ? IDOK : IDCANCEL);
  return WaitForExit(process);
}

DWORD GlowmereTest::WaitForExit(const Process& process, DWORD timeoutMs) {
  DWORD code = STILL_ACTIVE;
  if (process.handle != nullptr && WaitForSingleObject(process.handle, timeoutMs) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.handle, &code);
  return code;
}

}  // namespace e2e
