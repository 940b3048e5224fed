#include "control/command_line.h"

#include "common/text.h"

namespace {

bool IsOption(const std::u16string& arg, const char16_t* name) { return text::Lowered(arg) == name; }

// Whole decimal percentages with an optional sign, within the slider's range.
bool ParsePercent(const std::u16string& arg, int* percent) {
  size_t i = arg.size() > 0 && (arg[0] == u'-' || arg[0] == u'+') ? 1 : 0;
  if (i == arg.size() || arg.size() - i > 3) return false;
  int value = 0;
  for (; i < arg.size(); ++i) {
    if (arg[i] < u'0' || arg[i] > u'9') return false;
    value = value * 10 + (arg[i] - u'0');
  }
  if (arg[0] == u'-') value = -value;
  if (value < kPercentMin || value > kPercentMax) return false;
  *percent = value;
  return true;
}

// Whole decimal numbers from 0 to `max`, digits only.
bool ParseWhole(const std::u16string& arg, int max, int* value) {
  if (arg.empty() || arg.size() > 6) return false;
  int whole = 0;
  for (char16_t c : arg) {
    if (c < u'0' || c > u'9') return false;
    whole = whole * 10 + (c - u'0');
  }
  if (whole > max) return false;
  *value = whole;
  return true;
}

}  // namespace

int32_t LevelFromPercent(int percent) {
  const int magnitude = percent < 0 ? -percent : percent;
  const int steps = (magnitude * 256 + 99) / 100;
  return 128 + (percent < 0 ? -steps : steps);
}

CommandLine ParseCommandLine(const std::vector<std::u16string>& args) {
  CommandLine result;
  result.background = !args.empty() && IsOption(args[0], u"-bg");
  const size_t first = result.background ? 1 : 0;
  // "-bg" in another place and words without a dash were always ignored; any other
  // option makes this a level command line, checked in full.
  bool anyOption = false;
  for (size_t i = first; i < args.size(); ++i) {
    if (!args[i].empty() && args[i][0] == u'-' && !IsOption(args[i], u"-bg")) anyOption = true;
  }
  if (!anyOption) return result;

  auto malformed = [&](size_t from, size_t count) {
    result.kind = CommandLine::Kind::Malformed;
    for (size_t k = from; k < from + count && k < args.size(); ++k) {
      result.badOption += (k > from ? u" " : u"") + args[k];
    }
    return result;
  };
  if (IsOption(args[first], u"-night")) {
    // Alone: "-night pause 30" and nothing else, so a mistyped line never half happens.
    const size_t words = args.size() - first;
    const std::u16string word = words >= 2 ? text::Lowered(args[first + 1]) : u"";
    int minutes = 0;
    if (words == 2 && (word == u"on" || word == u"off" || word == u"resume")) {
      result.night.op = word == u"on"    ? NightRequest::Op::On
                        : word == u"off" ? NightRequest::Op::Off
                                         : NightRequest::Op::Resume;
    } else if (words == 3 && word == u"pause" && ParseWhole(args[first + 2], kNightPauseMaxMinutes, &minutes) &&
               minutes > 0) {
      result.night = {NightRequest::Op::Pause, minutes};
    } else {
      return malformed(first, words);
    }
    result.kind = CommandLine::Kind::Night;
    return result;
  }
  LevelRequest levels;
  levels.brightness = LevelRequest::kKeepBrightness;
  bool levelOption = false;
  for (size_t i = first; i < args.size();) {
    const std::u16string& option = args[i];
    size_t values = 0;
    if (IsOption(option, u"-display")) {
      // Once, before the levels it limits, with a value that is no option.
      if (levelOption || !result.display.empty() || i + 1 >= args.size() || args[i + 1].empty() ||
          args[i + 1][0] == u'-') {
        return malformed(i, 2);
      }
      result.display = args[i + 1];
      i += 2;
      continue;
    }
    levelOption = true;
    if (IsOption(option, u"-reset")) {
      levels = LevelRequest{};
    } else if (IsOption(option, u"-brightness") || IsOption(option, u"-rgb")) {
      values = IsOption(option, u"-rgb") ? 3 : 1;
      int32_t level[3];
      for (size_t v = 0; v < values; ++v) {
        int percent = 0;
        if (i + 1 + v >= args.size() || !ParsePercent(args[i + 1 + v], &percent)) return malformed(i, v + 2);
        level[v] = LevelFromPercent(percent);
      }
      if (values == 1) {
        levels.brightness = levels.red = levels.green = levels.blue = level[0];
      } else {
        levels.red = level[0];
        levels.green = level[1];
        levels.blue = level[2];
      }
    } else {
      return malformed(i, 1);
    }
    i += 1 + values;
  }
  if (!levelOption) return malformed(args.size() - 2, 2);  // "-display N" and nothing to do there
  result.kind = CommandLine::Kind::Levels;
  result.levels = levels;
  return result;
}
