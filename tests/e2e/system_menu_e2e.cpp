// The System menu starts the system's own programs and leaves the dialog as it was.
#include "harness.h"

#include <algorithm>
#include <memory>

namespace {

using e2e::GlowmereTest;

std::wstring Env(const wchar_t* name) {
  wchar_t buffer[1024] = {};
  GetEnvironmentVariableW(name, buffer, 1024);
  return buffer;
}


class SystemMenu : public GlowmereTest {};

TEST_F(SystemMenu, EachCommandStartsTheSystemFoldersProgramWithItsArguments) {
  // Programs of these names beside the executable (a Downloads folder may hold anything)
  // must never be started; stand-ins in the system folder record the system's own, which
  // Wine runs instead of its builtins only when told so (system_menu_e2e.cmake).
  const std::wstring dir = e2e::ScratchDir(L"system-menu");
  const std::wstring exe = e2e::CopyGlowmere(dir);
  wchar_t system[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  const wchar_t* names[] = {L"control.exe", L"explorer.exe", L"mblctr.exe"};
  for (const wchar_t* name : names) {
    ASSERT_TRUE(CopyFileW(Env(L"GLOWMERE_RECORDER").c_str(), (dir + L"\\" + name).c_str(), FALSE));
  }
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
    ASSERT_TRUE(CopyFileW(Env(L"GLOWMERE_RECORDER").c_str(), inSystem(name).c_str(), FALSE))
        << "cannot place a stand-in at " << e2e::Narrow(inSystem(name));
  }

  const struct {
    int command;
    const wchar_t* program;
    const wchar_t* arguments;
  } pages[] = {{40029, L"control.exe", L"desk.cpl ,1"},
               {40030, L"control.exe", L"powercfg.cpl"},
               {40031, L"explorer.exe", L"ms-settings:batterysaver-settings"},
               {40032, L"mblctr.exe", L""}};
  const std::wstring log = std::wstring(system) + L"\\started.txt";
  for (const auto& page : pages) {
    DeleteFileW(log.c_str());
    e2e::PostCommand(dialog, page.command);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ReadFileText(log).find(L"\r\n") != std::wstring::npos; }, 20000))
        << "command " << page.command << ": expected the system folder's " << e2e::Narrow(page.program)
        << " to be started, seen nothing; started beside the executable: "
        << e2e::Narrow(e2e::ReadFileText(dir + L"\\started.txt"));
    std::wstring line = e2e::ReadFileText(log);
    std::wstring lower = line;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::towlower);
    EXPECT_EQ(lower.find(page.program), 0u) << "command " << page.command << " started: " << e2e::Narrow(line);
    EXPECT_NE(line.find(page.arguments), std::wstring::npos)
        << "command " << page.command << ": expected arguments '" << e2e::Narrow(page.arguments) << "' in "
        << e2e::Narrow(line);
  }
  EXPECT_EQ(e2e::ReadFileText(dir + L"\\started.txt"), L"") << "programs beside the executable were started";
  EXPECT_TRUE(e2e::IsVisible(dialog));
  e2e::MoveSlider(dialog, 1038, 100);
  EXPECT_TRUE(e2e::WaitUntil([] { return e2e::RampMatches(e2e::ScreenRamp(), 100, 100, 100); }, 10000))
      << "the dialog must still work after starting the system programs";
}

}  // namespace
