// The texts a user sees come from the archive inside Glowmere.exe; without it the user
// gets the error box and nothing else.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "harness/harness.h"

namespace {

const char kStartMarker[] = "\n<!- ------SDSGDGSDHREETETBCNMJUKR----------\n";

HWND ErrorBoxOf(DWORD pid) {
  for (HWND window : e2e::TopLevelWindows(pid, L"#32770"))
    if (e2e::WindowText(window) == L"Error!") return window;
  return nullptr;
}

// Copies Glowmere.exe and changes one byte inside its start marker.
std::wstring DamagedCopy() {
  const std::wstring exe = e2e::CopyGlowmere(e2e::ScratchDir(L"archive_damaged"));
  FILE* file = _wfopen(exe.c_str(), L"r+b");
  if (file == nullptr) return L"";
  std::string image;
  char chunk[65536];
  size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, file)) > 0) image.append(chunk, got);
  const std::string marker(kStartMarker, sizeof kStartMarker - 1);
  const size_t at = image.find(marker);
  const bool single = at != std::string::npos && image.find(marker, at + 1) == std::string::npos;
  bool written = false;
  if (single) {
    const char flipped = static_cast<char>(image[at + 20] ^ 0x01);  // a letter of the marker
    written = fseek(file, static_cast<long>(at + 20), SEEK_SET) == 0 && fputc(flipped, file) != EOF;
  }
  fclose(file);
  return written ? exe : L"";
}

class ArchiveE2E : public e2e::GlowmereTest {};

TEST_F(ArchiveE2E, CaptionAndDialogTextsComeFromTheArchive) {
  const e2e::Process glowmere = Start();
  const HWND dialog = WaitForDialog(glowmere);
  ASSERT_NE(dialog, nullptr) << "expected the main dialog";
  EXPECT_EQ(e2e::WindowText(dialog), L"Glowmere 1.77") << "caption is common text 19";
  const struct {
    int control;
    const wchar_t* text;
  } expected[] = {
      {1042, L"Start with Windows"}, {1043, L"Restore at program start"}, {1048, L"Brightness"},
      {122, L"&Reset"},              {1030, L"&Exit"},
  };
  for (const auto& e : expected)
    EXPECT_EQ(e2e::ItemText(dialog, e.control), e.text) << "control " << e.control;
}

TEST_F(ArchiveE2E, DamagedArchiveShowsErrorBoxAndEndsWithoutDialog) {
  const std::wstring damaged = DamagedCopy();
  ASSERT_FALSE(damaged.empty()) << "expected exactly one start marker in Glowmere.exe to damage";
  const e2e::Process glowmere = Start(L"", damaged);

  HWND box = nullptr;
  ASSERT_TRUE(e2e::WaitUntil([&] { return (box = ErrorBoxOf(glowmere.pid)) != nullptr; }))
      << "expected the error box with caption \"Error!\"";
  EXPECT_EQ(e2e::ItemText(box, 0xFFFF), L"Error! Loading language file string archive");
  for (HWND window : e2e::TopLevelWindows(glowmere.pid, L"#32770"))
    EXPECT_FALSE(window != box && e2e::IsVisible(window))
        << "no dialog besides the error box, found \"" << e2e::WindowText(window).c_str() << "\"";

  const int okButton = GetDlgItem(box, IDOK) != nullptr ? IDOK : IDCANCEL;
  e2e::ClickButton(box, okButton);
  EXPECT_EQ(WaitForExit(glowmere), 0u) << "archive failure ends with exit code 0";
  EXPECT_FALSE(e2e::FileExists(e2e::PerUserIni())) << "the dialog never ran, so no settings were written";
}

}  // namespace
