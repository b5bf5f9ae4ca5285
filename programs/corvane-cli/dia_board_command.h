#pragma once
// corvane-cli dia board and dia render: the board of a display window of a
// dia data file, as text (every label, frame and rail drawn) or as a PNG.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/data_folder.h"
#include "base/prompter.h"
#include "run/load_checks.h"

namespace corvane {

// `args` starts with the subcommand ("board" or "render"), then its files
// and options. `usage_error` reports a wrong command line and gives its
// status. `load_checks`, when given, are run on the opened data. Returns the
// exit status.
int BoardCommand(const std::vector<std::string>& args, const DataFolder& data_folder,
                 Prompter& prompter, const std::function<int(std::string_view)>& usage_error,
                 const LoadCheckSetup* load_checks = nullptr);

}  // namespace corvane
