// Levels from the command line, and the labels they must read as.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/command_line.h"
#include "common/exit_codes.h"
#include "dialog/level_text.h"
#include "common/text.h"

namespace {

// Each percentage gives the level nearest to neutral whose label reads it.
TEST(CommandLine, LevelOptions) {
  const struct {
    std::vector<std::u16string> args;
    CommandLine::Kind kind;
    bool background;
    LevelRequest levels;
    std::u16string badOption;
  } cases[] = {
      {{}, CommandLine::Kind::None, false, {}, u""},
      {{u"-BG"}, CommandLine::Kind::None, true, {}, u""},
      {{u"x", u"-bg", u"/brightness"}, CommandLine::Kind::None, false, {}, u""},
      {{u"-bg", u"-Brightness", u"+10"}, CommandLine::Kind::Levels, true, {154, 154, 154, 154}, u""},
      {{u"-brightness", u"10", u"-RESET"}, CommandLine::Kind::Levels, false, {128, 128, 128, 128}, u""},
      {{u"-brightness"}, CommandLine::Kind::Malformed, false, {}, u"-brightness"},
      {{u"-brightness", u"51"}, CommandLine::Kind::Malformed, false, {}, u"-brightness 51"},
      {{u"-rgb", u"1", u"x2", u"3"}, CommandLine::Kind::Malformed, false, {}, u"-rgb 1 x2"},
      {{u"-reset", u"-bg"}, CommandLine::Kind::Malformed, false, {}, u"-bg"},
  };
  for (const auto& c : cases) {
    const CommandLine parsed = ParseCommandLine(c.args);
    const std::string what = text::ToUtf8(c.args.empty() ? u"(none)" : c.args[0] + u" ...");
    EXPECT_EQ(parsed.kind, c.kind) << what;
    EXPECT_EQ(parsed.background, c.background) << what;
    EXPECT_EQ(text::ToUtf8(parsed.badOption), text::ToUtf8(c.badOption)) << what;
    if (c.kind != CommandLine::Kind::Levels) continue;
    const LevelRequest& l = parsed.levels;
    EXPECT_EQ(std::vector<int>({l.brightness, l.red, l.green, l.blue}),
              std::vector<int>({c.levels.brightness, c.levels.red, c.levels.green, c.levels.blue}))
        << what;
  }
  for (int level : {127, 129}) EXPECT_EQ(FormatPercent(level), " 0 %") << "truncated toward zero, never -0";
  for (int p = kPercentMin; p <= kPercentMax; ++p) {
    EXPECT_EQ(FormatPercent(LevelFromPercent(p)), " " + std::to_string(p) + " %") << p;
    if (p != 0)
      EXPECT_NE(FormatPercent(LevelFromPercent(p) - (p < 0 ? -1 : 1)), FormatPercent(LevelFromPercent(p))) << p;
  }
}

// "-display D" once, before the levels it limits (good uses are run end to end).
TEST(CommandLine, MisplacedDisplayOption) {
  const struct {
    std::vector<std::u16string> args;
    std::u16string badOption;
  } cases[] = {
      {{u"-display", u"2"}, u"-display 2"},
      {{u"-display", u"-reset"}, u"-display -reset"},
      {{u"-display"}, u"-display"},
      {{u"-reset", u"-display", u"1"}, u"-display 1"},
      {{u"-display", u"1", u"-display", u"2", u"-reset"}, u"-display 2"},
  };
  for (const auto& c : cases) {
    const CommandLine parsed = ParseCommandLine(c.args);
    EXPECT_EQ(parsed.kind, CommandLine::Kind::Malformed) << text::ToUtf8(c.badOption);
    EXPECT_EQ(text::ToUtf8(parsed.badOption), text::ToUtf8(c.badOption));
  }
}

// The exit code says what happened and nothing more: 4 only when the levels were stored,
// 0 never for displays in HDR, and a file that could not be written always shows.
TEST(CommandLine, ExitCodeOfLevelsSetWithoutAnInstance) {
  const struct {
    bool applied, hdrOnly, stored;
    ExitCode code;
  } cases[] = {
      {true, false, true, kExitLevelsSet},  {false, false, true, kExitRampRefused},
      {true, false, false, kExitNotStored}, {false, false, false, kExitNothingTookEffect},
      {true, true, true, kExitHdrOnly},     {true, true, false, kExitNothingTookEffect},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LevelsExitCode(c.applied, c.hdrOnly, c.stored), c.code) << c.applied << c.hdrOnly << c.stored;
  }
}

// "-night" stands alone with its word; anything else is refused whole, so nothing half happens.
TEST(CommandLine, NightMode) {
  using Op = NightRequest::Op;
  const struct {
    std::vector<std::u16string> args;
    bool valid;
    Op op;
    int minutes;
  } cases[] = {
      {{u"-night", u"on"}, true, Op::On, 0},
      {{u"-bg", u"-NIGHT", u"Off"}, true, Op::Off, 0},
      {{u"-night", u"resume"}, true, Op::Resume, 0},
      {{u"-night", u"pause", u"60"}, true, Op::Pause, 60},
      {{u"-night", u"pause", u"0"}, false, Op::On, 0},
      {{u"-night", u"pause", u"10081"}, false, Op::On, 0},
      {{u"-night", u"pause", u"-5"}, false, Op::On, 0},
      {{u"-night", u"pause"}, false, Op::On, 0},
      {{u"-night"}, false, Op::On, 0},
      {{u"-night", u"on", u"-reset"}, false, Op::On, 0},
      {{u"-night", u"dim"}, false, Op::On, 0},
  };
  for (const auto& c : cases) {
    const CommandLine parsed = ParseCommandLine(c.args);
    const std::string what = text::ToUtf8(c.args.back());
    ASSERT_EQ(parsed.kind, c.valid ? CommandLine::Kind::Night : CommandLine::Kind::Malformed) << what;
    if (!c.valid) continue;
    EXPECT_EQ(parsed.night.op, c.op) << what;
    EXPECT_EQ(parsed.night.minutes, c.minutes) << what;
  }
}

}  // namespace
