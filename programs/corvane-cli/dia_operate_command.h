#pragma once
// corvane-cli dia operate: the interlocking of a dia data file driven by a
// script on standard input, with its state dumped on standard output.

#include <string>

#include "app/data_folder.h"
#include "base/prompter.h"

namespace corvane {

// Opens `path` as the main window's open reads it, brings it into its
// working state and runs the script of standard input over it; writes no
// file. The operations' message-line texts go to standard error as
// "message: TEXT", their message boxes through `prompter`. Returns the exit
// status: 0 the script ran to its end, 1 the file could not be read, 2 a
// bad script line (reported as "line N: ..." last).
int OperateCommand(const std::string& path, const DataFolder& data_folder, Prompter& prompter);

}  // namespace corvane
