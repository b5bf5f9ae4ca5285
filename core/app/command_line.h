#pragma once
// The program's command line: a start-up file, a start mode and the Linux
// forms of the same options.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

enum StartMode : int {
  kStartNormal = 0,
  kStartResetWindowPositions = 1,
  kStartResetAllSettings = 2,
  kStartAsk = 3,  // ask, with normal start preselected
};

struct CommandLine {
  std::string startup_file;
  bool file_pending = false;
  int start_mode = kStartNormal;
  bool start_mode_given = false;
  std::optional<std::string> data_dir;  // --data-dir=DIR: this run's data folder
  std::optional<std::string> map_file;  // --map=FILE: a map to open in the map edit window
  bool help = false;
  std::vector<std::string> unknown_options;  // "--" options nobody knows
};

// Splits a command-line text into tokens at spaces and line ends; a double
// quote toggles quoting, inside which spaces are ordinary characters.
std::vector<std::string> TokenizeCommandLine(std::string_view text);

// Reads the tokens. A token starting with "/" is a switch ("/f", "/m=...",
// "/mResetSetting") unless it is a path: one that holds a further "/" after
// its switch letter or names an existing file. `file_exists` answers the
// latter (the file system's answer by default).
CommandLine ParseCommandLine(const std::vector<std::string>& tokens,
                             const std::function<bool(const std::string&)>& file_exists = {});

// The start mode named by a switch value, or nothing for an unknown value.
std::optional<int> StartModeFromName(std::string_view name);

// Help text of the desktop program's options (UTF-8).
const char* CommandLineHelp();

}  // namespace corvane
