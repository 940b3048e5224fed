// The System menu starts the system's own programs and leaves the dialog as it was.
#include "harness.h"

#include <algorithm>

namespace {

using e2e::GlowmereTest;

std::wstring Env(const wchar_t* name) {
  wchar_t buffer[1024] = {};
  GetEnvironmentVariableW(name, buffer, 1024);
  return buffer;
}


class SystemMenu : public GlowmereTest {};

TEST_F(SystemMenu, EachCommandStartsItsProgramWithItsArguments) {
  // Recording stand-ins beside the executable are found before the system's programs.
  const std::wstring dir = e2e::ScratchDir(L"system-menu");
  const std::wstring exe = e2e::CopyGlowmere(dir);
  for (const wchar_t* name : {L"control.exe", L"explorer.exe", L"mblctr.exe"}) {
    ASSERT_TRUE(CopyFileW(Env(L"GLOWMERE_RECORDER").c_str(), (dir + L"\\" + name).c_str(), FALSE));
  }
  HWND dialog = WaitForDialog(Start(L"", exe));
  ASSERT_NE(dialog, nullptr);

  const struct {
    int command;
    const wchar_t* program;
    const wchar_t* arguments;
  } pages[] = {{40029, L"control.exe", L"desk.cpl ,1"},
               {40030, L"control.exe", L"powercfg.cpl"},
               {40031, L"explorer.exe", L"ms-settings:batterysaver-settings"},
               {40032, L"mblctr.exe", L""}};
  const std::wstring log = dir + L"\\started.txt";
  for (const auto& page : pages) {
    DeleteFileW(log.c_str());
    e2e::PostCommand(dialog, page.command);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ReadFileText(log).find(L"\r\n") != std::wstring::npos; }, 20000))
        << "command " << page.command << ": expected " << e2e::Narrow(page.program) << " to be started";
    std::wstring line = e2e::ReadFileText(log);
    std::wstring lower = line;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::towlower);
    EXPECT_EQ(lower.find(page.program), 0u) << "command " << page.command << " started: " << e2e::Narrow(line);
    EXPECT_NE(line.find(page.arguments), std::wstring::npos)
        << "command " << page.command << ": expected arguments '" << e2e::Narrow(page.arguments) << "' in "
        << e2e::Narrow(line);
  }
  EXPECT_TRUE(e2e::IsVisible(dialog));
  e2e::MoveSlider(dialog, 1038, 100);
  EXPECT_TRUE(e2e::WaitUntil([] { return e2e::RampMatches(e2e::ScreenRamp(), 100, 100, 100); }, 10000))
      << "the dialog must still work after starting the system programs";
}

}  // namespace
