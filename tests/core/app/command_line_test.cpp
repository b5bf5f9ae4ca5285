#include "app/command_line.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace corvane {
namespace {

using Tokens = std::vector<std::string>;

// Parses a command-line text; `existing` lists the files that exist.
CommandLine Parse(std::string_view text, const std::set<std::string>& existing = {}) {
  return ParseCommandLine(TokenizeCommandLine(text), [&existing](const std::string& path) {
    return existing.count(path) > 0;
  });
}

TEST(CommandLineTest, TokensSplitAtBlanksAndQuotes) {
  EXPECT_EQ(TokenizeCommandLine("  a.kvb\t\"/home/u/My Maps/b.kvb\"\r\n/f=\"x y.kvb\" \"\"  "),
            (Tokens{"a.kvb", "/home/u/My Maps/b.kvb", "/f=x y.kvb", ""}));
  // An unclosed quote runs to the end.
  EXPECT_EQ(TokenizeCommandLine("a \"b c"), (Tokens{"a", "b c"}));
  EXPECT_EQ(TokenizeCommandLine(""), Tokens{});
}

TEST(CommandLineTest, SwitchFAndBarePathNameTheSameFile) {
  for (const char* text : {"a.kvb", "/f=a.kvb", "/fa.kvb", "/f a.kvb", "--file=a.kvb"}) {
    const CommandLine line = Parse(text);
    EXPECT_EQ(line.startup_file, "a.kvb") << text;
    EXPECT_TRUE(line.file_pending) << text;
    EXPECT_FALSE(line.start_mode_given) << text;
  }
  for (const char* text : {"\"/home/u/My Maps/a.kvb\"", "/f=\"/home/u/My Maps/a.kvb\"",
                           "\"/f=/home/u/My Maps/a.kvb\""}) {
    EXPECT_EQ(Parse(text).startup_file, "/home/u/My Maps/a.kvb") << text;
  }
}

TEST(CommandLineTest, LastNonEmptyFileWins) {
  EXPECT_EQ(Parse("a.kvb c.kvi").startup_file, "c.kvi");
  const CommandLine line = Parse("a.kvb /f=b.kvb \"\" /f= /f --file=");
  EXPECT_EQ(line.startup_file, "b.kvb");
  EXPECT_TRUE(line.file_pending);
  EXPECT_FALSE(Parse("\"\" /f=").file_pending);
}

TEST(CommandLineTest, StartModeSwitch) {
  struct Case {
    const char* text;
    int mode;
    bool given;
  };
  const Case cases[] = {
      {"/m=ResetWindowPos", kStartResetWindowPositions, true},
      {"/MResetAllSetting", kStartResetAllSettings, true},
      {"/m=ResetSetting", kStartAsk, true},
      {"--mode=ResetAllSetting", kStartResetAllSettings, true},
      // An unknown value leaves the mode as it was.
      {"/m=ResetWindowPos /m=Reset", kStartResetWindowPositions, true},
      {"/m=Bogus", kStartNormal, false},
      {"--mode=Bogus", kStartNormal, false},
      // Other switches are ignored, a slash alone too; "F" is not "f".
      {"/x=1 /F=a.kvb /q /", kStartNormal, false},
  };
  for (const Case& c : cases) {
    const CommandLine line = Parse(c.text);
    EXPECT_EQ(line.start_mode, c.mode) << c.text;
    EXPECT_EQ(line.start_mode_given, c.given) << c.text;
    EXPECT_FALSE(line.file_pending) << c.text;
  }
}

TEST(CommandLineTest, AbsolutePathsAreNotSwitches) {
  EXPECT_EQ(Parse("/home/u/a.kvm").startup_file, "/home/u/a.kvm");
  // A file at the root has no second slash; it counts when it exists.
  EXPECT_EQ(Parse("/tmpfile.kvb", {"/tmpfile.kvb"}).startup_file, "/tmpfile.kvb");
  EXPECT_FALSE(Parse("/tmpfile.kvb").file_pending);
  EXPECT_EQ(Parse("/mResetSetting", {"/mResetSetting"}).start_mode, kStartNormal);
  // "/f=" and "/m=" are always switches, whatever exists.
  EXPECT_EQ(Parse("/f=/home/u/a.kvm", {"/f=/home/u/a.kvm"}).startup_file, "/home/u/a.kvm");
  EXPECT_EQ(Parse("/m=ResetSetting", {"/m=ResetSetting"}).start_mode, kStartAsk);
}

TEST(CommandLineTest, LongOptions) {
  const CommandLine line =
      Parse("--data-dir=/srv/data --map=/home/u/a.kvm --help --bogus --data-dir");
  EXPECT_EQ(line.data_dir, "/srv/data");
  EXPECT_EQ(line.map_file, "/home/u/a.kvm");
  EXPECT_TRUE(line.help);
  EXPECT_EQ(line.unknown_options, (Tokens{"--bogus", "--data-dir"}));
  EXPECT_FALSE(line.file_pending);
  EXPECT_FALSE(Parse("").help);
}

}  // namespace
}  // namespace corvane
