#include "gamma/ramp_limit_offer_win32.h"

#include <shellapi.h>

#include <new>
#include <string>

#include "gamma/ramp_limit_offer.h"
#include "settings/settings_writer_win32.h"
#include "common/file_handles_win32.h"
#include "common/product_name.h"
#include "common/system_folder_win32.h"
#include "common/win32_text.h"
#include "i18n/string_table.h"
#include "settings/settings_file.h"
#include "text_ids.h"

namespace {

RampLimitOffer offer;
bool fixRunning = false;

std::u16string Text(int id) {
  const char16_t* text = StringTable::Text(id);
  return text ? text : u"";
}

struct FixRun {
  HWND dialog;
  std::wstring program;
  std::wstring parameters;
};

// The permission prompt blocks ShellExecuteEx until it is answered, and reg.exe takes a
// moment: both happen here, and the dialog hears of the end by message.
DWORD WINAPI RunFix(LPVOID parameter) {
  FixRun* run = static_cast<FixRun*>(parameter);
  SHELLEXECUTEINFOW execute = {};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  execute.lpVerb = L"runas";
  execute.lpFile = run->program.c_str();
  execute.lpParameters = run->parameters.c_str();
  execute.nShow = SW_HIDE;
  WPARAM result = kRegNotStarted;
  if (ShellExecuteExW(&execute) && execute.hProcess != nullptr) {
    ScopedHandle process(execute.hProcess);
    DWORD exitCode = 0;
    if (WaitForSingleObject(process.Get(), INFINITE) == WAIT_OBJECT_0 && GetExitCodeProcess(process.Get(), &exitCode)) {
      result = exitCode;
    }
  }
  PostMessageW(run->dialog, kRegFinishedMessage, result, 0);
  delete run;
  return 0;
}

}  // namespace

void OfferGammaRangeFix(HWND dialog) {
  if (fixRunning || !offer.ShouldAsk(settingsFile)) return;
  const std::u16string question = Text(kTextRampLimitWarning) + u"\n\n" + Text(kTextRampLimitOffer);
  const bool yes = MessageBoxW(dialog, W(question), W(ProductName()), MB_YESNO | MB_ICONWARNING) == IDYES;
  offer.Answered(settingsFile, yes);
  if (!yes) {
    SettingsChanged();
    return;
  }
  const std::wstring reg = SystemPath(L"reg.exe");
  if (reg.empty()) return;
  std::wstring parameters =
      L"add \"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ICM\" /v GdiIcmGammaRange /t REG_DWORD /d 256 /f";
  // A 32-bit reg.exe on 64-bit Windows would write the 32-bit view, which GDI does not read.
  if (IsWow64()) parameters += L" /reg:64";
  FixRun* run = new (std::nothrow) FixRun{dialog, reg, parameters};
  HANDLE thread = run ? CreateThread(nullptr, 0, RunFix, run, 0, nullptr) : nullptr;
  if (thread == nullptr) {
    delete run;
    ReportGammaRangeFix(dialog, kRegNotStarted);
    return;
  }
  CloseHandle(thread);
  fixRunning = true;
}

void ReportGammaRangeFix(HWND dialog, WPARAM exitCode) {
  fixRunning = false;
  const bool lifted = exitCode == 0;
  MessageBoxW(dialog, W(Text(lifted ? kTextRampLimitLifted : kTextRampLimitNotLifted)), W(ProductName()),
              MB_OK | (lifted ? MB_ICONINFORMATION : MB_ICONWARNING));
}
