#pragma once
// corvane-cli import windia: a WinDIA timetable imported and written as dia
// data.

#include <string>

#include "app/data_folder.h"
#include "base/prompter.h"

namespace corvane {

// Imports `windia_path` as the main window does and writes the result to
// `out_path` as "save as" would (the kind by its extension). Prints no
// message-window line. 0 written, 1 refused or not written.
int ImportWindiaCommand(const std::string& windia_path, const std::string& out_path,
                        const DataFolder& data_folder, Prompter& prompter);

}  // namespace corvane
