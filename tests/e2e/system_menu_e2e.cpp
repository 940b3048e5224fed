// The System menu starts the system's own programs.
#include "harness.h"

#include <memory>

namespace {

using namespace e2e;

class SystemMenu : public GlowmereTest {};

TEST_F(SystemMenu, EachCommandStartsTheSystemFoldersProgramWithItsArguments) {
  // Programs of these names beside the executable (a Downloads folder may hold anything)
  // must never be started; stand-ins in the system folder record the system's own, which
  // Wine runs instead of its builtins only when told so (e2e.cmake).
  const std::wstring dir = ScratchDir(L"system-menu"), exe = CopyGlowmere(dir), recorder = Env(L"GLOWMERE_RECORDER");
  wchar_t system[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  const wchar_t* names[] = {L"control.exe", L"explorer.exe", L"mblctr.exe"};
  for (const wchar_t* name : names) ASSERT_TRUE(CopyFileW(recorder.c_str(), (dir + L"\\" + name).c_str(), FALSE));
  HWND dialog = WaitForDialog(Start(L"", exe));
  ASSERT_NE(dialog, nullptr);
  // Only now, so that nothing the start itself runs meets a stand-in; put back at the end.
  auto inSystem = [&](const wchar_t* name) { return std::wstring(system) + L"\\" + name; };
  std::shared_ptr<void> putBack(nullptr, [&](void*) {
    for (const wchar_t* name : names) {
      DeleteFileW(inSystem(name).c_str());
      MoveFileExW((inSystem(name) + L".keep").c_str(), inSystem(name).c_str(), 0);
    }
  });
  for (const wchar_t* name : names) {
    MoveFileExW(inSystem(name).c_str(), (inSystem(name) + L".keep").c_str(), MOVEFILE_REPLACE_EXISTING);
    ASSERT_TRUE(CopyFileW(recorder.c_str(), inSystem(name).c_str(), FALSE))
        << "cannot place " << Narrow(inSystem(name));
  }

  // The stand-in writes "<its file name>|<its command line>"; the arguments are unit-tested.
  const struct {
    int command;
    const wchar_t* program;
  } pages[] = {{CMD_SCREENSAVER, L"control.exe|"},
               {CMD_POWER_OPTIONS, L"control.exe|"},
               {CMD_BATTERY_SETTINGS, L"explorer.exe|"},
               {CMD_MOBILITY_CENTER, L"mblctr.exe|"}};
  const std::wstring log = inSystem(L"started.txt");
  for (const auto& page : pages) {
    DeleteFileW(log.c_str());
    PostCommand(dialog, page.command);
    ASSERT_TRUE(WaitUntil([&] { return ReadFileText(log).find(L"\r\n") != std::wstring::npos; }))
        << "command " << page.command << ": expected the system folder's " << Narrow(page.program)
        << ", seen nothing; started beside the executable: " << Narrow(ReadFileText(dir + L"\\started.txt"));
    std::wstring line = ReadFileText(log);
    CharLowerW(&line[0]);
    EXPECT_EQ(line.find(page.program), 0u) << "expected " << Narrow(page.program) << ", started: " << Narrow(line);
  }
  EXPECT_EQ(ReadFileText(dir + L"\\started.txt"), L"") << "programs beside the executable were started";
}

}  // namespace
