// Night mode in real time: a schedule that begins a minute or two from now with a change of one
// minute. The screen's ramp is read where the user would see it; the settings file must not
// change while night mode works on its own.
#include <windows.h>

#include <cstdio>

#include "harness.h"

namespace {

using namespace e2e;

// The top entries' high bytes (red, green, blue), as the X server keeps the ramp.
struct Top {
  int red, green, blue;
};
Top TopOfRamp() {
  const std::vector<WORD> ramp = ScreenRamp();
  return {ramp[255] >> 8, ramp[511] >> 8, ramp[767] >> 8};
}
std::string Describe(const Top& top) {
  return std::to_string(top.red) + "/" + std::to_string(top.green) + "/" + std::to_string(top.blue);
}
// Levels 112 (entry 255 = 61200) at 3400 K and -20 %: the published white point 1 / 0.7689 / 0.5243.
bool IsNight(const Top& top) {
  return std::abs(top.red - 191) <= 1 && std::abs(top.green - 147) <= 2 && std::abs(top.blue - 100) <= 2;
}

std::string Clock(int minuteOfDay) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", minuteOfDay / 60 % 24, minuteOfDay % 60);
  return text;
}

// The night begins at the next whole minute that is at least 20 s away, and lasts three hours.
std::string NightSettingsFromSoon() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const int start = now.wHour * 60 + now.wMinute + (now.wSecond > 40 ? 2 : 1);
  return "[Start]\r\nsetrgb=1\r\nr=112\r\ng=112\r\nb=112\r\nH=112\r\n"
         "[Hotkeys]\r\nBrighter=Ctrl+Alt+PgUp\r\nDarker=Ctrl+Alt+PgDn\r\nNeutral=Ctrl+Alt+Home\r\nNight=Ctrl+Alt+N\r\n"
         "[Night]\r\nOn=1\r\nStart=" +
         Clock(start) + "\r\nEnd=" + Clock(start + 180) + "\r\nTemperature=3400\r\nBrightness=-20\r\nTransition=1\r\n";
}

using Night = GlowmereTest;

// The evening comes in many small steps that only warm and dim, and writes nothing; a pause
// and a resume from the command line; then a start at night shows night from its first ramp;
// without a running Glowmere, -night is stored.
TEST_F(Night, TheEveningComesInSmallStepsAndAStartAtNightShowsNightFirst) {
  ASSERT_TRUE(WriteFileBytes(PerUserIni(), NightSettingsFromSoon()));
  const Process first = Start(L"-bg");
  HWND dialog = WaitForDialog(first);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(RampBecomes(112, 112, 112)) << "by day: the levels alone";
  const std::string fileBefore = ReadFileBytes(PerUserIni());

  std::vector<Top> seen{TopOfRamp()};
  const ULONGLONG deadline = GetTickCount64() + 200000;
  while (!IsNight(seen.back()) && GetTickCount64() < deadline) {
    Sleep(250);
    const Top top = TopOfRamp();
    if (top.green != seen.back().green || top.blue != seen.back().blue || top.red != seen.back().red)
      seen.push_back(top);
  }
  ASSERT_TRUE(IsNight(seen.back())) << "expected 191/147/100 within the change; last seen " << Describe(seen.back());
  for (size_t i = 1; i < seen.size(); ++i) {
    EXPECT_LE(seen[i].red, seen[i - 1].red)
        << "step " << i << ": " << Describe(seen[i - 1]) << " -> " << Describe(seen[i]);
    EXPECT_LE(seen[i].green, seen[i - 1].green) << "step " << i;
    EXPECT_LE(seen[i].blue, seen[i - 1].blue) << "step " << i;
  }
  EXPECT_GE(seen.size(), 12u) << "many small steps over the minute, not a jump; saw " << seen.size();
  EXPECT_EQ(ReadFileBytes(PerUserIni()), fileBefore) << "night mode wrote the settings file on its own";

  EXPECT_EQ(WaitForExit(Start(L"-night pause 60"), 60000), kExitLevelsSet);
  EXPECT_TRUE(RampBecomes(112, 112, 112)) << "paused: the day look";
  EXPECT_TRUE(WaitUntil([] { return IniValue(L"Night", L"PausedUntil").size() == 16; }))
      << "expected PausedUntil=YYYY-MM-DD HH:MM, saw " << Narrow(IniValue(L"Night", L"PausedUntil"));
  EXPECT_EQ(WaitForExit(Start(L"-night resume"), 60000), kExitLevelsSet);
  EXPECT_TRUE(WaitUntil([] { return IsNight(TopOfRamp()); }, 10000)) << "resumed; " << RampSeen();
  EXPECT_TRUE(WaitUntil([] { return IniValue(L"Night", L"PausedUntil").empty(); }));
  PostCommand(dialog, IDC_EXIT);
  ASSERT_EQ(WaitForExit(first), kExitCommand);

  ResetScreenRamp();
  const Process second = Start(L"-bg");
  Top firstChange = TopOfRamp();
  const ULONGLONG until = GetTickCount64() + 30000;
  while (firstChange.red == 255 && firstChange.green == 255 && GetTickCount64() < until) {
    Sleep(5);
    firstChange = TopOfRamp();
  }
  EXPECT_TRUE(IsNight(firstChange)) << "the first ramp of a start at night must be the night's, saw "
                                    << Describe(firstChange);
  HWND secondDialog = WaitForDialog(second);
  ASSERT_NE(secondDialog, nullptr);
  PostCommand(secondDialog, IDC_EXIT);
  ASSERT_EQ(WaitForExit(second), kExitCommand);

  // Without a running Glowmere, -night is stored for the next start.
  EXPECT_EQ(WaitForExit(Start(L"-night off"), 60000), kExitLevelsSet);
  EXPECT_EQ(Narrow(IniValue(L"Night", L"On")), "0");
}

}  // namespace
