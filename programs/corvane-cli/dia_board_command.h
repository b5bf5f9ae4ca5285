#pragma once
// corvane-cli dia board and dia render: the board of a display window of a
// dia data file, as text (every label, frame and rail drawn) or as a PNG.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/data_folder.h"
#include "base/prompter.h"
#include "run/load_checks.h"

namespace corvane {

// The options of dia board and dia render (and the board of dia operate).
struct BoardOptions {
  std::vector<std::string> files;
  std::optional<std::pair<int, int>> size;
  std::optional<std::pair<int, int>> scale;
  std::optional<std::pair<int, int>> scroll;
  int window = 0;
  bool whole = false;
};

// Reads the board options after the subcommand (`args[0]`); --window and
// --whole only when `render`. False (with the reason) for an option it does
// not know or a value out of range; other words are files.
bool ReadBoardOptions(const std::vector<std::string>& args, bool render, BoardOptions* options,
                      std::string* problem);

// `args` starts with the subcommand ("board" or "render"), then its files
// and options. `usage_error` reports a wrong command line and gives its
// status. `load_checks`, when given, are run on the opened data. Returns the
// exit status.
int BoardCommand(const std::vector<std::string>& args, const DataFolder& data_folder,
                 Prompter& prompter, const std::function<int(std::string_view)>& usage_error,
                 const LoadCheckSetup* load_checks = nullptr);

}  // namespace corvane
