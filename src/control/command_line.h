// Levels given on the command line, so a script or a scheduled task can set them
// without opening a window: -brightness N, -rgb R G B, -reset, after an optional "-bg";
// "-display D" before them limits them to one display. Or night mode: -night alone, with its
// word (and minutes for a pause).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The levels a command line asks for; brightness kKeepBrightness leaves that slider as it is.
struct LevelRequest {
  static constexpr int32_t kKeepBrightness = -1;
  int32_t brightness = 128;
  int32_t red = 128;
  int32_t green = 128;
  int32_t blue = 128;
  // The id of the one display they are for (see DisplayInfo::id); empty: every display.
  std::u16string displayId;
};

// Night mode from the command line: -night on|off|resume, -night pause MINUTES.
struct NightRequest {
  enum class Op : int32_t { On = 1, Off, Pause, Resume } op = Op::On;
  int32_t minutes = 0;  // for Pause: 1..kNightPauseMaxMinutes
};
constexpr int kNightPauseMaxMinutes = 7 * 24 * 60;

struct CommandLine {
  enum class Kind { None, Levels, Night, Malformed };
  Kind kind = Kind::None;
  bool background = false;  // the first argument is "-bg"
  LevelRequest levels;
  NightRequest night;        // for Night
  std::u16string badOption;  // for Malformed: the option as the user typed it
  // For Levels: the value of "-display" as typed; empty: every display. Matched against the
  // attached displays later, into levels.displayId.
  std::u16string display;
  bool unknownDisplay = false;     // for Malformed: "-display" named no attached display
  std::u16string attachedNumbers;  // for unknownDisplay by number: "1, 2", for the message
};

// The percentages the options take, as the dialog's labels show them.
constexpr int kPercentMin = -50;
constexpr int kPercentMax = 50;

// The level nearest to neutral whose label reads `percent`: 128 + sign * ceil(|p| * 256 / 100).
int32_t LevelFromPercent(int percent);

// `args` are the arguments after the program path. Without any option other than "-bg"
// the result is Kind::None and everything else is ignored, as it always was.
CommandLine ParseCommandLine(const std::vector<std::u16string>& args);
